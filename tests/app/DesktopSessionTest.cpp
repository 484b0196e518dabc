// The window session with the EDSA module loaded, offscreen and without the plant view: opening
// another plant while the command runs, and the restart of the command after an event that was
// rolled back, both through the window as a person uses it.
#include <dlfcn.h>
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QDockWidget>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <QToolBar>

#include "DesktopSession.h"
#include "PanelRestart.h"
#include "RingNetwork.h"
#include "TestFolder.h"
#include "VexApplicationFrame.h"
#include "VexDlgTabContainer.h"
#include "VexDlgWindow.h"
#include "VexDocument.h"
#include "VexGrdProject.h"
#include "VexQtDesktopSettings.h"
#include "VexQtDialogMirror.h"
#include "VexQtMainWindow.h"
#include "VexScriptedUser.h"
#include "VexSession.h"
#include "VexSettingRepository.h"
#include "VexUiDriver.h"
#include "VexWorkspace.h"
#include "WorkFolder.h"

namespace fs = std::filesystem;

namespace {

// The module is loaded once, as the host program loads it.
void LoadModule() {
  static void* library = dlopen(VOLTARIA_GRDGUI_LIBRARY, RTLD_NOW | RTLD_LOCAL);
  ASSERT_NE(library, nullptr) << dlerror();
}

// While it lives, answers each message box of the window with OK once it is open and keeps its
// text, so that a refusal shows in the test instead of waiting for a person.
class BoxWatch {
 public:
  BoxWatch() {
    QObject::connect(&poll_, &QTimer::timeout, [this] {
      if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
        texts.push_back(box->text().toStdString());
        box->accept();
      }
    });
    poll_.start(10);
  }
  std::vector<std::string> texts;

 private:
  QTimer poll_;
};

// Counts the EDSA panels built and destroyed under the main window.
class PanelCount : public VexDialogObserver {
 public:
  PanelCount() { VexDialog::AddChangeObserver(this); }
  ~PanelCount() override { VexDialog::RemoveChangeObserver(this); }
  void OnDialogChanged(VexDialog& widget, VexDialogChange change, VexDialog* child) override {
    if (change == VexDialogChange::ChildAdded && IsPanel(*child)) ++opened;
    if (change == VexDialogChange::Destroyed && IsPanel(widget)) ++closed;
  }
  int opened = 0;
  int closed = 0;

 private:
  static bool IsPanel(const VexDialog& widget) { return std::string(widget.GetName()) == "VexGrdPanel"; }
};

class DesktopSessionTest : public ::testing::Test {
 protected:
  DesktopSessionTest() : settings("VEX_SETTINGS_DIR", (folder / "settings").string()) {
    LoadModule();
    VexSettingRepository::ForgetLoadedRepositories();
    first = WorkFolder::CreateFromSample(VOLTARIA_SAMPLE_PLANT, folder / "first");
    second = WorkFolder::CreateFromSample(VOLTARIA_SAMPLE_PLANT, folder / "second");
  }
  ~DesktopSessionTest() override {
    if (desktop) restart.EndCommand();
    desktop.reset();
    QApplication::processEvents();
    workspace.reset();
    VexSession::GetSession().SetUser(nullptr);
    VexSettingRepository::ForgetLoadedRepositories();
  }

