#include "ProjectTabTest.h"

#include "VexIGrdBranch.h"
#include "VexIGrdNode.h"

std::string ProjectTabTest::WriteMasterFile(const std::string& name) {
  std::string path = PathOf(name);
  VexUnicodeString directory, baseName;
  Project().CreateNewMasterFile(VexUnicodeString(path),
                                Project().SplitPath(VexUnicodeString(path), &directory, &baseName));
  return path;
}

std::string ProjectTabTest::TabMessage(int kind, const VexUnicodeString& text) {
  // The error display shows its display kinds 1 to 3 as the message window's kinds 3, 2 and 1.
  const int windowKind = kind == 4 ? 4 : 4 - kind;
  return std::to_string(windowKind) + "|" + Text("GrdGUI_ProjTab_ErrorDialogTitle").str() + "|" +
         text.str();
}

int ProjectTabTest::ActionsSensitive() {
  int sensitive = 0;
  for (const char* button : {"ViewOneLineDiagram", "EditMaster", "Synchronize"}) {
    if (Ui().Find(button).GetSensitivity() == VexDialog::kSensitive) ++sensitive;
  }
  return sensitive == 3 ? 1 : (sensitive == 0 ? 0 : -1);
}

std::vector<std::string> ProjectTabTest::Model() {
  std::vector<std::string> ids;
  auto nodes = Project().GetLstOfNodes();
  for (const auto& node : *nodes) ids.push_back(node->GetNodeId().str());
  auto branches = Project().GetLstOfBranches();
  for (const auto& branch : *branches) {
    ids.push_back(branch->GetFromNodeId().str() + "->" + branch->GetToNodeId().str());
  }
  return ids;
}
