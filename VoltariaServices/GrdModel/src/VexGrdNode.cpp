#include "VexGrdNode.h"

#include "VexGrdNetworkModel.h"

std::unique_ptr<VexListValVexIGrdNavigate_var> VexGrdNode::GetNeighbours() {
  auto neighbours = std::make_unique<VexListValVexIGrdNavigate_var>();
  if (!GetModel()) return neighbours;
  for (VexGrdBranch* branch : GetModel()->GetBranchesAt(id_)) {
    neighbours->Append(VexIGrdNavigate_var(static_cast<VexIGrdNavigate*>(branch)));
  }
  AppendLinkedElements(*neighbours);
  return neighbours;
}
