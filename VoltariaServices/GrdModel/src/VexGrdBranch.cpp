#include "VexGrdBranch.h"

#include "VexError.h"
#include "VexGrdNetworkModel.h"

void VexGrdBranch::SetLength(double length) {
  if (!GetModel()) {
    throw VexInternalError(3, "InvalidArgument", "VexGrdUtilitiesErrMsgCat",
                           {"SetLength", GetBranchId()});
  }
  GetModel()->SetBranchLength(*this, length);
}

std::unique_ptr<VexListValVexIGrdNavigate_var> VexGrdBranch::GetNeighbours() {
  auto neighbours = std::make_unique<VexListValVexIGrdNavigate_var>();
  if (!GetModel()) return neighbours;
  for (const VexUnicodeString* end : {&from_, &to_}) {
    VexGrdNode* node = GetModel()->FindNode(*end);
    if (node && !(end == &to_ && to_ == from_)) {
      neighbours->Append(VexIGrdNavigate_var(static_cast<VexIGrdNavigate*>(node)));
    }
  }
  AppendLinkedElements(*neighbours);
  return neighbours;
}
