#include "VexGrdResultsFrm.h"

#include "VexDlgCombo.h"
#include "VexDlgLabel.h"
#include "VexDlgPushButton.h"
#include "VexDlgSelectorList.h"
#include "VexDlgSeparator.h"
#include "VexFrmEditor.h"
#include "VexGrdErrorTreatment.h"
#include "VexGrdPanel.h"
#include "VexGrdProject.h"
#include "VexGrdTrace.h"

namespace {

VexGrdTraceChannels gTrace(0, "STDERR");
constexpr const char* kClass = "VexGrdResultsFrm";
constexpr int kTextResults = 1;
constexpr int kColorResults = 2;
constexpr int kSensitive = 8;
constexpr int kInsensitive = 16;

void AppendNonEmpty(const VexListValVexUnicodeString& texts, VexDlgCombo& combo) {
  for (const VexUnicodeString& text : texts) {
    if (text.GetLengthInChar() > 0) combo.SetLine(text, -1);
  }
}

void AppendNonEmpty(const VexListValVexUnicodeString& texts, VexDlgSelectorList& list) {
  for (const VexUnicodeString& text : texts) {
    if (text.GetLengthInChar() > 0) list.SetLine(text, -1);
  }
}

VexNavigation3DViewer* FirstViewerOfCurrentEditor() {
  VexFrmEditor* editor = VexFrmEditor::GetCurrentEditor();
  if (!editor) return nullptr;
  VexISO* interactiveSet = editor->GetISO();
  if (!interactiveSet) return nullptr;
  interactiveSet->Init3DViewerList();
  return interactiveSet->GetNext3DViewer();
}

}  // namespace

VexGrdResultsFrm::VexGrdResultsFrm(VexDialog* father)
    : VexDlgFrame(father, "ResultsFrame", 0xc0001) {
  VexGrdTraceScope scope(gTrace.grdui1, 1, kClass, "Constructor");
  InitializePrivateData();
  _pPanel = dynamic_cast<VexGrdPanel*>(GetFatherWindow());
  BuildTextResults();
  BuildColorResults();
  if (_pPanel) _pProject = _pPanel->GetProject();
  PlaceWidgets();
  BindCallbacks();
}

VexGrdResultsFrm::~VexGrdResultsFrm() {
  VexGrdTraceScope scope(gTrace.grdui1, 1, kClass, "Destructor");
  InitializePrivateData();
}

void VexGrdResultsFrm::InitializePrivateData() {
  VexGrdTraceScope scope(gTrace.grdui2, 2, kClass, "InitializePrivateData",
                         VexGrdTraceScope::Shape::Entering);
  _pTxtResultsFrame = nullptr;
  _pTxtResultIconLabel = nullptr;
  _pTxtFilterFrame = nullptr;
  _pTxtSeparator = nullptr;
  _pViewTxtResultLabel = nullptr;
  _pViewTxtResultFrame = nullptr;
  _pTxtFilterLabel = nullptr;
  _pTextAnnotateButton = nullptr;
  _pTxtLabelComboFrame = nullptr;
  _pTxtResultSelLabel = nullptr;
  _pNodeBranchCombo = nullptr;
  _pTxtResultsList = nullptr;
  _pClrResultsFrame = nullptr;
  _pClrResultIconLabel = nullptr;
  _pClrFilterLabel = nullptr;
  _pColorAnnotateButton = nullptr;
  _pPanel = nullptr;
  _pProject = nullptr;
}

const char* VexGrdResultsFrm::GetResourceFileName(int level) const {
  return level == 0 ? kClass : VexDlgFrame::GetResourceFileName(level - 1);
}

void VexGrdResultsFrm::BuildTextResults() {
  _pTxtResultsFrame = new VexDlgFrame(this, "TxtResultsFrm", 1);
  _pTxtResultIconLabel = new VexDlgLabel(_pTxtResultsFrame, "TxtResultIconLbl", 0);
  _pTxtResultIconLabel->SetIconName("I_GrdResultsTxt", "", "", "");
  _pTxtFilterFrame = new VexDlgFrame(_pTxtResultsFrame, "TxtFilterFrame", 0xc0001);
  _pTxtFilterLabel = new VexDlgLabel(_pTxtFilterFrame, "TxtFilterLbl", 0);
  _pTextAnnotateButton = new VexDlgPushButton(_pTxtFilterFrame, "TextAnnotate", 0);
  _pTxtSeparator = new VexDlgSeparator(_pTxtResultsFrame, "TxtHorSep1", 0);
  _pViewTxtResultLabel = new VexDlgLabel(_pTxtResultsFrame, "ViewTxtResultLbl", 0);
  _pViewTxtResultFrame = new VexDlgFrame(_pTxtResultsFrame, "ViewTxtResultFrm", 0xc0001);
  _pTxtLabelComboFrame = new VexDlgFrame(_pViewTxtResultFrame, "TxtLblComboFrm", 0xc0001);
  _pTxtResultSelLabel = new VexDlgLabel(_pTxtLabelComboFrame, "TxtResultSelLbl", 0);
  _pNodeBranchCombo = new VexDlgCombo(_pTxtLabelComboFrame, "TxtNodeBranchCombo", 0x40000);
  _pNodeBranchCombo->SetSensitivity(kInsensitive);
  _pNodeBranchCombo->SetVisibleTextWidth(24);
  _pTxtResultsList = new VexDlgSelectorList(_pTxtLabelComboFrame, "TxtResultsSelList", 0);
  _pTxtResultsList->SetVisibleTextHeight(6);
  _pTxtResultsList->SetVisibleTextWidth(25);
}

