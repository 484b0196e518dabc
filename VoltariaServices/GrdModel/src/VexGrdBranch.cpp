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