  // The window on `plant` with the EDSA command started from its toolbar; the questions are
  // answered by `user`, as a script answers them in the screenshots mode.
  void OpenWindow(const fs::path& plant) {
    workspace = VexWorkspace::Open(VexUnicodeString(plant.string()), false);
    VexGrdProject::SeedSettingsFromDocument(workspace->GetDocument());
    auto scripted = std::make_unique<VexScriptedUser>();
    user = scripted.get();
    VexSession::GetSession().SetUser(std::move(scripted));
    DesktopSession::Options options;
    options.answersFromScript = true;
    options.plantView = false;
    desktop = std::make_unique<DesktopSession>(workspace, restart, options);
    desktop->Show();
    QTest::mouseClick(Toolbar("EdsaAction"), Qt::LeftButton);
    Flush();
    ASSERT_TRUE(restart.IsCommandRunning());
  }
  void Flush() {
    desktop->GetWindow().GetMirror().Flush();
    QApplication::processEvents();
  }
  QWidget* Toolbar(const char* action) {
    auto* toolbar = desktop->GetWindow().findChild<QToolBar*>("WorkbenchToolBar");
    QAction* found = desktop->GetWindow().findChild<QAction*>(action);
    QWidget* button = toolbar && found ? toolbar->widgetForAction(found) : nullptr;
    if (!button) throw std::runtime_error(std::string("the toolbar has no button for ") + action);
    return button;
  }
  template <class W>
  W& InPanel(const char* name) {
    Flush();
    QWidget* panel = desktop->GetWindow().GetPanelDock()->widget();  // a panel closed may await deletion
    auto* widget = panel ? panel->findChild<W*>(name) : nullptr;
    if (!widget) throw std::runtime_error(std::string("the panel shows no ") + name);
    return *widget;
  }
  int PageShown() {
    VexDialog* panel = VexApplicationFrame::GetFrame()->GetMainWindow()->FindChild("VexGrdPanel");
    return VexUiDriver(panel).Get<VexDlgTabContainer>("TabContainer").GetSelectedPage();
  }
  // File > Recent plants > `plant`, as a person chooses it.
  void OpenRecent(const fs::path& plant) {
    for (QAction* action : desktop->GetWindow().findChildren<QAction*>()) {
      if (action->text() == QString::fromStdString(plant.string())) {
        BoxWatch boxes;
        action->trigger();
        Flush();
        EXPECT_EQ(boxes.texts, std::vector<std::string>{}) << "opening " << plant << " was refused";
        return;
      }
    }
    FAIL() << plant << " is not among the recent plants";
  }
  int MessagesContaining(const std::string& text) {
    return VexSession::GetSession().GetUserLog().CountContaining(VexUnicodeString(text));
  }

  TestFolder folder;
  ScopedEnv settings;
  WorkFolder first, second;
  std::unique_ptr<VexWorkspace> workspace;
  VexStateCommand_var command;
  PanelRestart restart{command};
  std::unique_ptr<DesktopSession> desktop;
  VexScriptedUser* user = nullptr;
};

}  // namespace

// The panel is closed on the plant it showed, so its settings (the page shown) are kept for that
// plant; the command starts again on the other plant, and again on the first when it comes back.
TEST_F(DesktopSessionTest, OpeningAnotherPlantWhileTheCommandRunsStartsItAgainOnThatPlant) {
  VexQtDesktopSettings recent;
  recent.AddRecentPlant(QString::fromStdString(second.plant.string()));
  ASSERT_TRUE(recent.Save());
  OpenWindow(first.plant);
  constexpr int kNavigator = 2;
  InPanel<QTabWidget>("TabContainer").setCurrentIndex(kNavigator);
  ASSERT_EQ(PageShown(), kNavigator);
  const int messages = VexSession::GetSession().GetUserLog().GetCount();
  PanelCount panels;

  OpenRecent(second.plant);
  EXPECT_EQ(workspace->GetDocument().GetPath().str(), second.plant.string());
  EXPECT_EQ(panels.closed, 1);
  EXPECT_EQ(panels.opened, 1);
  ASSERT_TRUE(restart.IsCommandRunning());
  EXPECT_EQ(PageShown(), 0) << "the second plant has settings of its own";
  EXPECT_TRUE(desktop->GetWindow().GetPanelDock()->isVisible());
  EXPECT_EQ(InPanel<QTabWidget>("TabContainer").currentIndex(), 0);

  OpenRecent(first.plant);
  EXPECT_EQ(workspace->GetDocument().GetPath().str(), first.plant.string());
  EXPECT_EQ(panels.closed, 2);
  EXPECT_EQ(panels.opened, 2);
  ASSERT_TRUE(restart.IsCommandRunning());
  EXPECT_EQ(PageShown(), kNavigator) << "the first plant's settings were saved when its panel closed";
  EXPECT_EQ(VexSession::GetSession().GetUserLog().GetCount(), messages) << "a switch asks and tells nothing";
}

