#include "VexGrdCableFrm.h"

#include <string>
#include <vector>

#include "VexCkeUnitFrame.h"
#include "VexDlgCombo.h"
#include "VexDlgDialog.h"
#include "VexDlgEditor.h"
#include "VexDlgLabel.h"
#include "VexDlgMultiList.h"
#include "VexDlgPushButton.h"
#include "VexDlgSeparator.h"
#include "VexFileMenuMethods.h"
#include "VexFileServices.h"
#include "VexFmuServices.h"
#include "VexGrdCatalogText.h"
#include "VexGrdConduit.h"
#include "VexGrdErrorTreatment.h"
#include "VexGrdMRUFileChooser.h"
#include "VexGrdPanel.h"
#include "VexGrdProject.h"
#include "VexGrdStoredList.h"
#include "VexGrdTrace.h"
#include "VexIAECElement.h"
#include "VexIFmuDocChooser.h"
#include "VexParmDictionary.h"
#include "VexSettingRepository.h"

namespace {

VexGrdTraceChannels gTrace(0, "STDERR");
constexpr const char* kClass = "VexGrdCableFrm";

constexpr int kShow = VexDialog::kShown;
constexpr int kHide = VexDialog::kHidden;
constexpr int kEnable = VexDialog::kSensitive;
constexpr int kDisable = VexDialog::kInsensitive;
constexpr int kReportKind = 3;
constexpr int kQuestionKind = 4;
constexpr int kYes = 1;
constexpr int kMaxBaseNameLength = 8;  // EDSA's limit on job file names

constexpr const char* kCablePullProgram = "cablpull.exe";
constexpr const char* kWireSizeProgram = "Wwrsznec.exe";
constexpr const char* kCablePullExtension = ".cpd";
constexpr const char* kWireSizeExtension = ".wsw";

// Cable-pull modes of the EDSA program.
constexpr int kModeGlobalData = 1;
constexpr int kModeSegmentData = 2;
constexpr int kModeShortReport = 3;
constexpr int kModeDetailedReport = 4;
constexpr int kDetailedRow = 1;

// Runs refuse to go on after an input error of severity 0 as after any other error.
const VexGrdErrorTreatment kRunTreatment{
    {VexGrdErrorTreatment::kReraise, 2, 2, 2, VexGrdErrorTreatment::kReraise}};

// The message of each status of the conduit services' segment-data writing.
const char* SegmentStatusKey(int status) {
  switch (status) {
    case 10:
    case 11:
      return "GrdGUI_CableTab_UnableToWriteSegmentData";
    case 20:
      return "GrdGUI_CableTab_InsufficientSegmentPoints";
    case 30:
      return "GrdGUI_CableTab_InsufficientSegments";
    case 40:
      return "GrdGUI_CableTab_PerpendicularLinearSegments";
    default:
      return "GrdGUI_CableTab_SegmentError";
  }
}

VexString NumberedKey(const char* prefix, const char* kind, int number) {
  VexUnicodeString suffix;
  suffix.ConvertNumToString(number, "%d");
  return VexString(std::string(prefix) + kind + suffix.str());
}

bool FileExists(const VexUnicodeString& fileName, const VexUnicodeString& directory) {
  return VexFindPath(fileName.ConvertToChar(), directory.ConvertToChar()) != 0;
}

}  // namespace

// Construction
// -------------------------------------------------------------------------------------

VexGrdCableFrm::VexGrdCableFrm(VexDialog* father) : VexDlgFrame(father, "Cables_Frame", 0x80001) {
  VexGrdTraceScope scope(gTrace.grdui1, 1, kClass, "Constructor");
  InitializePrivateData();
  _pPanel = dynamic_cast<VexGrdPanel*>(GetFatherWindow());
  _lengthMagnitude = VexParmDictionary::FindMagnitude("LENGTH");
  BuildWidgets();
  if (_pPanel) _pProject = _pPanel->GetProject();
  if (_pProject) {
    _pConduit = _pProject->GetGrdConduitObj();
    if (_pConduit) _pConduit->SetJobFilePath(VexUnicodeString());
  }
  BindCallbacks();
}

