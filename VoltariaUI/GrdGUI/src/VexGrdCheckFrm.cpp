#include "VexGrdCheckFrm.h"

#include "VexDlgPushButton.h"
#include "VexDlgSelectorList.h"
#include "VexGrdTrace.h"

namespace {

VexGrdTraceChannels gTrace(1, "STDOUT");
constexpr const char* kClass = "VexGrdCheckFrm";

}  // namespace

VexGrdCheckFrm::VexGrdCheckFrm(VexDialog* father) : VexDlgFrame(father, "Check_Frame", 0xc0001) {
  VexGrdTraceScope scope(gTrace.grdui1, 1, kClass, "Constructor");
  InitializePrivateData();
  _pCheckFrame = new VexDlgFrame(this, "CheckFrm", 1);
  _pCheckFrame->SetGridConstraints(0, 0, 1, 1, 126);
  _pProgramList = new VexDlgSelectorList(_pCheckFrame, "ProgramList", 0);
  _pProgramList->SetVisibleTextWidth(30);
  _pProgramList->SetVisibleTextHeight(8);
  _pProgramList->SetGridConstraints(0, 0, 1, 1, 126);
  _pRunButton = new VexDlgPushButton(this, "Run", 0);
  _pRunButton->SetGridConstraints(0, 1, 1, 1, 126);
}

VexGrdCheckFrm::~VexGrdCheckFrm() {
  VexGrdTraceScope scope(gTrace.grdui1, 1, kClass, "Destructor");
  InitializePrivateData();
}

void VexGrdCheckFrm::InitializePrivateData() {
  VexGrdTraceScope scope(gTrace.grdui2, 2, kClass, "InitializePrivateData",
                         VexGrdTraceScope::Shape::Entering);
  _pCheckFrame = nullptr;
  _pRunButton = nullptr;
  _pProgramList = nullptr;
}

const char* VexGrdCheckFrm::GetResourceFileName(int level) const {
  return level == 0 ? kClass : VexDlgFrame::GetResourceFileName(level - 1);
}
