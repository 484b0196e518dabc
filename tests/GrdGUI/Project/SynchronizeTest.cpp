// Synchronizing the model's network with the EDSA network file beside the master file.
#include <filesystem>

#include "ProjectTabTest.h"
#include "VexIGrdNode.h"
#include "VexSession.h"

namespace fs = std::filesystem;

namespace {

// Two buses and the line between them, in the file's fixed columns.
constexpr const char* kTwoBuses = "2\nBUS1\nBUS2\n1\nBUS1     BUS2\n";

std::vector<std::string> Questions() {
  std::vector<std::string> questions;
  for (const VexUserLogEntry& entry : VexSession::GetSession().GetUserLog().GetEntries()) {
    if (entry.form == VexUserLogEntry::Form::Question) {
      questions.push_back(entry.text.str() + " -> " + entry.answer.str());
    }
  }
  return questions;
}

}  // namespace

class SynchronizeTest : public ProjectTabTest {
 protected:
  static VexUnicodeString AddQuestion(int nodes, int branches) {
    return Text("GrdGUI_ProjTab_SynchroMainMsg_Add") + "\n" +
           Text("GrdGUI_ProjTab_SynchroNewNodesRead") + std::to_string(nodes).c_str() +
           "\n" + Text("GrdGUI_ProjTab_SynchroNewBranchesRead") +
           std::to_string(branches).c_str() + "\n" + Text("GrdGUI_ProjTab_SynchroImport");
  }

  static VexUnicodeString RemoveQuestion(int nodes, int branches) {
    return Text("GrdGUI_ProjTab_SynchroMainMsg_Delete") + "\n" +
           Text("GrdGUI_ProjTab_SynchroNodesDeleted") + std::to_string(nodes).c_str() +
           "\n" + Text("GrdGUI_ProjTab_SynchroBranchesDelete") +
           std::to_string(branches).c_str() + "\n" +
           Text("GrdGUI_ProjTab_SynchroDeleteYesNo");
  }

  /// Starts the command with `name` as the current master file.
  void StartWithMasterFile(const std::string& name = "plant.mas") {
    std::string master = WriteMasterFile(name);
    StartCommand();
    KeyIn(master);
  }
};

TEST_F(SynchronizeTest, ANewNetworkFileCreatesExactlyItsNodesAndBranchesAfterYes) {
  AddNodes({"BUS1"});
  Folder().Write("plant.net", kTwoBuses);
  StartWithMasterFile();
  Ui().AnswerYes();
  Ui().Push("Synchronize");
  EXPECT_EQ(Questions(), std::vector<std::string>{AddQuestion(1, 1).str() + " -> yes"});
  EXPECT_EQ(Model(), (std::vector<std::string>{"BUS1", "BUS2", "BUS1->BUS2"}));
  EXPECT_EQ(Texts(Panel().GetListOfAllNodes()), (std::vector<std::string>{"BUS1", "BUS2"}))
      << "the registry is rebuilt";
  EXPECT_EQ(Texts(Panel().GetListOfAllBranches()), std::vector<std::string>{"BUS1->BUS2"});

  int shown = MessageCount();
  Ui().Push("Synchronize");
  EXPECT_EQ(MessageCount(), shown) << "a model in step with the file asks nothing";
}

TEST_F(SynchronizeTest, ANodeOrBranchListedTwiceIsCountedAndCreatedOnce) {
  Folder().Write("plant.net", "3\nBUS1\nBUS1\nBUS2\n2\nBUS1     BUS2\nBUS1     BUS2\n");
  StartWithMasterFile();
  Ui().AnswerYes();
  Ui().Push("Synchronize");
  EXPECT_EQ(Questions(), std::vector<std::string>{AddQuestion(2, 1).str() + " -> yes"});
  EXPECT_EQ(Model(), (std::vector<std::string>{"BUS1", "BUS2", "BUS1->BUS2"}));
}

TEST_F(SynchronizeTest, ANodeTheFileLostIsUnlinkedAndDeletedAfterYesEvenWithPlantElements) {
  AddNodes({"BUS1", "BUS2", "BUS3"});
  AddBranch("BUS2", "BUS3");
  auto motor = AddElement("M-101", VexElementKind::Equipment);
  auto cable = AddElement("C-101", VexElementKind::Conduit);
  LinkToNode("BUS3", VexIAECElement_var(motor));
  LinkToBranch("BUS2", "BUS3", VexIAECElement_var(cable));
  Folder().Write("plant.net", "2\nBUS1\nBUS2\n0\n");
  StartWithMasterFile();
  Ui().AnswerYes();
  Ui().Push("Synchronize");
  EXPECT_EQ(Questions(), std::vector<std::string>{RemoveQuestion(1, 1).str() + " -> yes"});
  EXPECT_EQ(Model(), (std::vector<std::string>{"BUS1", "BUS2"}));
  EXPECT_TRUE(Document().FindElement(motor->GetId())) << "plant elements stay";
  EXPECT_EQ(Panel().IsNdBrAssociated("BUS3"), 0);
  EXPECT_EQ(Panel().DoesNodeExistAlready("BUS3"), 0);
}