// A synchronization whose commit fails on a full disk is rolled back; the panel's registry, which
// only the module rebuilds, still held the new nodes. After the click the window ends the command,
// tells why in one message and starts it again, so that a second Synchronize asks again.
TEST_F(DesktopSessionTest, AfterAClickWhoseChangeWasRolledBackThePanelStartsAgainWithOneMessage) {
  WriteRingNetwork(first.edsa);
  OpenWindow(first.plant);
  const std::string told = "The EDSA panel was closed, with its settings saved, and opened again";
  const int toldBefore = MessagesContaining(told);
  auto& master = InPanel<QLineEdit>("MasterFileEdt");
  master.setFocus();
  master.setText(QString::fromStdString((first.edsa / "big.mas").string()));
  QTest::keyClick(&master, Qt::Key_Return);
  user->QueueYes();  // add the new nodes and branches
  user->QueueNo();
  PanelCount panels;
  BoxWatch boxes;
  {
    // The document's log may grow by what a few small events write, not by a whole network.
    ScopedFileSizeLimit full(static_cast<rlim_t>(fs::file_size(first.plant)) + 96 * 1024);
    QTest::mouseClick(&InPanel<QPushButton>("Synchronize"), Qt::LeftButton);
  }
  ASSERT_EQ(boxes.texts.size(), 1u) << "the failed commit is told";
  EXPECT_EQ(user->GetPendingCount(), 0);
  EXPECT_EQ(panels.closed, 1);
  EXPECT_EQ(panels.opened, 1);
  ASSERT_TRUE(restart.IsCommandRunning());
  EXPECT_EQ(MessagesContaining(told), toldBefore + 1) << "one message";
  EXPECT_EQ(MessagesContaining("The last change could not be saved in the plant document and was undone. " + told),
            toldBefore + 1) << "saying why";
  EXPECT_FALSE(VexGrdProject(&workspace->GetDocument()).SearchForNodeId(VexUnicodeString("NEW10000")));

  user->QueueYes();
  user->QueueNo();
  QTest::mouseClick(&InPanel<QPushButton>("Synchronize"), Qt::LeftButton);
  EXPECT_EQ(user->GetPendingCount(), 0) << "the new panel asks again";
  EXPECT_TRUE(VexGrdProject(&workspace->GetDocument()).SearchForNodeId(VexUnicodeString("NEW10000")));
  EXPECT_EQ(MessagesContaining(told), toldBefore + 1) << "a saved change restarts nothing";
  EXPECT_EQ(panels.opened, 1);
  EXPECT_EQ(boxes.texts.size(), 1u);
}

// As in the screenshots mode, the window and a script share the command: an import from the
// window's menu ends it and starts it again, and the import's report, the one message, says so.
TEST_F(DesktopSessionTest, AnImportFromTheMenuStartsTheCommandAgainAndItsReportSaysSo) {
  const fs::path model = folder.Write("extension.txt", "element | PANEL9 | Equipment | Panel 480 V\n");
  OpenWindow(first.plant);
  const int messages = VexSession::GetSession().GetUserLog().GetCount();
  PanelCount panels;
  QTimer choosing;
  QObject::connect(&choosing, &QTimer::timeout, [&] {
    if (auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget())) {
      dialog->selectFile(QString::fromStdString(model.string()));
      static_cast<QDialog*>(dialog)->accept();
    }
  });
  choosing.start(10);
  desktop->GetWindow().findChild<QAction*>("ImportAction")->trigger();
  Flush();

  EXPECT_TRUE(workspace->GetDocument().FindElementByName(VexUnicodeString("PANEL9")));
  EXPECT_EQ(panels.closed, 1);
  EXPECT_EQ(panels.opened, 1);
  ASSERT_TRUE(restart.IsCommandRunning());
  const auto& log = VexSession::GetSession().GetUserLog();
  ASSERT_EQ(log.GetCount(), messages + 1) << log.ToText();
  const std::string report = log.GetEntries().back().text.str();
  EXPECT_NE(report.find("1 added"), std::string::npos) << report;
  EXPECT_NE(report.find(PanelRestart::kImportNotice), std::string::npos) << report;
}
