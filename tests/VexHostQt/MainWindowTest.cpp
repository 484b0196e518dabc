#include <QAbstractButton>
#include <QDockWidget>
#include <QFileDialog>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QProgressDialog>
#include <QStatusBar>
#include <QTest>
#include <QToolBar>

#include "PeerFixture.h"
#include "TestFolder.h"
#include "VexDlgPushButton.h"
#include "VexDocument.h"
#include "VexFrmDialog.h"
#include "VexPlantImport.h"
#include "VexQtMainWindow.h"
#include "VexQtUser.h"
#include "VexSession.h"
#include "VexSettingRepository.h"

namespace {

QAction* ActionNamed(QWidget& window, const QString& text) {
  for (QAction* action : window.findChildren<QAction*>()) {
    if (action->text().remove('&') == text) return action;
  }
  return nullptr;
}

class MainWindowTest : public ::testing::Test {
 protected:
  MainWindowTest() : settingsDir("VEX_SETTINGS_DIR", folder.Path().string()) {
    VexSettingRepository::ForgetLoadedRepositories();
    root->SetVisibility(VexDialog::kShown);
  }
  ~MainWindowTest() override {
    window.reset();
    QApplication::processEvents();
    VexSettingRepository::ForgetLoadedRepositories();
  }
  void Open() {
    VexQtMainWindow::Host host;
    host.openPlant = [this](const QString& path, bool create) { opened.push_back(path + (create ? " new" : "")); };
    host.startEdsa = [this] { ++edsaStarts; };
    host.masterFile = [] { return QString("/plants/a/edsa/plant.mas"); };
    host.lengthUnit = [] { return QString("ft"); };
    host.importModel = importModel;
    window = std::make_unique<VexQtMainWindow>(*root, host);
    window->show();
  }
  TestFolder folder;
  ScopedEnv settingsDir;
  VexVar<VexDlgWindow> root{new VexDlgWindow(nullptr, "VexMainWindow")};
  std::unique_ptr<VexQtMainWindow> window;
  std::vector<QString> opened;
  int edsaStarts = 0;
  std::function<QString(const QString&, const VexQtMainWindow::Host::Progress&)> importModel;
};

TEST_F(MainWindowTest, TheFrameDialogOfTheApplicationDocksAndOtherWindowsFloat) {
  Open();
  auto* panel = new VexFrmDialog(root.get(), "Panel");
  new VexDlgPushButton(panel, "GoBtn");
  panel->SetVisibility(VexDialog::kShown);
  auto* other = new VexDlgDialog(panel, "Child");
  new VexDlgPushButton(other, "OkBtn");
  other->SetVisibility(VexDialog::kShown);
  window->GetMirror().Flush();
  EXPECT_EQ(window->GetPanelDock()->widget(), window->GetMirror().PeerOf(panel)->GetView());
  EXPECT_TRUE(window->GetPanelDock()->isVisible());
  EXPECT_TRUE(window->GetMirror().PeerOf(other)->GetView()->isWindow());
  panel->SetVisibility(VexDialog::kHidden);
  window->GetMirror().Flush();
  EXPECT_FALSE(window->GetPanelDock()->isVisible());  // the dock goes with the panel
}

TEST_F(MainWindowTest, TheToolbarStartsEdsaAndTheStatusBarTellsMasterFileAndUnit) {
  Open();
  window->findChild<QAction*>("EdsaAction")->trigger();  // the dock "EDSA" has an action too
  EXPECT_EQ(edsaStarts, 1);
  window->RefreshStatus();
  QStringList texts;
  for (QLabel* label : window->statusBar()->findChildren<QLabel*>()) texts << label->text();
  EXPECT_TRUE(texts.contains("Master file: /plants/a/edsa/plant.mas")) << texts.join('|').toStdString();
  EXPECT_TRUE(texts.contains("Length unit: ft")) << texts.join('|').toStdString();
}

TEST_F(MainWindowTest, RecentPlantsAreOfferedInTheNextSessionAndOpenTheirPlant) {
  Open();
  window->ShowPlant("/plants/a/plant.vxd");
  window->ShowPlant("/plants/b/plant.vxd");
  window->close();  // saves the geometry with the recent plants
  window.reset();
  VexSettingRepository::ForgetLoadedRepositories();
  Open();
  QAction* newest = ActionNamed(*window, "/plants/b/plant.vxd");
  ASSERT_NE(newest, nullptr);
  ASSERT_NE(ActionNamed(*window, "/plants/a/plant.vxd"), nullptr);
  newest->trigger();
  EXPECT_EQ(opened, std::vector<QString>{"/plants/b/plant.vxd"});
  EXPECT_FALSE(std::filesystem::exists(folder / "EdsaProject.settings"));
}

// File > Import... on a real document: the person chooses the model, a modal progress window
// shows while it is read, the questions and the report come as message boxes.
class ImportMenuTest : public MainWindowTest {
 protected:
  ImportMenuTest() : document(VexDocument::Create((folder / "plant.vxd").string().c_str())) {
    importModel = [this](const QString& path, const VexQtMainWindow::Host::Progress& progress) {
      auto watched = [&](const std::string& stage) {
        progress(stage);
        progressWasModal = progressWasModal || qobject_cast<QProgressDialog*>(QApplication::activeModalWidget());
      };
      report = QString::fromStdString(
          VexImportPlantModel(*document, VexUnicodeString(path.toStdString()), watched).ToText());
      return report;
    };
    Open();
    VexSession::GetSession().SetUser(std::make_unique<VexQtUser>(window.get()));
    VexSession::GetSession().GetUserLog().Clear();
  }
  ~ImportMenuTest() override { VexSession::GetSession().SetUser(nullptr); }