void VexGrdCableFrm::BuildWidgets() {
  _pCableSpecsFrame = new VexDlgFrame(this, "CableSpecs", 1);
  _pCableSpecsFrame->SetGridConstraints(0, 0, 1, 1, 30);
  _pCablePullFrame = new VexDlgFrame(this, "CablePull", 1);
  _pCablePullFrame->SetGridConstraints(0, 1, 1, 1, 30);
  _pCableSizeFrame = new VexDlgFrame(this, "CableSize", 1);
  _pCableSizeFrame->SetGridConstraints(0, 2, 1, 1, 30);

  _pSelectionList = new VexDlgMultiList(_pCableSpecsFrame, "CSOMultiList", 0);
  VexUnicodeString titles[2] = {VexGrdCatalogText(_pPanel, "GrdGUI_CSO_Column1"),
                                VexGrdCatalogText(_pPanel, "GrdGUI_CSO_Column2")};
  _pSelectionList->SetColumnTitles(2, titles);
  _pSelectionList->SetColumnTextWidth(12, 0);
  _pSelectionList->SetColumnTextWidth(12, 1);
  _pSelectionList->SetVisibleColumnCount(2);
  _pSelectionList->SetVisibleLineCount(4);
  _pSelectionList->SetGridConstraints(0, 0, 2, 1, 30);
  _pSizeFrame = new VexDlgFrame(_pCableSpecsFrame, "VexCndtSizeFrm", 0x80001);
  _pSizeFrame->SetGridConstraints(0, 1, 1, 1, 30);
  _pDiameterLabel = new VexDlgLabel(_pSizeFrame, "DiamLabel", 0);
  _pDiameterLabel->SetGridConstraints(0, 0, 1, 1, 100);
  _pDiameterEditor = new VexCkeUnitFrame(_pSizeFrame, "XEditor", 0);
  _pDiameterEditor->Set(_lengthMagnitude, 0.0);
  _pDiameterEditor->SetGridConstraints(1, 0, 1, 1, 100);

  _pDefineFrame = new VexDlgFrame(_pCablePullFrame, "DefineCblFrm", 0x80001);
  _pDefineFrame->SetGridConstraints(0, 0, 3, 1, 30);
  _pSeparator = new VexDlgSeparator(_pCablePullFrame, "CablePullSeparator1", 0);
  _pSeparator->SetGridConstraints(0, 1, 3, 1, 30);
  _pStepFrame = new VexDlgFrame(_pCablePullFrame, "ChooseCblFrm", 0x80001);
  _pStepFrame->SetGridConstraints(0, 2, 3, 1, 30);

  _pFileLabel = new VexDlgLabel(_pDefineFrame, "NewCableLocLbl", 0);
  _pFileLabel->SetGridConstraints(0, 0, 1, 1, 100);
  _pCablePullEditor = new VexDlgEditor(_pDefineFrame, "OldCableLocEdt", 0);
  _pCablePullEditor->SetMaxCharacterWidth(256);
  _pCablePullEditor->SetVisibleTextWidth(20);
  _pCablePullEditor->SetGridConstraints(1, 0, 1, 1, 98);
  _pRecentCablePullButton = new VexDlgPushButton(_pDefineFrame, "SelMRUCblPullFileBtn", 0);
  _pRecentCablePullButton->SetIconName("I_GrdComboIcon", "", "", "");
  _pRecentCablePullButton->SetGridConstraints(2, 0, 1, 1, 98);
  _pBrowseCablePullButton = new VexDlgPushButton(_pDefineFrame, "SelCblPullFilBtn", 0);
  _pBrowseCablePullButton->SetGridConstraints(3, 0, 1, 1, 98);
  _pReportLabel = new VexDlgLabel(_pDefineFrame, "CblPullResultLbl", 0);
  _pReportLabel->SetGridConstraints(0, 1, 1, 1, 100);
  _pReportCombo = new VexDlgCombo(_pDefineFrame, "CblPullResultCmb", 0x40000);
  VexUnicodeString reports[2] = {"SHORT", "DETAILED"};
  _pReportCombo->SetLine(reports, 2);
  _pReportCombo->SetGridConstraints(1, 1, 1, 1, 98);
  _pRunCablePullButton = new VexDlgPushButton(_pDefineFrame, "RunCblPullBtn", 0);
  _pRunCablePullButton->SetGridConstraints(2, 1, 1, 1, 98);

  _pGlobalDataLabel = new VexDlgLabel(_pStepFrame, "DefCableGblDataLbl", 0);
  _pGlobalDataLabel->SetGridConstraints(0, 0, 1, 1, 100);
  _pSegmentDataLabel = new VexDlgLabel(_pStepFrame, "DefCableSegDataLbl", 0);
  _pSegmentDataLabel->SetGridConstraints(0, 1, 1, 1, 100);
  _pGlobalDataButton = new VexDlgPushButton(_pStepFrame, "ProcessGlobal", 0);
  _pGlobalDataButton->SetGridConstraints(1, 0, 1, 1, 98);
  _pSegmentDataButton = new VexDlgPushButton(_pStepFrame, "ProcessSegments", 0);
  _pSegmentDataButton->SetGridConstraints(1, 1, 1, 1, 98);
  UpdateStepWidgets();

  _pWireSizeLabel = new VexDlgLabel(_pCableSizeFrame, "SizeJobLabel", 0);
  _pWireSizeLabel->SetGridConstraints(0, 0, 1, 1, 100);
  _pWireSizeEditor = new VexDlgEditor(_pCableSizeFrame, "SizeJobFile", 0);
  _pWireSizeEditor->SetMaxCharacterWidth(256);
  _pWireSizeEditor->SetVisibleTextWidth(20);
  _pWireSizeEditor->SetGridConstraints(1, 0, 1, 1, 98);
  _pRecentWireSizeButton = new VexDlgPushButton(_pCableSizeFrame, "SelMRUCblSizeFileBtn", 0);
  _pRecentWireSizeButton->SetIconName("I_GrdComboIcon", "", "", "");
  _pRecentWireSizeButton->SetGridConstraints(2, 0, 1, 1, 98);
  _pBrowseWireSizeButton = new VexDlgPushButton(_pCableSizeFrame, "SelWrSzFileBtn", 0);
  _pBrowseWireSizeButton->SetGridConstraints(3, 0, 1, 1, 98);
  _pRunWireSizeButton = new VexDlgPushButton(_pCableSizeFrame, "SizeRun", 0);
  _pRunWireSizeButton->SetGridConstraints(2, 1, 1, 1, 98);
}

