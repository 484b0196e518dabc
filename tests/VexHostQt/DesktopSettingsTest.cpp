#include <gtest/gtest.h>

#include <filesystem>

#include "TestFolder.h"
#include "VexQtDesktopSettings.h"
#include "VexSettingRepository.h"

namespace {

class DesktopSettingsTest : public ::testing::Test {
 protected:
  DesktopSettingsTest() : settingsDir("VEX_SETTINGS_DIR", folder.Path().string()) {
    VexSettingRepository::ForgetLoadedRepositories();
  }
  ~DesktopSettingsTest() override { VexSettingRepository::ForgetLoadedRepositories(); }
  TestFolder folder;
  ScopedEnv settingsDir;
};

TEST_F(DesktopSettingsTest, RecentPlantsAreNewestFirstOnceEachAndAtMostEight) {
  VexQtDesktopSettings settings;
  for (int i = 0; i < 10; ++i) settings.AddRecentPlant(QString("/plants/p%1.vxd").arg(i));
  settings.AddRecentPlant("/plants/p5.vxd");
  QStringList recent = settings.GetRecentPlants();
  ASSERT_EQ(recent.size(), VexQtDesktopSettings::kMaxRecentPlants);
  EXPECT_EQ(recent.front(), "/plants/p5.vxd");
  EXPECT_EQ(recent.count("/plants/p5.vxd"), 1);
  EXPECT_EQ(recent[1], "/plants/p9.vxd");
  EXPECT_FALSE(recent.contains("/plants/p1.vxd"));  // the oldest fell off
}

TEST_F(DesktopSettingsTest, GeometryAndRecentPlantsComeBackInTheHostsOwnRepository) {
  {
    VexQtDesktopSettings settings;
    settings.SetGeometry(QByteArray("\x01\x02geometry\xff", 11));
    settings.AddRecentPlant("/plants/a b.vxd");
    settings.AddRecentPlant("/plants/c.vxd");
    ASSERT_TRUE(settings.Save());
  }
  VexSettingRepository::ForgetLoadedRepositories();  // as a new session would
  VexQtDesktopSettings again;
  EXPECT_EQ(again.GetGeometry(), QByteArray("\x01\x02geometry\xff", 11));
  EXPECT_EQ(again.GetRecentPlants(), (QStringList{"/plants/c.vxd", "/plants/a b.vxd"}));
  std::vector<std::string> files;
  for (const auto& entry : std::filesystem::recursive_directory_iterator(folder.Path())) {
    files.push_back(entry.path().filename().string());
  }
  EXPECT_EQ(files, std::vector<std::string>{"VoltariaDesktop.settings"});
}

TEST_F(DesktopSettingsTest, NothingStoredIsEmptySettings) {
  VexQtDesktopSettings settings;
  EXPECT_TRUE(settings.GetGeometry().isEmpty());
  EXPECT_TRUE(settings.GetRecentPlants().isEmpty());
}

}  // namespace
