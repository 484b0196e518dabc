// Every message key the module's code uses has a real text in the catalog, and every dialog class
// has its labels file.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <regex>
#include <set>
#include <sstream>

#include "VexMsgCatalog.h"
#include "VexResourceFile.h"

namespace fs = std::filesystem;

namespace {

std::set<std::string> KeysUsedByTheModule() {
  std::set<std::string> keys;
  std::regex literal("\"(GrdGUI_[A-Za-z0-9_]+)\"");
  for (const auto& entry : fs::directory_iterator(VOLTARIA_GRDGUI_SOURCE_DIR)) {
    std::ifstream in(entry.path());
    std::stringstream text;
    text << in.rdbuf();
    std::string content = text.str();
    for (std::sregex_iterator it(content.begin(), content.end(), literal), end; it != end; ++it) {
      keys.insert((*it)[1]);
    }
  }
  return keys;
}

}  // namespace

TEST(CatalogTest, EveryKeyTheModuleUsesHasAText) {
  std::set<std::string> keys = KeysUsedByTheModule();
  ASSERT_FALSE(keys.empty()) << "the scan must find the module's keys";
  VexMsgCatalog catalog;
  ASSERT_EQ(catalog.LoadMsgCatalog("VexGrdGUIMsgCatalog", nullptr), 0);
  for (const std::string& key : keys) {
    EXPECT_TRUE(catalog.HasKey(key.c_str())) << key << " is used but has no text";
    EXPECT_GT(catalog.GetCatalogMsg(key.c_str()).BuildMessage(nullptr).GetLengthInChar(), 0) << key;
  }
}

TEST(CatalogTest, EveryDialogClassHasItsLabelsAndTheFilesParseCleanly) {
  for (const char* dialog : {"VexGrdPanel", "VexGrdProjFrm", "VexGrdMRUFileChooser",
                             "VexGrdAssociateFrm", "VexGrdCreateNdBrDlg", "VexGrdNavigatorFrm",
                             "VexGrdNavigViewer", "VexGrdAnalFrm", "VexGrdCheckFrm",
                             "VexGrdResultsFrm", "VexGrdResultAnalyzerDlg", "VexGrdCableFrm"}) {
    auto labels = VexResourceFile::Load(std::string(dialog) + ".labels");
    ASSERT_TRUE(labels) << dialog;
    EXPECT_FALSE(labels->Entries().empty()) << dialog;
    EXPECT_TRUE(labels->GetProblems().empty()) << dialog;
  }
  auto catalog = VexResourceFile::Load("VexGrdGUIMsgCatalog.catalog");
  ASSERT_TRUE(catalog);
  EXPECT_TRUE(catalog->GetProblems().empty());
}