void VexGrdCableFrm::BindCallbacks() {
  AddAnalyseNotificationCB(_pCablePullEditor, _pCablePullEditor->GetEditModifyNotification(),
                           &VexGrdCableFrm::Key_ExistingJobFile, nullptr);
  AddAnalyseNotificationCB(_pRecentCablePullButton,
                           _pRecentCablePullButton->GetPushBActivateNotification(),
                           &VexGrdCableFrm::SelMRUCblPullFile, nullptr);
  AddAnalyseNotificationCB(_pBrowseCablePullButton,
                           _pBrowseCablePullButton->GetPushBActivateNotification(),
                           &VexGrdCableFrm::SelCblPullFile, nullptr);
  AddAnalyseNotificationCB(_pRunCablePullButton,
                           _pRunCablePullButton->GetPushBActivateNotification(),
                           &VexGrdCableFrm::ProcessResultsCombo, nullptr);
  AddAnalyseNotificationCB(_pGlobalDataButton, _pGlobalDataButton->GetPushBActivateNotification(),
                           &VexGrdCableFrm::ProcessGlobalData, nullptr);
  AddAnalyseNotificationCB(_pSegmentDataButton, _pSegmentDataButton->GetPushBActivateNotification(),
                           &VexGrdCableFrm::ProcessSegmentData, nullptr);
  AddAnalyseNotificationCB(_pWireSizeEditor, _pWireSizeEditor->GetEditModifyNotification(),
                           &VexGrdCableFrm::KeyWrSzFile, nullptr);
  AddAnalyseNotificationCB(_pRecentWireSizeButton,
                           _pRecentWireSizeButton->GetPushBActivateNotification(),
                           &VexGrdCableFrm::SelMRUCblSizeFile, nullptr);
  AddAnalyseNotificationCB(_pBrowseWireSizeButton,
                           _pBrowseWireSizeButton->GetPushBActivateNotification(),
                           &VexGrdCableFrm::SelWireSzFile, nullptr);
  AddAnalyseNotificationCB(_pRunWireSizeButton, _pRunWireSizeButton->GetPushBActivateNotification(),
                           &VexGrdCableFrm::RunWireSize, nullptr);
}

VexGrdCableFrm::~VexGrdCableFrm() {
  VexGrdTraceScope scope(gTrace.grdui1, 1, kClass, "Destructor");
  _cablePullFiles.RemoveAll();
  _wireSizeFiles.RemoveAll();
  if (_pRecentFileChooser) {
    RemoveSubscriberCallbacks(_pRecentFileChooser);
    VexCommandDeletion(_pRecentFileChooser);
  }
  _pFileChooser.reset();
  _lengthMagnitude.Reset();
  InitializePrivateData();
}

void VexGrdCableFrm::InitializePrivateData() {
  VexGrdTraceScope scope(gTrace.grdui2, 2, kClass, "InitializePrivateData",
                         VexGrdTraceScope::Shape::Entering);
  _jobKind = 0;
  _pCableSpecsFrame = nullptr;
  _pCablePullFrame = nullptr;
  _pDefineFrame = nullptr;
  _pStepFrame = nullptr;
  _pCableSizeFrame = nullptr;
  _pSizeFrame = nullptr;
  _pDiameterEditor = nullptr;
  _pRecentFileChooser = nullptr;
  _pFileChooser.reset();
  _pRecentCablePullButton = nullptr;
  _pCablePullEditor = nullptr;
  _pRecentWireSizeButton = nullptr;
  _pWireSizeEditor = nullptr;
  _pFileLabel = nullptr;
  _pGlobalDataLabel = nullptr;
  _pSegmentDataLabel = nullptr;
  _pReportLabel = nullptr;
  _pDiameterLabel = nullptr;
  _pWireSizeLabel = nullptr;
  _pReportCombo = nullptr;
  _pBrowseCablePullButton = nullptr;
  _pRunCablePullButton = nullptr;
  _pBrowseWireSizeButton = nullptr;
  _pSegmentDataButton = nullptr;
  _pGlobalDataButton = nullptr;
  _pRunWireSizeButton = nullptr;
  _pSeparator = nullptr;
  _pSelectionList = nullptr;
  _pPanel = nullptr;
  _pProject = nullptr;
  _pConduit = nullptr;
  _segmentStepOffered = false;
}

void VexGrdCableFrm::ReleaseReference::operator()(VexIFmuDocChooser* chooser) const {
  chooser->Release();
}

const char* VexGrdCableFrm::GetResourceFileName(int level) const {
  return level == 0 ? kClass : VexDlgFrame::GetResourceFileName(level - 1);
}

// Messages
// -----------------------------------------------------------------------------------------

int VexGrdCableFrm::DisplayError(const int& kind, const VexUnicodeString& message) {
  VexGrdTraceScope scope(gTrace.grdui2, 2, kClass, "DisplayError",
                         VexGrdTraceScope::Shape::Entering);
  return VexGrdDisplayReport(_pPanel, kind, message, "GrdGUI_CableTab_ErrorDialogTitle");
}

