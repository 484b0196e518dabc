#include "VexGrdResultAnalyzerDlg.h"

#include "VexDlgCombo.h"
#include "VexDlgFrame.h"
#include "VexDlgSelectorList.h"
#include "VexGrdErrorTreatment.h"
#include "VexGrdProject.h"
#include "VexGrdTrace.h"

namespace {

VexGrdTraceChannels gTrace(0, "STDERR");
constexpr const char* kClass = "VexGrdResultAnalyzerDlg";
constexpr int kShow = 2;
constexpr int kHide = 4;
constexpr int kInsensitive = 16;

VexDialog* WindowOf(VexDialog* parent) {
  if (!parent) return nullptr;
  VexDialog* window = parent->GetFatherWindow();
  return window ? window : parent;
}

}  // namespace

VEX_IMPLEMENT_CLASS(VexGrdResultAnalyzerDlgOK, VexNotification, "VexNull", "VoltariaUI")

VexGrdResultAnalyzerDlg::VexGrdResultAnalyzerDlg(VexDialog* parent, VexGrdProject* project,
                                                 const VexListValVexUnicodeString identifiers,
                                                 const VexUnicodeString& idToShow,
                                                 const int& kind)
    : VexFrmDialog(WindowOf(parent), "ResultAnalyzerDlg", 0x40601) {
  VexGrdTraceScope scope(gTrace.grdui1, 1, kClass, "Constructor");
  InitializePrivateData();
  _pProject = project;

  _pMainFrame = new VexDlgFrame(this, "MainTxtFrame", 0x80001);
  _pNodeBranchCombo = new VexDlgCombo(_pMainFrame, "TxtNdBrCombo", 0x40000);
  _pNodeBranchCombo->SetSensitivity(kInsensitive);
  _pNodeBranchCombo->SetVisibleTextWidth(23);
  for (const VexUnicodeString& id : identifiers) {
    if (id.GetLengthInChar() > 0) _pNodeBranchCombo->SetLine(id, -1);
  }
  bool preselect = kind == 1 && idToShow.GetLengthInChar() > 0;
  if (preselect) _pNodeBranchCombo->SetSelect(idToShow, 1);

  _pResultList = new VexDlgSelectorList(_pMainFrame, "TxtNodeBrSelList", 0);
  _pResultList->SetVisibleTextHeight(6);
  _pResultList->SetVisibleTextWidth(25);

  AddAnalyseNotificationCB(this, GetDiaOKNotification(), &VexGrdResultAnalyzerDlg::SelOK, nullptr);
  AddAnalyseNotificationCB(this, GetDiaCANCELNotification(), &VexGrdResultAnalyzerDlg::SelOK, nullptr);
  AddAnalyseNotificationCB(this, GetWindCloseNotification(), &VexGrdResultAnalyzerDlg::SelOK, nullptr);
  AddAnalyseNotificationCB(_pNodeBranchCombo, _pNodeBranchCombo->GetComboSelectNotification(),
                           &VexGrdResultAnalyzerDlg::ProcessTxtNodeBrCombo, nullptr);
  SetVisibility(kShow);
  SetDefaultButton(0);
  _pMainFrame->SetGridConstraints(0, 0, 1, 1, 30);
  _pNodeBranchCombo->SetGridConstraints(0, 0, 1, 1, 2);
  _pResultList->SetGridConstraints(0, 1, 1, 1, 2);

  // The person opened the analyzer to read the results of the identifier they clicked, and the
  // combo stays insensitive, so the lines are listed now rather than after a selection that can
  // never come.
  if (preselect) ProcessTxtNodeBrCombo(nullptr, nullptr, nullptr);
}

VexGrdResultAnalyzerDlg::~VexGrdResultAnalyzerDlg() {
  VexGrdTraceScope scope(gTrace.grdui1, 1, kClass, "Destructor");
  InitializePrivateData();
}

void VexGrdResultAnalyzerDlg::InitializePrivateData() {
  VexGrdTraceScope scope(gTrace.grdui2, 2, kClass, "InitializePrivateData",
                         VexGrdTraceScope::Shape::Entering);
  _pMainFrame = nullptr;
  _pNodeBranchCombo = nullptr;
  _pResultList = nullptr;
  _pProject = nullptr;
}

const char* VexGrdResultAnalyzerDlg::GetResourceFileName(int level) const {
  return level == 0 ? kClass : VexFrmDialog::GetResourceFileName(level - 1);
}

void VexGrdResultAnalyzerDlg::ProcessTxtNodeBrCombo(VexCommand*, VexNotification*, void*) {
  VexGrdTraceScope scope(gTrace.grdui2, 2, kClass, "ProcessTxtNodeBrCombo");
  VexGrdRunGuarded(VexGrdTreatments::kWarnInput, gTrace.grdui2, kClass, "ProcessTxtNodeBrCombo", [this] {
    if (!_pNodeBranchCombo || !_pResultList) return;
    VexUnicodeString id;
    _pNodeBranchCombo->GetLine(_pNodeBranchCombo->GetSelect(), id);
    if (id.GetLengthInChar() == 0) return;
    _pResultList->ClearLine();
    VexListValVexUnicodeString lines;
    if (_pProject) lines = _pProject->GetListOfTxtResults(id);
    for (const VexUnicodeString& line : lines) {
      if (line.GetLengthInChar() > 0) _pResultList->SetLine(line, -1);
    }
  });
}

void VexGrdResultAnalyzerDlg::SelOK(VexCommand*, VexNotification*, void*) {
  VexGrdTraceScope scope(gTrace.grdui2, 2, kClass, "SelOK");
  SetVisibility(kHide);
  VexNotification_var closed(new VexGrdResultAnalyzerDlgOK);
  GetCallbackManager()->DispatchCallbacks(closed.get(), this);
}
