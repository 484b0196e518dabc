#include "VexGrdMRUFileChooser.h"

#include "VexDlgFrame.h"
#include "VexDlgMultiList.h"
#include "VexDlgWindow.h"
#include "VexGrdCatalogText.h"
#include "VexGrdPanel.h"
#include "VexGrdTrace.h"

namespace {

VexGrdTraceChannels gTrace(1, "STDOUT");
constexpr const char* kClass = "VexGrdMRUFileChooser";
constexpr int kHide = 4;
constexpr int kAppendRow = -1;
constexpr int kReplaceItem = 64;

VexDialog* WindowOf(VexDialog* father) {
  if (!father) return nullptr;
  VexDialog* window = father->GetFatherWindow();
  return window ? window : father;
}

}  // namespace

VEX_IMPLEMENT_CLASS(VexGrdMRUFileChosen, VexNotification, "VexNull", "VoltariaUI")

VexGrdMRUFileChooser::VexGrdMRUFileChooser(VexDialog* father, VexGrdPanel* panel,
                                           const VexListValVexUnicodeString entries)
    : VexFrmDialog(WindowOf(father), "MRUFileChooser", 0x40e01) {
  VexGrdTraceScope scope(gTrace.grdui1, 1, kClass, "Constructor");
  InitializePrivateData();
  _pPanel = panel;
  _pListFrame = new VexDlgFrame(this, "LstOfFilesFrm", 0x80001);
  _pFileList = new VexDlgMultiList(_pListFrame, "MultiLstOfFiles", 0);

  VexUnicodeString title = VexGrdCatalogText(_pPanel, "GrdGUI_MRUDialog_ListColumn1");
  _pFileList->SetColumnTitles(1, &title);
  _pFileList->SetColumnTextWidth(100, 0);
  _pFileList->SetVisibleLineCount(4);
  _pFileList->SetVisibleTextWidth(30);
  UpdateList(entries);

  _pListFrame->SetGridConstraints(0, 0, 1, 1, 2);
  _pFileList->SetGridConstraints(0, 0, 1, 1, 2);

  AddAnalyseNotificationCB(this, GetDiaOKNotification(), &VexGrdMRUFileChooser::SelOK, nullptr);
  AddAnalyseNotificationCB(this, GetDiaCANCELNotification(), &VexGrdMRUFileChooser::SelCancel, nullptr);
  AddAnalyseNotificationCB(this, GetWindCloseNotification(), &VexGrdMRUFileChooser::SelCancel, nullptr);
  AddAnalyseNotificationCB(_pFileList, _pFileList->GetListSelectNotification(),
                           &VexGrdMRUFileChooser::ChooseEntry, nullptr);
}

VexGrdMRUFileChooser::~VexGrdMRUFileChooser() {
  VexGrdTraceScope scope(gTrace.grdui1, 1, kClass, "Destructor");
  InitializePrivateData();
}

void VexGrdMRUFileChooser::InitializePrivateData() {
  VexGrdTraceScope scope(gTrace.grdui2, 2, kClass, "InitializePrivateData",
                         VexGrdTraceScope::Shape::Entering);
  _pPanel = nullptr;
  _pListFrame = nullptr;
  _pFileList = nullptr;
}

const char* VexGrdMRUFileChooser::GetResourceFileName(int level) const {
  return level == 0 ? kClass : VexFrmDialog::GetResourceFileName(level - 1);
}

void VexGrdMRUFileChooser::GetSelectedEntry(VexUnicodeString& entry) { entry = _selectedEntry; }

void VexGrdMRUFileChooser::UpdateList(const VexListValVexUnicodeString entries) {
  VexGrdTraceScope scope(gTrace.grdui2, 2, kClass, "UpdateList");
  if (!_pFileList) return;
  if (_pFileList->GetLineCount() > 0) _pFileList->ClearLine();
  for (const VexUnicodeString& entry : entries) {
    if (entry.GetLengthInChar() > 0) _pFileList->SetColumnItem(0, entry, kAppendRow, kReplaceItem);
  }
}

void VexGrdMRUFileChooser::ChooseEntry(VexCommand*, VexNotification*, void*) {
  VexGrdTraceScope scope(gTrace.grdui2, 2, kClass, "ChooseEntry");
  _selectedEntry = VexUnicodeString();
  if (!_pFileList || _pFileList->GetLineCount() == 0) return;
  int row = -1;
  _pFileList->GetSelect(&row, 1);
  if (row >= 0 && row < _pFileList->GetLineCount()) _pFileList->GetColumnItem(0, _selectedEntry, row);
}

void VexGrdMRUFileChooser::SelOK(VexCommand*, VexNotification*, void*) {
  VexGrdTraceScope scope(gTrace.grdui2, 2, kClass, "SelOK");
  Announce();
}

void VexGrdMRUFileChooser::SelCancel(VexCommand*, VexNotification*, void*) {
  VexGrdTraceScope scope(gTrace.grdui2, 2, kClass, "SelCancel");
  _selectedEntry = VexUnicodeString();
  Announce();
}

void VexGrdMRUFileChooser::Announce() {
  SetVisibility(kHide);
  VexNotification_var chosen(new VexGrdMRUFileChosen);
  GetCallbackManager()->DispatchCallbacks(chosen.get(), this);
}