bool VexGrdCableFrm::AskToCreate(const VexUnicodeString& named) {
  VexUnicodeString question = VexGrdCatalogText(_pPanel, "GrdGUI_UnableToFindFile") + named +
                              VexGrdCatalogText(_pPanel, "GrdGUI_CreateNewFile");
  return DisplayError(kQuestionKind, question) == kYes;
}

// Selection
// ----------------------------------------------------------------------------------------

std::unique_ptr<VexListValVexBaseUnknown_var> VexGrdCableFrm::SelectedElements() const {
  return _selectionConverter.GetObjectsInCSO(VexIAECElement::IID().name);
}

void VexGrdCableFrm::ProcessCSO() {
  VexGrdTraceScope scope(gTrace.grdui2, 2, kClass, "ProcessCSO");
  double diameter = 0;
  if (_pSelectionList) {
    _pSelectionList->ClearLine();
    if (std::unique_ptr<VexListValVexBaseUnknown_var> elements = SelectedElements()) {
      if (_pConduit) diameter = _pConduit->CalculateCableDia(elements.get());
      FillSelectionList(*elements);
    }
  }
  if (diameter > 0) {
    if (_pDiameterEditor) _pDiameterEditor->Set(_lengthMagnitude, diameter);
    if (_pConduit) _pConduit->SetCableDia(diameter);
  } else {
    DisplayError(kReportKind, VexGrdCatalogText(_pPanel, "GrdGUI_CableTab_UnsupportedElements"));
  }
}

void VexGrdCableFrm::FillSelectionList(const VexListValVexBaseUnknown_var& elements) {
  int row = 0;
  for (const VexBaseUnknown_var& object : elements) {
    VexIAECElement_var element(object);
    if (!element) continue;
    VexUnicodeString name = element->GetName();
    if (name.IsEmpty()) continue;
    _pSelectionList->SetColumnItem(0, name, row, VexDlgMultiList::kReplace);
    VexITypeDescriptor_var type = element->GetTypeDescriptor();
    VexUnicodeString typeText = type ? type->GetTypeText() : VexUnicodeString();
    if (!typeText.IsEmpty())
      _pSelectionList->SetColumnItem(1, typeText, row, VexDlgMultiList::kReplace);
    ++row;
  }
}

// Recent files and settings
// ------------------------------------------------------------------------

VexGrdCableFrm::JobFiles VexGrdCableFrm::FilesOf(int kind) {
  if (kind == kCablePull)
    return {&_cablePullFiles, _pCablePullEditor, "CUR_CBLPULLFILE", "CBLPULL"};
  return {&_wireSizeFiles, _pWireSizeEditor, "CUR_CBLSIZEFILE", "CBLSIZE"};
}

void VexGrdCableFrm::LoadCableSettings(VexSettingRepository* repository) {
  VexGrdTraceScope scope(gTrace.grdui2, 2, kClass, "LoadCableSettings");
  if (!repository) return;
  LoadSettings(kCablePull, repository);
  LoadSettings(kWireSize, repository);
}

void VexGrdCableFrm::SaveCableSettings(VexSettingRepository* repository) {
  VexGrdTraceScope scope(gTrace.grdui2, 2, kClass, "SaveCableSettings");
  SaveSettings(kCablePull, repository);
  SaveSettings(kWireSize, repository);
}

void VexGrdCableFrm::SaveSettings(const int& kind, VexSettingRepository* repository) {
  VexGrdTraceScope scope(gTrace.grdui2, 2, kClass, "SaveSettings");
  if (!repository || (kind != kCablePull && kind != kWireSize)) return;
  JobFiles files = FilesOf(kind);
  int count = files.list->Size();
  if (count == 0) return;  // the earlier stored list stays

  VexUnicodeString current = files.editor ? files.editor->GetText() : VexUnicodeString();
  int position = GetCurProjIndx(*files.list, current);
  repository->WriteSetting(files.currentKey, &position, 1, 0);
  for (int i = 1; i <= count; ++i) {
    const VexUnicodeString& entry = (*files.list)[i];
    if (entry.IsEmpty()) continue;
    std::string narrow = entry.ConvertToChar();
    int length = static_cast<int>(narrow.size());
    repository->WriteSetting(NumberedKey(files.keyPrefix, "_L", i).CastToCharPtr(), &length, 1, 0);
    repository->WriteSetting(NumberedKey(files.keyPrefix, "_S", i).CastToCharPtr(), narrow.data(),
                             length, 0);
  }
  std::string countKey = std::string(files.keyPrefix) + "_COUNT";
  repository->WriteSetting(countKey.c_str(), &count, 1, 0);
}