void VexGrdResultsFrm::BuildColorResults() {
  _pClrResultsFrame = new VexDlgFrame(this, "ClrResultsFrm", 1);
  _pClrResultIconLabel = new VexDlgLabel(_pClrResultsFrame, "ClrResultIconLbl", 0);
  _pClrResultIconLabel->SetIconName("I_GrdResultsClr", "", "", "");
  _pClrFilterLabel = new VexDlgLabel(_pClrResultsFrame, "ClrFilterLbl", 0);
  _pColorAnnotateButton = new VexDlgPushButton(_pClrResultsFrame, "ColorAnnotate", 0);
}

void VexGrdResultsFrm::PlaceWidgets() {
  _pTxtResultsFrame->SetGridConstraints(0, 0, 1, 1, 30);
  _pTxtResultIconLabel->SetGridConstraints(0, 0, 1, 1, 2);
  _pTxtFilterFrame->SetGridConstraints(1, 1, 1, 1, 2);
  _pTxtFilterLabel->SetGridConstraints(0, 0, 1, 1, 2);
  _pTextAnnotateButton->SetGridConstraints(1, 0, 1, 1, 4);
  _pTxtSeparator->SetGridConstraints(1, 2, 2, 1, 30);
  _pViewTxtResultLabel->SetGridConstraints(1, 3, 1, 1, 2);
  _pViewTxtResultFrame->SetGridConstraints(1, 4, 1, 1, 2);
  _pTxtLabelComboFrame->SetGridConstraints(0, 0, 1, 1, 2);
  _pTxtResultSelLabel->SetGridConstraints(0, 0, 1, 1, 4);
  _pNodeBranchCombo->SetGridConstraints(1, 0, 1, 1, 2);
  _pTxtResultsList->SetGridConstraints(1, 1, 1, 1, 2);
  _pClrResultsFrame->SetGridConstraints(0, 1, 1, 1, 30);
  _pClrResultIconLabel->SetGridConstraints(0, 0, 1, 1, 2);
  _pClrFilterLabel->SetGridConstraints(1, 1, 1, 1, 2);
  _pColorAnnotateButton->SetGridConstraints(2, 1, 1, 1, 4);
}

void VexGrdResultsFrm::BindCallbacks() {
  AddAnalyseNotificationCB(_pTextAnnotateButton,
                           _pTextAnnotateButton->GetPushBActivateNotification(),
                           &VexGrdResultsFrm::ApplyTxtFilter, nullptr);
  AddAnalyseNotificationCB(_pNodeBranchCombo, _pNodeBranchCombo->GetComboSelectNotification(),
                           &VexGrdResultsFrm::DisplayTxtResults, nullptr);
  AddAnalyseNotificationCB(_pColorAnnotateButton,
                           _pColorAnnotateButton->GetPushBActivateNotification(),
                           &VexGrdResultsFrm::ApplyClrFilter, nullptr);
}

// Text results
// -------------------------------------------------------------------------------------

void VexGrdResultsFrm::ApplyTxtFilter(VexCommand*, VexNotification*, void*) {
  VexGrdTraceScope scope(gTrace.grdui2, 2, kClass, "ApplyTxtFilter");
  VexGrdRunGuarded(VexGrdTreatments::kWarnInput, gTrace.grdui2, kClass, "ApplyTxtFilter", [this] {
    VexListValVexUnicodeString identifiers;
    if (_pProject) {
      _pProject->AnalyzeTextAnnotation();
      identifiers = _pProject->GetListOfNodesBranches(kTextResults);
      _pNodeBranchCombo->ClearLine();
      _pTxtResultsList->ClearLine();
    }
    _pNodeBranchCombo->SetSensitivity(kInsensitive);
    AppendNonEmpty(identifiers, *_pNodeBranchCombo);
    if (identifiers.Size() > 0) _pNodeBranchCombo->SetSensitivity(kSensitive);
  });
}

void VexGrdResultsFrm::DisplayTxtResults(VexCommand*, VexNotification*, void*) {
  VexGrdTraceScope scope(gTrace.grdui2, 2, kClass, "DisplayTxtResults");
  VexGrdRunGuarded(VexGrdTreatments::kWarnInput, gTrace.grdui2, kClass, "DisplayTxtResults",
                   [this] {
                     VexUnicodeString id;
                     _pNodeBranchCombo->GetLine(_pNodeBranchCombo->GetSelect(), id);
                     if (id.GetLengthInChar() == 0) return;
                     _pTxtResultsList->ClearLine();
                     VexListValVexUnicodeString lines;
                     if (_pProject) lines = _pProject->GetListOfTxtResults(id);
                     AppendNonEmpty(lines, *_pTxtResultsList);
                   });
}

// Colour results
// -----------------------------------------------------------------------------------

void VexGrdResultsFrm::ApplyClrFilter(VexCommand*, VexNotification*, void*) {
  VexGrdTraceScope scope(gTrace.grdui2, 2, kClass, "ApplyClrFilter");
  VexGrdRunGuarded(VexGrdTreatments::kWarnInput, gTrace.grdui2, kClass, "ApplyClrFilter", [this] {
    if (!_pProject) return;
    _pProject->AnalyzeColorAnnotation();
    VexListValVexUnicodeString identifiers = _pProject->GetListOfNodesBranches(kColorResults);
    if (identifiers.Size() == 0) return;
    // Only the first viewer is coloured; without one there is nothing to colour.
    if (VexNavigation3DViewer* viewer = FirstViewerOfCurrentEditor()) {
      _pProject->ColorWithEDSA_RGB(viewer, identifiers);
    }
  });
}