TEST_F(SynchronizeTest, AnEmptyFileProposesToRemoveTheWholeModel) {
  AddNodes({"A", "B"});
  AddBranch("A", "B");
  Folder().Write("plant.net", "");
  StartWithMasterFile();
  Ui().AnswerNo();
  Ui().Push("Synchronize");
  EXPECT_EQ(Questions(), std::vector<std::string>{RemoveQuestion(2, 1).str() + " -> no"});
  EXPECT_EQ(Model(), (std::vector<std::string>{"A", "B", "A->B"}));
}

TEST_F(SynchronizeTest, MissingOrUnacceptableNetworkFilesAreRefusedWithTheirMessages) {
  enum class NetworkFile { None, Folder, Fifo, File };
  struct Case {
    const char* name;
    std::string baseName;
    NetworkFile networkFile;
    VexUnicodeString expected;
    int kind;
  };
  const Case cases[] = {
      {"no network file", "plant", NetworkFile::None, Text("GrdGUI_ProjTab_NETFileNotFound"), 3},
      {"a folder in its place", "plant", NetworkFile::Folder,
       Text("GrdGUI_ProjTab_NETFileNotFound"), 3},
      {"a FIFO in its place", "plant", NetworkFile::Fifo, Text("GrdGUI_ProjTab_NETFileNotFound"), 3},
      {"base name of nine characters", "plant1234", NetworkFile::File,
       Text("GrdGUI_MaxFileLength"), 2},
  };
  StartCommand();
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TestFolder folder;
    std::string master = (folder / (c.baseName + ".mas")).string();
    Project().CreateNewMasterFile(VexUnicodeString(master), ".mas");
    if (c.networkFile == NetworkFile::Folder) fs::create_directory(folder / (c.baseName + ".net"));
    if (c.networkFile == NetworkFile::File) folder.Write(c.baseName + ".net", kTwoBuses);
    if (c.networkFile == NetworkFile::Fifo) folder.MakeFifo(c.baseName + ".net");
    KeyIn(master);
    EXPECT_TRUE(ReturnsWithoutWaitingOn(folder / (c.baseName + ".net"),
                                        [&] { Ui().Push("Synchronize"); }));
    EXPECT_EQ(LastMessage(), TabMessage(c.kind, c.expected));
    EXPECT_TRUE(Model().empty());
  }
}

TEST_F(SynchronizeTest, TheHiddenRowAndTheImportTakeOnlyAnExistingNetworkFile) {
  StartWithMasterFile();
  std::string network = Folder().Write("plant.net", kTwoBuses);
  Folder().Write("plant.txt", kTwoBuses);
  struct Case {
    std::string path;
    std::string message;  // "" none
    std::string editor;
    int synchronize;
  };
  const Case cases[] = {
      {PathOf("plant1234.net"), "Too many Charactes in Import File Name.\nMax Length: 8 chars", "",
       VexDialog::kInsensitive},
      {PathOf("plant.txt"), "Incorrect File Extension Specified", "", VexDialog::kInsensitive},
      {PathOf("gone.net"), ".net File does not exist!!", "", VexDialog::kInsensitive},
      {network, "", network, VexDialog::kSensitive},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.path);
    int shown = MessageCount();
    InEvent([&] { Frame().SetImportFilePath(VexUnicodeString(c.path)); });
    if (c.message.empty()) {
      EXPECT_EQ(MessageCount(), shown);
    } else {
      EXPECT_EQ(LastMessage(), TabMessage(2, VexUnicodeString(c.message)));
    }
    EXPECT_EQ(Ui().Get<VexDlgEditor>("NetFileEditor").GetText().str(), c.editor);
    EXPECT_EQ(Ui().Find("Synchronize").GetSensitivity(), c.synchronize);
  }
  InEvent([&] { Frame().ImportNETFile(VexUnicodeString(PathOf("plant.txt"))); });
  EXPECT_EQ(LastMessage(), TabMessage(2, Text("GrdGUI_ProjTab_IncorrectNETFileExt")));
  InEvent([&] { Frame().ImportNETFile(VexUnicodeString(PathOf("gone.net"))); });
  EXPECT_EQ(LastMessage(), TabMessage(2, Text("GrdGUI_UnableToFindFile") + "gone.net"));
  EXPECT_TRUE(Model().empty());
}