void VexGrdCableFrm::LoadSettings(const int& kind, VexSettingRepository* repository) {
  VexGrdTraceScope scope(gTrace.grdui2, 2, kClass, "LoadSettings");
  if (!repository || (kind != kCablePull && kind != kWireSize)) return;
  JobFiles files = FilesOf(kind);
  int count = 0;
  std::string countKey = std::string(files.keyPrefix) + "_COUNT";
  repository->ReadSetting(countKey.c_str(), &count, 1);
  if (count < 1) return;

  const std::string lengthPrefix = std::string(files.keyPrefix) + "_L";
  const int last = VexGrdLastStoredEntry(*repository, count, lengthPrefix.c_str());
  for (int i = 1; i <= last; ++i) {
    int length = 0;
    repository->ReadSetting(NumberedKey(files.keyPrefix, "_L", i).CastToCharPtr(), &length, 1);
    if (length <= 0 || length > kLongestStoredPath) continue;
    std::vector<char> buffer(static_cast<std::size_t>(length) + 1, '\0');
    long read = repository->ReadSetting(NumberedKey(files.keyPrefix, "_S", i).CastToCharPtr(),
                                        buffer.data(), length);
    if (read <= 0) continue;
    VexUnicodeString entry(buffer.data(), static_cast<std::size_t>(length));
    if (!entry.IsEmpty()) files.list->Append(entry);
  }

  int position = 0;
  repository->ReadSetting(files.currentKey, &position, 1);
  if (files.list->Size() >= 1 && position >= 1 && position <= files.list->Size()) {
    const VexUnicodeString& current = (*files.list)[position];
    if (!current.IsEmpty() && files.editor) files.editor->SetText(current, 0);
  }
}

int VexGrdCableFrm::AddIfUnique(VexListValVexUnicodeString* list, const VexUnicodeString& path) {
  VexGrdTraceScope scope(gTrace.grdui2, 2, kClass, "AddIfUnique");
  if (!list || path.IsEmpty()) return 0;
  for (int i = 1; i <= list->Size(); ++i) {
    if ((*list)[i].Compare(path) != 0) return i;
  }
  list->Append(path);
  return list->Size();
}

int VexGrdCableFrm::GetCurProjIndx(const VexListValVexUnicodeString list,
                                   const VexUnicodeString& path) {
  VexGrdTraceScope scope(gTrace.grdui2, 2, kClass, "GetCurProjIndx");
  if (path.IsEmpty()) return -1;
  int position = list.Locate(path);
  return position >= 1 ? position : -1;
}

void VexGrdCableFrm::SetCablePullFile(const VexUnicodeString& path) {
  VexGrdTraceScope scope(gTrace.grdui2, 2, kClass, "SetCablePullFile");
  MakeCurrent(kCablePull, path);
}

void VexGrdCableFrm::SetCableSizeFile(const VexUnicodeString& path) {
  VexGrdTraceScope scope(gTrace.grdui2, 2, kClass, "SetCableSizeFile");
  MakeCurrent(kWireSize, path);
}

void VexGrdCableFrm::SetCurrentFile(int kind, const VexUnicodeString& path) {
  if (kind == kCablePull) {
    SetCablePullFile(path);
  } else {
    SetCableSizeFile(path);
  }
}

void VexGrdCableFrm::MakeCurrent(int kind, const VexUnicodeString& path) {
  if (path.IsEmpty()) return;
  JobFiles files = FilesOf(kind);
  int position = AddIfUnique(files.list, path);
  if (position < 1 || position > files.list->Size()) return;
  // The stored entry, which may be an alike spelling of `path` made current earlier.
  VexUnicodeString entry = (*files.list)[position];
  if (files.editor) files.editor->SetText(entry, 0);  // no modify: the key-in checks stay out
  if (kind == kCablePull && _pProject && _pConduit) _pConduit->SetJobFilePath(entry);
}

void VexGrdCableFrm::SelMRUCblPullFile(VexCommand*, VexNotification*, void*) {
  VexGrdTraceScope scope(gTrace.grdui2, 2, kClass, "SelMRUCblPullFile");
  OpenRecentFiles(kCablePull);
}

void VexGrdCableFrm::SelMRUCblSizeFile(VexCommand*, VexNotification*, void*) {
  VexGrdTraceScope scope(gTrace.grdui2, 2, kClass, "SelMRUCblSizeFile");
  OpenRecentFiles(kWireSize);
}

void VexGrdCableFrm::OpenRecentFiles(int kind) {
  if (_pRecentFileChooser) return;  // one slot for both lists
  _pRecentFileChooser = new VexGrdMRUFileChooser(this, _pPanel, *FilesOf(kind).list);
  _pRecentFileChooser->SetVisibility(kShow);
  _pRecentFileChooser->SetTitle(
      VexGrdCatalogText(_pPanel, kind == kCablePull ? "GrdGUI_CableTab_MRUCblPullFiles"
                                                    : "GrdGUI_CableTab_MRUWireSizeFiles"));
  if (kind == kCablePull) {
    AddCallback(_pRecentFileChooser, "VexGrdMRUFileChosen", &VexGrdCableFrm::GetMRUCblPullFile,
                nullptr);
  } else {
    AddCallback(_pRecentFileChooser, "VexGrdMRUFileChosen", &VexGrdCableFrm::GetMRUCblSizeFile,
                nullptr);
  }
}

void VexGrdCableFrm::GetMRUCblPullFile(const char*, void*, VexNotification*, void*, long) {
  VexGrdTraceScope scope(gTrace.grdui2, 2, kClass, "GetMRUCblPullFile");
  TakeRecentFile(kCablePull);
}

