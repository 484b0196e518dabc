#include "AssociateTest.h"

#include "VexIGrdBranch.h"
#include "VexIGrdNode.h"

namespace {

std::vector<std::string> NamesOf(std::unique_ptr<VexListValVexIGrd3DComponent_var> components) {
  std::vector<std::string> names;
  for (int i = 1; components && i <= components->Size(); ++i) {
    names.push_back(VexIAECElement_var((*components)[i])->GetName().str());
  }
  return names;
}

}  // namespace

void AssociateTest::OpenPage(const std::vector<VexVar<VexPlantElement>>& elements) {
  MakeMasterFile();
  Select({elements.begin(), elements.end()});
  StartCommand();
  Ui().SelectPage("TabContainer", VexGrdPanel::kAssociateTab);
}

std::vector<std::string> AssociateTest::LinkedToNode(const std::string& id) {
  VexIGrdNode_var node = Project().SearchForNodeId(VexUnicodeString(id));
  return node ? NamesOf(node->GetLinkedComponents()) : std::vector<std::string>{"(no node)"};
}

std::vector<std::string> AssociateTest::LinkedToBranch(const std::string& from,
                                                       const std::string& to) {
  VexIGrdBranch_var branch =
      Project().SearchForBranchId(VexUnicodeString(from), VexUnicodeString(to));
  return branch ? NamesOf(branch->GetLinkedComponents()) : std::vector<std::string>{"(no branch)"};
}
