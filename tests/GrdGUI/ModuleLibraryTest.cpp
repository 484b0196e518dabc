// The module as the host meets it: a shared library that exports only its factory, registers the
// command under "VexGrdCmd" when loaded, and runs.
#include <dlfcn.h>
#include <gtest/gtest.h>

#include <sstream>

#include "TestFolder.h"
#include "VexApplicationFrame.h"
#include "VexClassDictionary.h"
#include "VexDlgWindow.h"
#include "VexSession.h"
#include "VexStateCommand.h"

TEST(ModuleLibraryTest, ExportsOnlyTheFactory) {
  std::string symbols;
  ASSERT_EQ(RunProgram("/usr/bin/nm", {"-D", "--defined-only", VOLTARIA_GRDGUI_LIBRARY}, {}, &symbols), 0);
  std::istringstream lines(symbols);
  std::string address, type, name;
  std::vector<std::string> functions;
  while (lines >> address >> type >> name) {
    if (type == "T" || type == "W" || type == "D" || type == "B" || type == "V") functions.push_back(name);
  }
  EXPECT_EQ(functions, std::vector<std::string>{"fctCreateVexGrdCmd"});
}

TEST(ModuleLibraryTest, LoadingRegistersTheCommandWhichOpensThePanel) {
  TestFolder folder;
  ScopedEnv settings("VEX_SETTINGS_DIR", folder.Path().string());
  ASSERT_EQ(VexClassDictionary::Instance().Find("VexGrdCmd"), nullptr);
  void* library = dlopen(VOLTARIA_GRDGUI_LIBRARY, RTLD_NOW | RTLD_LOCAL);
  ASSERT_NE(library, nullptr) << dlerror();
  EXPECT_NE(dlsym(library, "fctCreateVexGrdCmd"), nullptr);

  VexStateCommand_var command(
      dynamic_cast<VexStateCommand*>(VexClassDictionary::Instance().Create("VexGrdCmd")));
  ASSERT_TRUE(command);
  EXPECT_STREQ(command->GetName(), "EDSA Command");
  VexSession::GetSession().StartCommand(command);
  VexDialog* panel = VexApplicationFrame::GetFrame()->GetMainWindow()->FindChild("VexGrdPanel");
  ASSERT_NE(panel, nullptr);
  EXPECT_EQ(panel->GetVisibility(), VexDialog::kShown);
  EXPECT_EQ(panel->GetTitle().str(), "EDSA Electrical Network") << "labels come from the resources";

  dynamic_cast<VexDlgWindow*>(panel)->CloseWindow();
  EXPECT_FALSE(command->IsRunning());
  command.Reset();
  EXPECT_EQ(VexApplicationFrame::GetFrame()->GetMainWindow()->FindChild("VexGrdPanel"), nullptr);
}