void VexGrdCableFrm::GetMRUCblSizeFile(const char*, void*, VexNotification*, void*, long) {
  VexGrdTraceScope scope(gTrace.grdui2, 2, kClass, "GetMRUCblSizeFile");
  TakeRecentFile(kWireSize);
}

void VexGrdCableFrm::TakeRecentFile(int kind) {
  if (!_pRecentFileChooser) return;
  VexUnicodeString entry;
  _pRecentFileChooser->GetSelectedEntry(entry);
  // An entry of the list was checked when it was first made current.
  if (!entry.IsEmpty()) SetCurrentFile(kind, entry);
  RemoveSubscriberCallbacks(_pRecentFileChooser);
  _pRecentFileChooser->RequestDelayedDestruction();
  _pRecentFileChooser = nullptr;
}

// Cable-pull job
// -----------------------------------------------------------------------------------

int VexGrdCableFrm::WriteCableSegmentData() {
  VexGrdTraceScope scope(gTrace.grdui2, 2, kClass, "WriteCableSegmentData");
  int result = 1;
  VexGrdRunGuarded(VexGrdTreatments::kShowInput, gTrace.grdui2, kClass, "WriteCableSegmentData",
                   [&] { result = CheckAndWriteSegments(); });
  return result;
}

int VexGrdCableFrm::CheckAndWriteSegments() {
  std::unique_ptr<VexListValVexBaseUnknown_var> elements = SelectedElements();
  if (!elements) {
    DisplayError(kReportKind, VexGrdCatalogText(_pPanel, "GrdGUI_NoElementsSelected"));
    return 1;
  }
  if (!_pConduit) return 1;
  VexListValVexUnicodeString reasons;
  if (_pConduit->AreSegmentsValidForCablePull(elements.get(), reasons) != 0) {
    DisplayError(kReportKind,
                 VexGrdCatalogText(_pPanel, "GrdGUI_CableTab_InvalidObjectsForCablePull"));
    return 1;
  }
  if (_pConduit->ProcessConduitSegments(1, elements.get()) != 0) {
    DisplayError(kReportKind, VexGrdCatalogText(_pPanel, "GrdGUI_CableTab_SegmentError"));
    return 1;
  }
  int status = _pConduit->WriteSegmentData();
  if (status != 0) DisplayError(kReportKind, VexGrdCatalogText(_pPanel, SegmentStatusKey(status)));
  return status;
}

void VexGrdCableFrm::CreateCablePullFile(const VexUnicodeString& path,
                                         const VexUnicodeString& fileName,
                                         const VexUnicodeString& directory) {
  SetCablePullFile(path);
  if (!_pConduit || !_pProject) return;
  if (_pConduit->GenerateGlobalFile() == 0) _pProject->Run_CABLPULL(kModeGlobalData);
  if (FileExists(fileName, directory)) {
    _pProject->Run_CABLPULL(kModeSegmentData);
    DisplayError(
        kReportKind,
        fileName + ":" + VexGrdCatalogText(_pPanel, "GrdGUI_CableTab_NewCablePullFileGenerated"));
  } else {
    DisplayError(kReportKind, VexGrdCatalogText(_pPanel, "GrdGUI_UnableToFindFile") + fileName);
  }
}

void VexGrdCableFrm::Key_ExistingJobFile(VexCommand*, VexNotification*, void*) {
  VexGrdTraceScope scope(gTrace.grdui2, 2, kClass, "Key_ExistingJobFile");
  VexGrdRunGuarded(VexGrdTreatments::kShowInput, gTrace.grdui2, kClass, "Key_ExistingJobFile", [&] {
    if (WriteCableSegmentData() != 0) return;  // its message is shown; the typed text stays
    VexUnicodeString path = _pCablePullEditor->GetText();
    if (_pProject) _pProject->DoesEDSAExeExist(kCablePullProgram);
    if (path.IsEmpty()) {
      if (_pConduit) _pConduit->SetJobFilePath(VexUnicodeString());
      return;
    }
    if (!_pProject) return;
    VexUnicodeString directory, baseName;
    _pProject->SplitPath(path, &directory, &baseName);
    if (baseName.GetLengthInChar() > kMaxBaseNameLength) {
      DisplayError(kReportKind, VexGrdCatalogText(_pPanel, "GrdGUI_MaxFileLength"));
      return;
    }
    // EDSA's job is always the .cpd beside the typed name, whatever extension was typed.
    VexUnicodeString fileName = baseName + kCablePullExtension;
    if (FileExists(fileName, directory)) {
      SetCablePullFile(path);
      return;
    }
    if (!AskToCreate(fileName)) {
      _pCablePullEditor->ClearLine();
      return;
    }
    CreateCablePullFile(path, fileName, directory);
  });
}

void VexGrdCableFrm::SelCblPullFile(VexCommand*, VexNotification*, void*) {
  VexGrdTraceScope scope(gTrace.grdui2, 2, kClass, "SelCblPullFile");
  _jobKind = kCablePull;
  VexUnicodeString filterText = "Cable Pull Data (*.cpd)";
  VexString pattern = "*.cpd";
  FindFiles("Select Cable Pull Files", &filterText, &pattern, 1);
}