  /// Chooses `model` in the file dialog of File > Import..., then answers the message boxes as
  /// they open with `clicks`, in order, keeping their texts.
  void Import(const std::filesystem::path& model, std::vector<QMessageBox::StandardButton> clicks) {
    WhenModalOpens([model](QWidget& modal) {
      auto& dialog = dynamic_cast<QFileDialog&>(modal);
      dialog.selectFile(QString::fromStdString(model.string()));
      static_cast<QDialog&>(dialog).accept();
    });
    QTimer answering;
    QObject::connect(&answering, &QTimer::timeout, [&] {
      auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
      if (!box || clicks.empty() || !box->isVisible()) return;
      boxes << box->text();
      QAbstractButton* button = box->button(clicks.front());
      clicks.erase(clicks.begin());
      ASSERT_NE(button, nullptr) << box->text().toStdString();
      button->click();
    });
    answering.start(5);
    window->findChild<QAction*>("ImportAction")->trigger();
    EXPECT_TRUE(clicks.empty()) << clicks.size() << " message boxes did not open";
  }

  std::unique_ptr<VexDocument> document;
  QString report;
  QStringList boxes;
  bool progressWasModal = false;
};

TEST_F(ImportMenuTest, TheChosenModelIsImportedAfterTheRemovalQuestionAndTheReportIsShownAndKept) {
  auto model = folder.Write("site.txt", "element | A | Equipment | Panel\nelement | B | Equipment | Motor\n");
  VexImportPlantModel(*document, model.string().c_str());
  folder.Write("site.txt", "element | A | Equipment | Switchboard\nelement | C | Equipment | Socket\n");

  Import(model, {QMessageBox::Yes, QMessageBox::Ok});

  EXPECT_TRUE(progressWasModal);
  EXPECT_TRUE(document->FindElementByName("C").get());
  EXPECT_FALSE(document->FindElementByName("B").get());
  ASSERT_EQ(boxes.size(), 2);
  EXPECT_TRUE(boxes[0].contains("B")) << boxes[0].toStdString();  // the removal question
  EXPECT_EQ(boxes[1], report);
  EXPECT_TRUE(report.contains("1 added, 1 updated, 0 unchanged, 1 removed")) << report.toStdString();
  QString messages = window->findChild<QPlainTextEdit*>("MessagesLog")->toPlainText();
  EXPECT_TRUE(messages.contains(report.section('\n', 0, 0))) << messages.toStdString();
}

TEST_F(ImportMenuTest, AModelThatCannotBeReadIsRefusedByNameAndTheDocumentStaysAsItWas) {
  auto good = folder.Write("site.txt", "element | A | Equipment | Panel\n");
  VexImportPlantModel(*document, good.string().c_str());
  auto bad = folder.Write("bad.txt", "element | B | Equipment | Motor\nthis is no entry\n");

  Import(bad, {QMessageBox::Ok});

  ASSERT_EQ(boxes.size(), 1);
  EXPECT_TRUE(boxes[0].contains(QString::fromStdString(bad.string()))) << boxes[0].toStdString();
  EXPECT_EQ(document->GetElementCount(), 1);
  EXPECT_FALSE(document->FindElementByName("B").get());
  EXPECT_TRUE(report.isEmpty());
}

}  // namespace
