#include "AssociateTest.h"

#include <fstream>

#include "VexDlgMultiList.h"
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

VexVar<VexPlantElement> AssociateTest::Conduit(const std::string& name) {
  return AddElement(name, VexElementKind::Conduit, {}, "Conduit 50 mm");
}

void AssociateTest::OpenPage(const std::vector<VexVar<VexPlantElement>>& elements) {
  if (masterFile_.empty()) masterFile_ = MakeMasterFile();
  std::vector<VexBaseUnknown_var> selection;
  for (const auto& element : elements) selection.emplace_back(element);
  Select(selection);
  StartCommand();
  Ui().SelectPage("TabContainer", VexGrdPanel::kAssociateTab);
}

std::vector<std::string> AssociateTest::Rows(const std::string& path) {
  auto& list = Ui().Get<VexDlgMultiList>("AssociateTab/" + path);
  std::vector<std::string> rows;
  for (int row = 0; row < list.GetLineCount(); ++row) {
    std::string text;
    for (int column = 0; column < list.GetColumnCount(); ++column) {
      VexUnicodeString cell;
      list.GetColumnItem(column, cell, row);
      text += (column ? "|" : "") + cell.str();
    }
    rows.push_back(text);
  }
  return rows;
}

bool AssociateTest::Usable(const std::string& path) { return Ui().Find(path).IsUsable(); }

void AssociateTest::SelectRowShowing(const std::string& path, int column, const std::string& text) {
  auto& list = Ui().Get<VexDlgMultiList>("AssociateTab/" + path);
  for (int row = 0; row < list.GetLineCount(); ++row) {
    VexUnicodeString cell;
    list.GetColumnItem(column, cell, row);
    if (cell.str() == text) return Ui().SelectRows("AssociateTab/" + path, {row});
  }
  FAIL() << path << " shows no row with " << text;
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

std::vector<std::string> AssociateTest::MasterFileLines() {
  std::ifstream in(masterFile_);
  std::vector<std::string> lines;
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

int AssociateTest::OpenDialogCount() {
  int count = 0;
  for (VexDialog* child : Panel().GetChildren()) {
    count += std::string(child->GetName()) == "NodeBranchDlg";
  }
  return count;
}
