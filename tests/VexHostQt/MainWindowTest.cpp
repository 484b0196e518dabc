#include <QDockWidget>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QStatusBar>
#include <QTest>
#include <QToolBar>

#include "PeerFixture.h"
#include "TestFolder.h"
#include "VexDlgPushButton.h"
#include "VexFrmDialog.h"
#include "VexQtMainWindow.h"
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
    window = std::make_unique<VexQtMainWindow>(*root, host);
    window->show();
  }
  TestFolder folder;
  ScopedEnv settingsDir;
  VexVar<VexDlgWindow> root{new VexDlgWindow(nullptr, "VexMainWindow")};
  std::unique_ptr<VexQtMainWindow> window;
  std::vector<QString> opened;
  int edsaStarts = 0;
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

}  // namespace
