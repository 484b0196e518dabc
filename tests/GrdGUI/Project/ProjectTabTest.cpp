#include "ProjectTabTest.h"

#include "VexDlgEditor.h"
#include "VexSession.h"

namespace {

// The error display shows its display kinds 1 to 3 as the message window's kinds 3, 2 and 1.
int WindowKindOf(int displayKind) { return displayKind == 4 ? 4 : 4 - displayKind; }

}  // namespace

std::string ProjectTabTest::WriteMasterFile(const std::string& name) {
  std::string path = PathOf(name);
  VexUnicodeString directory, baseName;
  Project().CreateNewMasterFile(VexUnicodeString(path),
                                Project().SplitPath(VexUnicodeString(path), &directory, &baseName));
  return path;
}

std::string ProjectTabTest::WriteNetworkFile(const std::string& name, const std::string& content) {
  return Folder().Write(name, content).string();
}

std::string ProjectTabTest::TabMessage(int kind, const VexUnicodeString& text) {
  return std::to_string(WindowKindOf(kind)) + "|" + Text("GrdGUI_ProjTab_ErrorDialogTitle").str() +
         "|" + text.str();
}

std::string ProjectTabTest::WarningMessage(const VexUnicodeString& text) {
  return "2|Warning|" + text.str();
}

std::string ProjectTabTest::LastQuestion() {
  std::string question;
  for (const VexUserLogEntry& entry : VexSession::GetSession().GetUserLog().GetEntries()) {
    if (entry.form == VexUserLogEntry::Form::Question) question = entry.text.str();
  }
  return question;
}

int ProjectTabTest::ActionsSensitive() {
  int sensitive = 0;
  for (const char* button : {"ViewOneLineDiagram", "EditMaster", "Synchronize"}) {
    if (Ui().Find(button).GetSensitivity() == VexDialog::kSensitive) ++sensitive;
  }
  return sensitive == 3 ? 1 : (sensitive == 0 ? 0 : -1);
}

std::vector<std::string> ProjectTabTest::RecentFiles() {
  std::vector<std::string> paths;
  if (const VexListValVexUnicodeString* list = Frame().GetRecentMasterFiles()) {
    for (const VexUnicodeString& path : *list) paths.push_back(path.str());
  }
  return paths;
}

std::vector<std::string> ProjectTabTest::ModelNodes() {
  std::vector<std::string> ids;
  auto nodes = Project().GetLstOfNodes();
  for (const auto& node : *nodes) ids.push_back(node->GetNodeId().str());
  return ids;
}

std::vector<std::string> ProjectTabTest::ModelBranches() {
  std::vector<std::string> ids;
  auto branches = Project().GetLstOfBranches();
  for (const auto& branch : *branches) {
    ids.push_back(branch->GetFromNodeId().str() + "->" + branch->GetToNodeId().str());
  }
  return ids;
}