int VexGrdCableFrm::FindFiles(const VexUnicodeString& title, VexUnicodeString* filterTexts,
                              VexString* filterPatterns, const int& count) {
  VexGrdTraceScope scope(gTrace.grdui2, 2, kClass, "FindFiles");
  if (_pFileChooser) return 0;
  _pFileChooser.reset(
      VexFileMenuMethods::CreateDocChooser(this, "SelectEDSAFileDialogBox", 1, 512));
  if (!_pFileChooser) return 1;
  VexUnicodeString catalogTitle;
  if (_jobKind == kCablePull)
    catalogTitle = VexGrdCatalogText(_pPanel, "GrdGUI_FindEdsaCblPullFile");
  if (_jobKind == kWireSize)
    catalogTitle = VexGrdCatalogText(_pPanel, "GrdGUI_FindEdsaWireSizeFile");
  _pFileChooser->SetFilters(filterTexts, filterPatterns, count);
  _pFileChooser->SetCurrentFilter(0);

  VexDlgDialog* dialog = _pFileChooser->GetDialog();
  // The person should see what the chooser is for: the catalog's title, else the caller's.
  dialog->SetTitle(catalogTitle.IsEmpty() ? title : catalogTitle);
  _pFileChooser->SetVisibility(kShow);
  dialog->SetFather(this);
  AddAnalyseNotificationCB(dialog, dialog->GetDiaOKNotification(), &VexGrdCableFrm::FindFileOKCB,
                           nullptr);
  AddAnalyseNotificationCB(dialog, dialog->GetDiaCANCELNotification(),
                           &VexGrdCableFrm::FindFileCancelCB, nullptr);
  return 0;
}

void VexGrdCableFrm::FindFileOKCB(VexCommand*, VexNotification*, void*) {
  VexGrdTraceScope scope(gTrace.grdui2, 2, kClass, "FindFileOKCB");
  // Held here, the chooser is released on every way out, a re-raised error included.
  FileChooserRef chooser = std::move(_pFileChooser);
  VexGrdRunGuarded(VexGrdTreatments::kShowInput, gTrace.grdui2, kClass, "FindFileOKCB",
                   [&] { TakeChosenFile(chooser.get()); });
}

VexUnicodeString VexGrdCableFrm::ChosenPath(VexIFmuDocChooser* chooser) const {
  VexUnicodeString path;
  if (!chooser || !chooser->HasChosenDocument()) return path;
  VexListValVexBaseUnknown_var documents = chooser->GetChosenDocuments();
  if (documents.Size() < 1) return path;
  VexUnicodeString chosen;
  if (VexFmuServices::RetreivePath(documents[1], chosen) != 0) return path;
  path = chosen;
  VexUnicodeString real;
  if (VexGetRealPath(path, real) == 0) path = real;
  return path;
}

void VexGrdCableFrm::TakeChosenFile(VexIFmuDocChooser* chooser) {
  VexUnicodeString path = ChosenPath(chooser);
  if (!_pProject) return;
  _pProject->DoesEDSAExeExist(_jobKind == kCablePull ? kCablePullProgram : kWireSizeProgram);
  VexUnicodeString directory, baseName;
  VexUnicodeString extension = _pProject->SplitPath(path, &directory, &baseName);
  if (baseName.GetLengthInChar() > kMaxBaseNameLength) {
    DisplayError(kReportKind, VexGrdCatalogText(_pPanel, "GrdGUI_MaxFileLength"));
    return;
  }
  if (_jobKind == kCablePull) {
    if (extension.IsEmpty()) {
      extension = kCablePullExtension;
    } else if (extension.Compare(kCablePullExtension) == 0) {
      DisplayError(kReportKind, VexGrdCatalogText(_pPanel, "GrdGUI_InvalidCablePullExt"));
      return;
    }
  } else if (extension.Compare(kWireSizeExtension) == 0) {
    DisplayError(kReportKind, VexGrdCatalogText(_pPanel, "GrdGUI_InvalidWireSizeExt"));
    return;
  }
  VexUnicodeString fileName = baseName + extension;
  if (FileExists(fileName, directory)) {
    SetCurrentFile(_jobKind, path);
    return;
  }
  if (!AskToCreate(path)) return;
  if (chooser) chooser->SetVisibility(kHide);
  if (_jobKind == kWireSize) {
    SetCableSizeFile(path);  // recorded only: EDSA's wire sizing makes its own file
  } else if (WriteCableSegmentData() == 0) {
    CreateCablePullFile(path, fileName, directory);
  } else {
    _pCablePullEditor->ClearLine();
  }
}

void VexGrdCableFrm::FindFileCancelCB(VexCommand*, VexNotification*, void*) {
  VexGrdTraceScope scope(gTrace.grdui2, 2, kClass, "FindFileCancelCB");
  _pFileChooser.reset();
}

void VexGrdCableFrm::ProcessResultsCombo(VexCommand*, VexNotification*, void*) {
  VexGrdTraceScope scope(gTrace.grdui2, 2, kClass, "ProcessResultsCombo");
  VexGrdRunGuarded(kRunTreatment, gTrace.grdui2, kClass, "ProcessResultsCombo", [&] {
    VexUnicodeString path = _pCablePullEditor->GetText();
    if (path.IsEmpty()) {
      DisplayError(kReportKind, VexGrdCatalogText(_pPanel, "GrdGUI_CableTab_InvalidCablePullFile"));
      return;
    }
    if (!_pProject) return;
    if (_pConduit) _pConduit->SetJobFilePath(path);
    bool detailed = _pReportCombo->GetSelect() == kDetailedRow;
    _pProject->Run_CABLPULL(detailed ? kModeDetailedReport : kModeShortReport);
  });
}

void VexGrdCableFrm::ProcessGlobalData(VexCommand*, VexNotification*, void*) {
  VexGrdTraceScope scope(gTrace.grdui2, 2, kClass, "ProcessGlobalData");
  VexGrdRunGuarded(kRunTreatment, gTrace.grdui2, kClass, "ProcessGlobalData", [&] {
    if (!_pProject || !_pConduit || _pConduit->GenerateGlobalFile() != 0) {
      DisplayError(kReportKind,
                   VexGrdCatalogText(_pPanel, "GrdGUI_CableTab_UnableToWriteGlobalData"));
      return;
    }
    _pProject->Run_CABLPULL(kModeGlobalData);
    _segmentStepOffered = true;
  });
  UpdateStepWidgets();
}

void VexGrdCableFrm::ProcessSegmentData(VexCommand*, VexNotification*, void*) {
  VexGrdTraceScope scope(gTrace.grdui2, 2, kClass, "ProcessSegmentData");
  VexGrdRunGuarded(kRunTreatment, gTrace.grdui2, kClass, "ProcessSegmentData", [&] {
    std::unique_ptr<VexListValVexBaseUnknown_var> elements = SelectedElements();
    if (_pConduit && elements && elements->Size() >= 1) {
      if (_pConduit->ProcessConduitSegments(1, elements.get()) != 0) {
        DisplayError(kReportKind, VexGrdCatalogText(_pPanel, "GrdGUI_CableTab_SegmentError"));
        _pCablePullEditor->ClearLine();
      } else if (_pProject) {
        _pProject->Run_CABLPULL(kModeSegmentData);
      }
    } else {
      DisplayError(kReportKind, VexGrdCatalogText(_pPanel, "GrdGUI_NoElementsSelected"));
      _pCablePullEditor->ClearLine();
    }
  });
  _segmentStepOffered = false;
  UpdateStepWidgets();
}

void VexGrdCableFrm::UpdateStepWidgets() {
  // Nothing offers the global-data step on its own: its label and button stay hidden.
  _pGlobalDataLabel->SetVisibility(kHide);
  _pGlobalDataButton->SetVisibility(kHide);
  _pGlobalDataButton->SetSensitivity(kDisable);
  _pSegmentDataLabel->SetVisibility(_segmentStepOffered ? kShow : kHide);
  _pSegmentDataButton->SetVisibility(_segmentStepOffered ? kShow : kHide);
  _pSegmentDataButton->SetSensitivity(_segmentStepOffered ? kEnable : kDisable);
}

// Wire-sizing job
// ----------------------------------------------------------------------------------

void VexGrdCableFrm::KeyWrSzFile(VexCommand*, VexNotification*, void*) {
  VexGrdTraceScope scope(gTrace.grdui2, 2, kClass, "KeyWrSzFile");
  VexGrdRunGuarded(VexGrdTreatments::kShowInput, gTrace.grdui2, kClass, "KeyWrSzFile", [&] {
    VexUnicodeString path = _pWireSizeEditor->GetText();
    if (_pProject) _pProject->DoesEDSAExeExist(kWireSizeProgram);
    if (path.IsEmpty()) {
      DisplayError(kReportKind, VexGrdCatalogText(_pPanel, "GrdGUI_InvalidFile"));
      return;
    }
    if (!_pProject) return;
    VexUnicodeString directory, baseName;
    VexUnicodeString extension = _pProject->SplitPath(path, &directory, &baseName);
    if (extension.Compare(kWireSizeExtension) == 0) {
      DisplayError(kReportKind, VexGrdCatalogText(_pPanel, "GrdGUI_InvalidWireSizeExt"));
      return;
    }
    if (FileExists(baseName + kWireSizeExtension, directory) || AskToCreate(path)) {
      SetCableSizeFile(path);
    }
  });
}

void VexGrdCableFrm::SelWireSzFile(VexCommand*, VexNotification*, void*) {
  VexGrdTraceScope scope(gTrace.grdui2, 2, kClass, "SelWireSzFile");
  _jobKind = kWireSize;
  VexUnicodeString filterText = "Wire Sizing (*.wsw)";
  VexString pattern = "*.wsw";
  FindFiles("Select Wire Sizing Files", &filterText, &pattern, 1);
}

void VexGrdCableFrm::RunWireSize(VexCommand*, VexNotification*, void*) {
  VexGrdTraceScope scope(gTrace.grdui2, 2, kClass, "RunWireSize");
  VexGrdRunGuarded(VexGrdTreatments::kWarnInput, gTrace.grdui2, kClass, "RunWireSize", [&] {
    VexUnicodeString path = _pWireSizeEditor->GetText();
    if (path.IsEmpty() || !_pConduit) return;
    _pConduit->SetJobFilePath(path);
    if (_pProject) _pProject->Run_WWRSZNEC();
  });
}
