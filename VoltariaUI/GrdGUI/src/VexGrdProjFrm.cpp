#include "VexGrdProjFrm.h"

#include <array>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <fstream>
#include <initializer_list>
#include <istream>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "VexApplicationFrame.h"
#include "VexDlgDialog.h"
#include "VexDlgEditor.h"
#include "VexDlgLabel.h"
#include "VexDlgPushButton.h"
#include "VexDlgSeparator.h"
#include "VexFileMenuMethods.h"
#include "VexFileServices.h"
#include "VexFmuServices.h"
#include "VexGrdCatalogText.h"
#include "VexGrdErrorTreatment.h"
#include "VexGrdMRUFileChooser.h"
#include "VexGrdPanel.h"
#include "VexGrdProject.h"
#include "VexGrdStoredList.h"
#include "VexGrdTrace.h"
#include "VexGrdUtilitiesInputErr.h"
#include "VexProcess.h"
#include "VexSettingRepository.h"
#include "VexToken.h"

namespace {

VexGrdTraceChannels gTrace(0, "STDERR");
constexpr const char* kClass = "VexGrdProjFrm";

constexpr int kShow = VexDialog::kShown;
constexpr int kHide = VexDialog::kHidden;
constexpr int kSensitive = VexDialog::kSensitive;
constexpr int kInsensitive = VexDialog::kInsensitive;
constexpr int kQuestion = 4;
constexpr int kYes = 1;
constexpr int kShownWholeBelow = 30;  // longer paths show only their file name
constexpr int kLongestImportPath = 257;
constexpr int kLongestNetworkBaseName = 8;
constexpr const char* kNetworkExtension = ".net";
constexpr const char* kBranchSeparator = "->";

// Keying in a master file, browsing to one and making one current show input errors of severity
// 1 to 3 as warnings; severity 0 is the method's own "invalid master file" message.
const VexGrdErrorTreatment& kMasterFileTreatment = VexGrdTreatments::kWarnInput;
// The diagram and master-data buttons.
const VexGrdErrorTreatment& kEdsaButtonTreatment = VexGrdTreatments::kWarnInput;
// Synchronizing: input errors of severity 0 as faults, 1 to 3 as warnings, others re-raised.
const VexGrdErrorTreatment kSynchronizeTreatment{{1, 2, 2, 2, VexGrdErrorTreatment::kReraise}};
// Creating one node or branch: a low-severity fault is shown and the next identifier is tried;
// anything else ends the synchronization.
const VexGrdErrorTreatment kCreateTreatment{{}, 1, /*catchesInputErrors=*/false};

struct MasterFileKind {
  const char* extension;
  const char* filterText;
  const char* pattern;
};
constexpr std::array<MasterFileKind, 4> kMasterFileKinds{{
    {".mas", "3Phase Master File (*.mas)", "*.mas"},
    {".mps", "1Phase Master File (*.mps)", "*.mps"},
    {".mds", "DC Master File (*.mds)", "*.mds"},
    {".mss", "1 Phase Transformer Master File (*.mss)", "*.mss"},
}};

VexUnicodeString Number(int value) { return VexUnicodeString().ConvertNumToString(value, "%d"); }

std::string NumberedKey(const char* prefix, int position) {
  return prefix + Number(position).str();
}

/// The caller's reference to a chooser that the host created with one reference for it.
VexIFmuDocChooser_var Adopt(VexIFmuDocChooser* created) {
  VexIFmuDocChooser_var chooser(created);
  if (created) created->Release();
  return chooser;
}

template <class Widget>
Widget* Make(VexDialog* parent, const char* identifier, int style, VexDialog::GridCell cell) {
  if (!parent) return nullptr;
  auto* widget = new Widget(parent, identifier, style);
  widget->SetGridConstraints(cell.column, cell.row, cell.columnSpan, cell.rowSpan,
                             cell.justification);
  return widget;
}

// The network file ------------------------------------------------------------------------------
//
// Lines end with a line feed. Each line is read into a cleared buffer of 81 bytes holding at most
// 79 characters: the rest of a longer line, up to its line feed, is skipped, so the next line
// read is the next real line (the fields used all lie in the first 17 characters). A last line
// without a line feed still counts; the end of the file is no line. A UTF-8 byte-order mark before
// the first count is ignored. A NUL byte ends the text of the field it is in. Identifiers are the
// first blank-, tab- or CR-separated token of their columns, so a CR before the line feed and tabs
// never become part of one.

constexpr std::size_t kLineBufferSize = 81;
constexpr std::size_t kLongestLine = 79;
constexpr std::size_t kIdColumns = 8;
constexpr std::size_t kToNodeColumn = 9;  // 0-based: column 10
using LineBuffer = std::array<char, kLineBufferSize>;

bool ReadLine(std::istream& in, LineBuffer& buffer) {
  buffer.fill('\0');
  std::streambuf* source = in.rdbuf();
  std::size_t kept = 0;
  bool readSomething = false;
  for (int c = source->sbumpc(); c != std::char_traits<char>::eof(); c = source->sbumpc()) {
    readSomething = true;
    if (c == '\n') return true;
    if (kept < kLongestLine) buffer[kept++] = static_cast<char>(c);
  }
  in.setstate(std::ios::eofbit);
  return readSomething;
}

const char* SkipByteOrderMark(const char* line) {
  return std::string_view(line).starts_with("\xEF\xBB\xBF") ? line + 3 : line;
}

// A count as "%d" reads it; nothing readable, or a negative count, counts as 0. Counts are kept
// within int so that "count + 1" stays exact.
long long ParseCount(const char* line) {
  char* end = nullptr;
  errno = 0;
  long long value = std::strtoll(line, &end, 10);
  if (end == line || value < 0) return 0;
  return value > INT_MAX ? INT_MAX : value;
}

// Room for the identifiers a count announces. The count is only a claim of the file, so the room
// is bounded by what the file can hold (an identifier and its line feed take two bytes at least)
// and by a ceiling past which the tables grow as they fill: a false count costs little memory.
std::size_t ExpectedIdentifiers(long long count, long long bytesInFile) {
  constexpr long long kMostReserved = 1 << 21;
  long long room = std::min(count, kMostReserved);
  if (bytesInFile >= 0) room = std::min(room, bytesInFile / 2);
  return static_cast<std::size_t>(room);
}

// The bytes from here to the end of `in`, or -1 when it cannot seek (a pipe).
long long BytesLeft(std::istream& in) {
  const std::streampos here = in.tellg();
  if (here < 0) return -1;
  in.seekg(0, std::ios::end);
  const std::streampos end = in.tellg();
  in.seekg(here);
  return end < here ? -1 : static_cast<long long>(end - here);
}

// Room for a section's identifiers before its lines are read, so that a large file is not read
// into tables that keep growing (each growth moves every entry read so far). The list of new ones
// gets as much: pages never filled are never touched.
void ReserveForRead(std::size_t identifiers, VexFlatHashSet<std::uint32_t>& index,
                    const std::unique_ptr<VexListValVexUnicodeString>& read,
                    const std::unique_ptr<VexListValVexUnicodeString>& fresh) {
  index.Reserve(identifiers);
  if (read) read->Reserve(static_cast<int>(identifiers));
  if (fresh) fresh->Reserve(static_cast<int>(identifiers));
}

VexUnicodeString FirstToken(const char* field) {
  VexToken token(VexUnicodeString(field, kIdColumns));
  return token.GetNextToken();
}

}  // namespace

// Construction ----------------------------------------------------------------------------------

VexGrdProjFrm::VexGrdProjFrm(VexDialog* father) : VexDlgFrame(father, "Prj_Frame", 0x80001) {
  VexGrdTraceScope scope(gTrace.grdui1, 1, kClass, "Constructor");
  InitializePrivateData();
  BuildMasterRow();
  BuildDiagramRow();
  BuildSynchronizationRow();
  BuildNetworkFileRow();
  BindCallbacks();
  _pPanel = dynamic_cast<VexGrdPanel*>(GetFatherWindow());
  if (_pPanel) _pProject = _pPanel->GetProject();
  _pMasterFileList = std::make_unique<VexListValVexUnicodeString>();
}

void VexGrdProjFrm::BuildMasterRow() {
  _pMasterFrame = Make<VexDlgFrame>(this, "MasterFrame", 1, {0, 0, 1, 1, 30});
  _pDefMstrFrame = Make<VexDlgFrame>(_pMasterFrame, "DefMstrFrame", 0x80001, {0, 0, 1, 1, 30});
  _pMasterLblIcon = Make<VexDlgLabel>(_pDefMstrFrame, "MasterLblIcon", 0, {0, 0, 1, 1, 2});
  if (_pMasterLblIcon) _pMasterLblIcon->SetIconName("I_GrdEditMaster", "", "", "");
  _pMasterFileLabel = Make<VexDlgLabel>(_pDefMstrFrame, "MasterFileLabel", 0, {1, 1, 1, 1, 2});
  _pMasterFileEdt = Make<VexDlgEditor>(_pDefMstrFrame, "MasterFileEdt", 0, {2, 1, 1, 1, 2});
  if (_pMasterFileEdt) {
    _pMasterFileEdt->SetMaxCharacterWidth(80);
    _pMasterFileEdt->SetVisibleTextWidth(30);
  }
  _pSelMRUFilesBtn = Make<VexDlgPushButton>(_pDefMstrFrame, "SelMRUFilesBtn", 0, {3, 1, 1, 1, 2});
  if (_pSelMRUFilesBtn) _pSelMRUFilesBtn->SetIconName("I_GrdComboIcon", "", "", "");
  _pSelEdsaFile = Make<VexDlgPushButton>(_pDefMstrFrame, "SelEdsaFile", 0, {4, 1, 1, 1, 2});
  _pHorzSep1 = Make<VexDlgSeparator>(_pDefMstrFrame, "HorzSep1", 0, {1, 2, 4, 1, 30});
}

void VexGrdProjFrm::BuildDiagramRow() {
  _pView1LineDiaFrame =
      Make<VexDlgFrame>(_pMasterFrame, "View1LineDiaFrame", 0x80001, {0, 1, 1, 1, 30});
  _pView1LineIconLbl =
      Make<VexDlgLabel>(_pView1LineDiaFrame, "View1LineIconLbl", 0, {0, 0, 1, 1, 4});
  _pViewOneLineDiagram =
      Make<VexDlgPushButton>(_pView1LineDiaFrame, "ViewOneLineDiagram", 0, {1, 0, 1, 1, 2});
  _pEditMasterLbl = Make<VexDlgLabel>(_pView1LineDiaFrame, "EditMasterLbl", 0, {0, 2, 1, 1, 4});
  _pEditMaster = Make<VexDlgPushButton>(_pView1LineDiaFrame, "EditMaster", 0, {1, 2, 1, 1, 2});
}

void VexGrdProjFrm::BuildSynchronizationRow() {
  _pSynchFrame = Make<VexDlgFrame>(this, "SynchFrame", 1, {0, 1, 1, 1, 30});
  _pSynchNdBrFrame = Make<VexDlgFrame>(_pSynchFrame, "SynchNdBrFrame", 0x80001, {0, 0, 1, 1, 30});
  _pSynchLblIcon = Make<VexDlgLabel>(_pSynchNdBrFrame, "SynchLblIcon", 0, {0, 0, 1, 1, 2});
  if (_pSynchLblIcon) _pSynchLblIcon->SetIconName("I_GrdSynchronize", "", "", "");
}

void VexGrdProjFrm::BuildNetworkFileRow() {
  _pSelNetFileFrame =
      Make<VexDlgFrame>(_pSynchNdBrFrame, "SelNetFileFrame", 0x80001, {1, 1, 1, 1, 2});
  _pSelNetFileLbl = Make<VexDlgLabel>(_pSelNetFileFrame, "SelNetFileLbl", 0, {0, 0, 1, 1, 2});
  _pNetFileEditor = Make<VexDlgEditor>(_pSelNetFileFrame, "NetFileEditor", 0, {1, 0, 1, 1, 2});
  if (_pNetFileEditor) {
    _pNetFileEditor->SetVisibleTextWidth(30);
    _pNetFileEditor->SetMaxCharacterWidth(258);
  }
  _pSelNetFileBtn = Make<VexDlgPushButton>(_pSelNetFileFrame, "SelNetFileBtn", 0, {2, 0, 1, 1, 2});
  // The network file is always the one beside the master file; this row stays out of sight.
  for (VexDialog* hidden : std::initializer_list<VexDialog*>{_pSelNetFileLbl, _pNetFileEditor,
                                                             _pSelNetFileBtn}) {
    if (hidden) hidden->SetVisibility(kHide);
  }

  _pSynchChildFrame =
      Make<VexDlgFrame>(_pSynchNdBrFrame, "SynchChildFrame", 0x80001, {1, 2, 1, 1, 2});
  _pSynchLbl = Make<VexDlgLabel>(_pSynchChildFrame, "SynchLbl", 0, {0, 0, 1, 1, 2});
  _pSynchronize = Make<VexDlgPushButton>(_pSynchChildFrame, "Synchronize", 0, {1, 0, 1, 1, 2});
  SetButtonsSensitivity(kInsensitive);
}

void VexGrdProjFrm::BindCallbacks() {
  if (_pMasterFileEdt) {
    AddAnalyseNotificationCB(_pMasterFileEdt, _pMasterFileEdt->GetEditModifyNotification(),
                             &VexGrdProjFrm::Keyin_MstrFileLocation, nullptr);
  }
  const std::pair<VexDlgPushButton*, void (VexGrdProjFrm::*)(VexCommand*, VexNotification*, void*)>
      pushes[] = {{_pSelMRUFilesBtn, &VexGrdProjFrm::SelMRUFile},
                  {_pSelEdsaFile, &VexGrdProjFrm::Sel_FindMasterFile},
                  {_pViewOneLineDiagram, &VexGrdProjFrm::View_OneLineDiagram},
                  {_pEditMaster, &VexGrdProjFrm::Edit_MasterFile},
                  {_pSynchronize, &VexGrdProjFrm::Synchronize},
                  {_pSelNetFileBtn, &VexGrdProjFrm::SelNetFile}};
  for (const auto& [button, callback] : pushes) {
    if (!button) continue;
    AddAnalyseNotificationCB(button, button->GetPushBActivateNotification(), callback, nullptr);
  }
  if (_pNetFileEditor) {
    AddAnalyseNotificationCB(_pNetFileEditor, _pNetFileEditor->GetEditModifyNotification(),
                             &VexGrdProjFrm::KeyImportFileName, nullptr);
  }
}

VexGrdProjFrm::~VexGrdProjFrm() {
  VexGrdTraceScope scope(gTrace.grdui1, 1, kClass, "Destructor");
  if (_pMRUFileChooser) {
    RemoveSubscriberCallbacks(_pMRUFileChooser);
    VexCommandDeletion(_pMRUFileChooser);
  }
  _pNetFileChooser.Reset();
  _pMasterFileChooser.Reset();
  _pMasterFileList.reset();
  ManageLists(2);
  InitializePrivateData();
}

void VexGrdProjFrm::InitializePrivateData() {
  VexGrdTraceScope scope(gTrace.grdui2, 2, kClass, "InitializePrivateData",
                         VexGrdTraceScope::Shape::Entering);
  _pMasterFrame = nullptr;
  _pMasterLblIcon = nullptr;
  _pDefMstrFrame = nullptr;
  _pMasterFileLabel = nullptr;
  _pMasterFileEdt = nullptr;
  _pSelMRUFilesBtn = nullptr;
  _pSelEdsaFile = nullptr;
  _pHorzSep1 = nullptr;
  _pView1LineDiaFrame = nullptr;
  _pView1LineIconLbl = nullptr;
  _pViewOneLineDiagram = nullptr;
  _pEditMasterLbl = nullptr;
  _pEditMaster = nullptr;
  _pSynchFrame = nullptr;
  _pSynchLblIcon = nullptr;
  _pSynchNdBrFrame = nullptr;
  _pSynchChildFrame = nullptr;
  _pSynchLbl = nullptr;
  _pSynchronize = nullptr;
  _pSelNetFileFrame = nullptr;
  _pSelNetFileLbl = nullptr;
  _pNetFileEditor = nullptr;
  _pSelNetFileBtn = nullptr;
  _pMRUFileChooser = nullptr;
  _pNetFileChooser = nullptr;
  _pProject = nullptr;
  _pPanel = nullptr;
  _pMasterFileChooser = nullptr;
  _currentIndex = 0;
  _pMasterFileList.reset();
}

const char* VexGrdProjFrm::GetResourceFileName(int level) const {
  return level == 0 ? kClass : VexDlgFrame::GetResourceFileName(level - 1);
}

int VexGrdProjFrm::DisplayError(const int& kind, const VexUnicodeString& message) {
  VexGrdTraceScope scope(gTrace.grdui2, 2, kClass, "DisplayError",
                         VexGrdTraceScope::Shape::Entering);
  return VexGrdDisplayReport(_pPanel, kind, message, "GrdGUI_ProjTab_ErrorDialogTitle");
}

// Recent master files and settings --------------------------------------------------------------

void VexGrdProjFrm::SaveProjectSettings(VexSettingRepository* repository) {
  VexGrdTraceScope scope(gTrace.grdui2, 2, kClass, "SaveProjectSettings");
  SaveSettings(repository);
}

void VexGrdProjFrm::SaveSettings(VexSettingRepository* repository) {
  VexGrdTraceScope scope(gTrace.grdui2, 2, kClass, "SaveSettings");
  if (!repository) return;
  int count = _pMasterFileList ? _pMasterFileList->Size() : 0;
  for (int i = 1; i <= count; ++i) {
    const VexUnicodeString& entry = (*_pMasterFileList)[i];
    std::string narrow = entry.ConvertToChar();
    int length = static_cast<int>(narrow.size());
    if (length <= 0) continue;
    repository->WriteSetting(NumberedKey("PathLength", i).c_str(), &length, 1, 0);
    repository->WriteSetting(NumberedKey("FilePath", i).c_str(), narrow.data(), length, 0);
  }
  if (count >= 1 && _currentIndex <= count) {
    repository->WriteSetting("CUR_PROJ", &_currentIndex, 1, 0);
  }
  repository->WriteSetting("NumberOfLines", &count, 1, 0);
}

void VexGrdProjFrm::GetMasterFilePath(VexSettingRepository* repository) {
  VexGrdTraceScope scope(gTrace.grdui2, 2, kClass, "GetMasterFilePath");
  if (_pMasterFileEdt) _pMasterFileEdt->ClearLine();
  if (!repository) return;
  int count = 0;
  repository->ReadSetting("NumberOfLines", &count, 1);
  const int last = VexGrdLastStoredEntry(*repository, count, "PathLength");
  for (int i = 1; i <= last; ++i) {
    int length = 0;
    long read = repository->ReadSetting(NumberedKey("PathLength", i).c_str(), &length, 1);
    if (read <= 0 || length <= 0 || length > kLongestStoredPath) continue;
    std::vector<char> text(static_cast<std::size_t>(length) + 1, '\0');
    if (repository->ReadSetting(NumberedKey("FilePath", i).c_str(), text.data(), length) <= 0) {
      continue;
    }
    VexUnicodeString entry(text.data(), static_cast<std::size_t>(length));
    if (!entry.IsEmpty() && _pMasterFileList) _pMasterFileList->Append(entry);
  }
  int current = 0;
  repository->ReadSetting("CUR_PROJ", &current, 1);
  int size = _pMasterFileList ? _pMasterFileList->Size() : 0;
  if (size < 1 || current <= 0) return;
  _currentIndex = current;
  if (current <= size && !(*_pMasterFileList)[current].IsEmpty()) {
    SetMasterFilePath(VexUnicodeString((*_pMasterFileList)[current]));
  }
}

void VexGrdProjFrm::CheckForDuplicates(const VexUnicodeString& path) {
  VexGrdTraceScope scope(gTrace.grdui2, 2, kClass, "CheckForDuplicates");
  if (_pMasterFileList && _pMasterFileList->Locate(path) == 0) _pMasterFileList->Append(path);
}

int VexGrdProjFrm::GetCurProjIndx(const VexUnicodeString path) {
  VexGrdTraceScope scope(gTrace.grdui2, 2, kClass, "GetCurProjIndx");
  if (path.IsEmpty() || !_pMasterFileList) return -1;
  return _pMasterFileList->Locate(path);
}

void VexGrdProjFrm::SelMRUFile(VexCommand*, VexNotification*, void*) {
  VexGrdTraceScope scope(gTrace.grdui2, 2, kClass, "SelMRUFile");
  if (_pMRUFileChooser) return;
  VexListValVexUnicodeString entries;
  if (_pMasterFileList) entries = *_pMasterFileList;
  _pMRUFileChooser = new VexGrdMRUFileChooser(this, _pPanel, entries);
  _pMRUFileChooser->SetVisibility(kShow);
  _pMRUFileChooser->SetTitle(VexGrdCatalogText(_pPanel, "GrdGUI_ProjTab_MRUMasterFiles"));
  AddCallback(_pMRUFileChooser, "VexGrdMRUFileChosen", &VexGrdProjFrm::GetMRUFile, nullptr);
}

void VexGrdProjFrm::GetMRUFile(const char*, void*, VexNotification*, void*, long) {
  VexGrdTraceScope scope(gTrace.grdui2, 2, kClass, "GetMRUFile");
  if (!_pMRUFileChooser) return;
  VexUnicodeString entry;
  _pMRUFileChooser->GetSelectedEntry(entry);
  if (!entry.IsEmpty()) SetMasterFilePath(entry);
  RemoveSubscriberCallbacks(_pMRUFileChooser);
  _pMRUFileChooser->RequestDelayedDestruction();
  _pMRUFileChooser = nullptr;
}

// Master file selection and validation ----------------------------------------------------------

int VexGrdProjFrm::ValidateExtension(const VexUnicodeString& extension) {
  VexGrdTraceScope scope(gTrace.grdui2, 2, kClass, "ValidateExtension");
  if (extension.IsEmpty()) return 1;
  for (const MasterFileKind& kind : kMasterFileKinds) {
    if (extension.Compare(kind.extension) != 0) return 0;
  }
  return 1;
}

int VexGrdProjFrm::ValidatePath(const VexUnicodeString& path) {
  VexGrdTraceScope scope(gTrace.grdui2, 2, kClass, "ValidatePath");
  if (path.IsEmpty()) return kMissingFile;
  VexUnicodeString stripped = path;
  stripped.Strip(3, ' ');
  VexUnicodeString directory, baseName;
  VexUnicodeString extension = SplitPath(stripped, &directory, &baseName);
  VexUnicodeString fileName = baseName + extension;
  if (!VexFindPath(fileName.ConvertToChar(), directory.ConvertToChar())) return kMissingFile;
  return ValidateExtension(extension) == 0 ? kValidPath : kWrongExtension;
}

VexUnicodeString VexGrdProjFrm::SplitPath(const VexUnicodeString& path, VexUnicodeString* directory,
                                          VexUnicodeString* baseName) {
  VexGrdTraceScope scope(gTrace.grdui2, 2, kClass, "SplitPath");
  if (directory) *directory = VexUnicodeString();
  if (baseName) *baseName = VexUnicodeString();
  return _pProject ? _pProject->SplitPath(path, directory, baseName) : VexUnicodeString();
}

void VexGrdProjFrm::SetMasterFilePath(const VexUnicodeString& path) {
  VexGrdTraceScope scope(gTrace.grdui2, 2, kClass, "SetMasterFilePath");
  auto refused = [this](const VexInputError& error) {
    if (error.GetSeverity() == 0) {
      DisplayError(3, VexGrdCatalogText(_pPanel, "GrdGUI_InvalidMasterFile"));
      DisableButtons();
      return true;
    }
    if (error.GetSeverity() == 2) DisableButtons();  // then shown as a warning
    return false;
  };
  VexGrdRunGuarded(kMasterFileTreatment, gTrace.grdui2, kClass, "SetMasterFilePath", [&] {
    if (path.IsEmpty() || ValidatePath(path) != kValidPath) throw VexGrdUtilitiesInputErr(0);
    EnableButtons();
    if (!_pProject) return;
    _pProject->SetMasterFilePath(path);
    ShowInEditor(path);
    _currentIndex = GetCurProjIndx(path);
  }, refused);
}

void VexGrdProjFrm::ShowInEditor(const VexUnicodeString& path) {
  if (!_pMasterFileEdt) return;
  if (path.GetLengthInChar() < kShownWholeBelow) {
    _pMasterFileEdt->SetText(path);
    return;
  }
  VexUnicodeString directory, baseName;
  VexUnicodeString extension = _pProject->SplitPath(path, &directory, &baseName);
  _pMasterFileEdt->SetText(baseName + extension);
}

void VexGrdProjFrm::EnableButtons() {
  VexGrdTraceScope scope(gTrace.grdui2, 2, kClass, "EnableButtons");
  SetButtonsSensitivity(kSensitive);
}

void VexGrdProjFrm::DisableButtons() {
  VexGrdTraceScope scope(gTrace.grdui2, 2, kClass, "DisableButtons");
  SetButtonsSensitivity(kInsensitive);
}

void VexGrdProjFrm::SetButtonsSensitivity(int sensitivity) {
  for (VexDialog* button : std::initializer_list<VexDialog*>{_pViewOneLineDiagram, _pEditMaster,
                                                             _pSynchronize}) {
    if (button) button->SetSensitivity(sensitivity);
  }
}

void VexGrdProjFrm::Keyin_MstrFileLocation(VexCommand*, VexNotification*, void*) {
  VexGrdTraceScope scope(gTrace.grdui2, 2, kClass, "Keyin_MstrFileLocation");
  VexUnicodeString path = _pMasterFileEdt ? _pMasterFileEdt->GetText() : VexUnicodeString();
  auto invalid = [this](const VexInputError& error) {
    if (error.GetSeverity() != 0) return false;
    VexUnicodeString text = VexGrdCatalogText(_pPanel, "GrdGUI_InvalidMasterFile");
    DisplayError(3, text.IsEmpty() ? VexUnicodeString("Invalid Master File Specified") : text);
    return true;
  };
  VexGrdRunGuarded(kMasterFileTreatment, gTrace.grdui2, kClass, "Keyin_MstrFileLocation",
                   [&] { AcceptMasterFile(path); }, invalid);
}

// Validates `path`, offers to create a missing file, and makes the path current: what keying in
// and browsing share.
void VexGrdProjFrm::AcceptMasterFile(const VexUnicodeString& path) {
  VexUnicodeString wrongExtension = VexGrdCatalogText(_pPanel, "GrdGUI_InvalidMasterFileExt") +
                                    path + "\n" +
                                    VexGrdCatalogText(_pPanel, "GrdGUI_ValidMasterFileExtInfo");
  if (_pProject) {
    VexUnicodeString directory, baseName;
    if (ValidateExtension(_pProject->SplitPath(path, &directory, &baseName)) != 0) {
      DisplayError(3, wrongExtension);
      return;
    }
  }
  bool create = false;
  int check = ValidatePath(path);
  if (check == kMissingFile) {
    VexUnicodeString question = VexGrdCatalogText(_pPanel, "GrdGUI_UnableToFindFile") + path +
                                "\n" + VexGrdCatalogText(_pPanel, "GrdGUI_CreateNewFile");
    if (DisplayError(kQuestion, question) != kYes) return;
    create = true;
  } else if (check == kWrongExtension) {
    DisplayError(3, wrongExtension);
    return;
  }
  if (create && _pProject) {
    VexUnicodeString directory, baseName;
    _pProject->CreateNewMasterFile(path, _pProject->SplitPath(path, &directory, &baseName));
    _pProject->SetMasterFilePath(path);
  }
  if (ValidatePath(path) == kValidPath) {
    CheckForDuplicates(path);
    SetMasterFilePath(path);
  }
}

void VexGrdProjFrm::Sel_FindMasterFile(VexCommand*, VexNotification*, void* clientData) {
  VexGrdTraceScope scope(gTrace.grdui2, 2, kClass, "Sel_FindMasterFile");
  if (_pMasterFileChooser) return;
  _pMasterFileChooser = Adopt(VexFileMenuMethods::CreateDocChooser(
      this, "SelectEDSAFileDialogBox", 1, 512, nullptr));
  if (!_pMasterFileChooser) return;
  std::array<VexUnicodeString, kMasterFileKinds.size()> texts;
  std::array<VexString, kMasterFileKinds.size()> patterns;
  for (std::size_t i = 0; i < kMasterFileKinds.size(); ++i) {
    texts[i] = kMasterFileKinds[i].filterText;
    patterns[i] = kMasterFileKinds[i].pattern;
  }
  _pMasterFileChooser->SetFilters(texts.data(), patterns.data(), static_cast<int>(texts.size()));
  _pMasterFileChooser->SetCurrentFilter(0);
  _pMasterFileChooser->SetVisibility(kShow);
  VexDlgDialog* dialog = _pMasterFileChooser->GetDialog();
  dialog->SetFather(this);
  AddAnalyseNotificationCB(dialog, dialog->GetDiaOKNotification(), &VexGrdProjFrm::FindFileOKCB,
                           clientData);
  AddAnalyseNotificationCB(dialog, dialog->GetDiaCANCELNotification(),
                           &VexGrdProjFrm::FindFileCancelCB, nullptr);
}

void VexGrdProjFrm::FindFileOKCB(VexCommand*, VexNotification*, void*) {
  VexGrdTraceScope scope(gTrace.grdui2, 2, kClass, "FindFileOKCB");
  // Released whatever happens below, a re-raised error included, so that browsing stays possible.
  VexIFmuDocChooser_var chooser = std::move(_pMasterFileChooser);
  if (chooser) {
    VexUnicodeString path = ChosenPath(chooser);
    auto invalid = [this](const VexInputError& error) {
      if (error.GetSeverity() != 0) return false;
      DisplayError(3, VexGrdCatalogText(_pPanel, "GrdGUI_InvalidMasterFile"));
      return true;
    };
    VexGrdRunGuarded(kMasterFileTreatment, gTrace.grdui2, kClass, "FindFileOKCB",
                     [&] { AcceptMasterFile(path); }, invalid);
  }
  chooser.Reset();
  FindFileCancelCB(nullptr, nullptr, nullptr);
}

void VexGrdProjFrm::FindFileCancelCB(VexCommand*, VexNotification*, void*) {
  VexGrdTraceScope scope(gTrace.grdui2, 2, kClass, "FindFileCancelCB");
  if (!_pMasterFileChooser) return;
  _pMasterFileChooser->SetVisibility(kHide);
  _pMasterFileChooser.Reset();
}

VexUnicodeString VexGrdProjFrm::ChosenPath(const VexIFmuDocChooser_var& chooser) {
  VexUnicodeString path;
  if (!chooser || !chooser->HasChosenDocument()) return path;
  VexListValVexBaseUnknown_var documents = chooser->GetChosenDocuments();
  if (documents.Size() < 1) return path;
  if (VexFmuServices::RetreivePath(documents[1], path) != 0) return VexUnicodeString();
  VexUnicodeString realPath;
  if (VexGetRealPath(path, realPath) == 0) path = realPath;
  return path;
}

// One-line diagram and master data --------------------------------------------------------------

// The current master file and whether it is on disk; empty (with its message shown) when no
// master file is current. A master file named without a folder is looked for in the current one,
// as VexFindPath does with an empty folder.
VexUnicodeString VexGrdProjFrm::CurrentMasterOnDisk(bool& found) {
  found = false;
  VexUnicodeString master = _pProject ? _pProject->GetMasterFilePath() : VexUnicodeString();
  if (master.IsEmpty()) {
    DisplayError(3, VexGrdCatalogText(_pPanel, "GrdGUI_InvalidMasterFile"));
    return master;
  }
  VexUnicodeString directory, baseName;
  VexUnicodeString extension = SplitPath(master, &directory, &baseName);
  found = VexFindPath((baseName + extension).ConvertToChar(), directory.ConvertToChar()) != 0;
  return master;
}

void VexGrdProjFrm::View_OneLineDiagram(VexCommand*, VexNotification*, void*) {
  VexGrdTraceScope scope(gTrace.grdui2, 2, kClass, "View_OneLineDiagram");
  VexGrdRunGuarded(kEdsaButtonTreatment, gTrace.grdui2, kClass, "View_OneLineDiagram", [this] {
    bool found = false;
    if (CurrentMasterOnDisk(found).IsEmpty()) return;
    if (found && _pProject) {
      _pProject->View_OneLineDiagram(1);
    } else {
      DisplayError(3, VexGrdCatalogText(_pPanel, "GrdGUI_InvalidMasterFile"));
    }
  });
}

void VexGrdProjFrm::Edit_MasterFile(VexCommand*, VexNotification*, void*) {
  VexGrdTraceScope scope(gTrace.grdui2, 2, kClass, "Edit_MasterFile");
  VexGrdRunGuarded(kEdsaButtonTreatment, gTrace.grdui2, kClass, "Edit_MasterFile", [this] {
    if (!_pProject) return;
    bool found = false;
    VexUnicodeString master = CurrentMasterOnDisk(found);
    if (master.IsEmpty()) return;
    if (found) {
      _pProject->EditMasterData();
      return;
    }
    // The master file went missing: a new one of the project's network type takes its place.
    _pProject->SetMasterFilePath(master);
    _pProject->CreateNewMasterFile(master, _pProject->GetNetworkType());
  });
}

VexUnicodeString VexGrdProjFrm::GetUserJobFileLocation() {
  VexGrdTraceScope scope(gTrace.grdui2, 2, kClass, "GetUserJobFileLocation");
  return _pProject ? _pProject->GetUserJobFileLocation() : VexUnicodeString();
}

void VexGrdProjFrm::LaunchNoWaitEdsaProcess(char** arguments) {
  VexGrdTraceScope scope(gTrace.grdui2, 2, kClass, "LaunchNoWaitEdsaProcess");
  if (!arguments || !arguments[0]) {
    throw VexInternalError(3, "InvalidArgument", kVexGrdUtilitiesCatalog,
                           {"LaunchNoWaitEdsaProcess", "no program"});
  }
  int processId = 0;
  int exitStatus = 0;
  VexStartProcess(arguments[0], arguments, 1, &processId, &exitStatus);
}

// Network file synchronization ------------------------------------------------------------------

void VexGrdProjFrm::Synchronize(VexCommand*, VexNotification*, void*) {
  VexGrdTraceScope scope(gTrace.grdui2, 2, kClass, "Synchronize");
  VexGrdRunGuarded(kSynchronizeTreatment, gTrace.grdui2, kClass, "Synchronize", [this] {
    if (!_pProject) return;
    VexUnicodeString master = _pProject->GetMasterFilePath();
    if (master.IsEmpty()) {
      DisplayError(3, VexGrdCatalogText(_pPanel, "GrdGUI_ProjTab_SynchronizeErr"));
      return;
    }
    VexUnicodeString directory, baseName;
    _pProject->SplitPath(master, &directory, &baseName);
    VexUnicodeString networkFile = baseName + kNetworkExtension;
    if (!VexFindPath(networkFile.ConvertToChar(), directory.ConvertToChar())) {
      DisplayError(3, VexGrdCatalogText(_pPanel, "GrdGUI_ProjTab_NETFileNotFound"));
      return;
    }
    ImportNETFile(directory + networkFile);
  });
}

void VexGrdProjFrm::ImportNETFile(const VexUnicodeString& path) {
  VexGrdTraceScope scope(gTrace.grdui2, 2, kClass, "ImportNETFile");
  VexGrdRunGuarded(kSynchronizeTreatment, gTrace.grdui2, kClass, "ImportNETFile", [&] {
    if (path.IsEmpty() || !_pProject) return;
    VexUnicodeString directory, baseName;
    VexUnicodeString extension = _pProject->SplitPath(path, &directory, &baseName);
    if (baseName.GetLengthInChar() > kLongestNetworkBaseName) {
      DisplayError(2, VexGrdCatalogText(_pPanel, "GrdGUI_MaxFileLength"));
      return;
    }
    if (extension.Compare(kNetworkExtension) == 0) {
      DisplayError(2, VexGrdCatalogText(_pPanel, "GrdGUI_ProjTab_IncorrectNETFileExt"));
      return;
    }
    VexUnicodeString fileName = baseName + extension;
    if (!VexFindPath(fileName.ConvertToChar(), directory.ConvertToChar())) {
      DisplayError(2, VexGrdCatalogText(_pPanel, "GrdGUI_UnableToFindFile") + fileName);
      return;
    }
    std::ifstream in(path.ConvertToChar(), std::ios::binary);
    if (in.is_open()) {
      ManageLists(1);
      ReadNetworkFile(in);
      in.close();
    }
    SynchronizeNdBr();
    ManageLists(2);
  });
}

void VexGrdProjFrm::ReadNetworkFile(std::istream& in) {
  enum Section { kCount, kNodes, kBranches };
  LineBuffer buffer;
  long long line = 0;
  long long item = 0;
  long long nodeCount = 0;
  long long branchCount = 0;
  Section section = kCount;
  const long long bytesInFile = BytesLeft(in);
  while (ReadLine(in, buffer)) {
    const char* text = buffer.data();
    if (line == 0) {
      nodeCount = ParseCount(SkipByteOrderMark(text));
      ReserveForRead(ExpectedIdentifiers(nodeCount, bytesInFile), _nodesReadIndex, _pNodesRead,
                     _pNewNodes);
      item = 1;
      section = kNodes;
    } else if (line == nodeCount + 1) {
      branchCount = ParseCount(text);
      ReserveForRead(ExpectedIdentifiers(branchCount, bytesInFile), _branchesReadIndex,
                     _pBranchesRead, _pNewBranches);
      item = 1;
      section = kBranches;
    } else if (section == kNodes && item <= nodeCount) {
      ReadNodeLine(text);
      ++item;
    } else if (section == kBranches && item <= branchCount) {
      ReadBranchLine(text);
      ++item;
    }
    if (section == kBranches && item > branchCount) break;  // the rest of the file is not read
    ++line;
  }
}

// A blank node line, or a branch line lacking an end, names nothing: it is counted as a line of
// its section and contributes no identifier. An identifier read again adds nothing either, so the
// lists hold first occurrences in file order and the new lists never need a pass to remove
// repetitions, a pass that grows costly on large files.
void VexGrdProjFrm::ReadNodeLine(const char* line) {
  VexUnicodeString id = FirstToken(line);
  if (id.IsEmpty() || !_pNodesRead || !IsFirstRead(_nodesReadIndex, *_pNodesRead, id)) return;
  _pNodesRead->Append(id);  // at once: the index already names its position
  if (_pPanel && _pPanel->DoesNodeExistAlready(id) == 0 && _pNewNodes) _pNewNodes->Append(id);
}

void VexGrdProjFrm::ReadBranchLine(const char* line) {
  VexUnicodeString from = FirstToken(line);
  VexUnicodeString to = FirstToken(line + kToNodeColumn);
  if (from.IsEmpty() || to.IsEmpty()) return;
  VexUnicodeString id = from + kBranchSeparator + to;
  if (!_pBranchesRead || !IsFirstRead(_branchesReadIndex, *_pBranchesRead, id)) return;
  _pBranchesRead->Append(id);
  if (_pPanel && _pPanel->DoesBranchExistAlready(id) == 0 && _pNewBranches) {
    _pNewBranches->Append(id);
  }
}

bool VexGrdProjFrm::IsFirstRead(VexFlatHashSet<std::uint32_t>& index,
                                const VexListValVexUnicodeString& list, const VexUnicodeString& id) {
  const auto position = static_cast<std::uint32_t>(list.Size() + 1);
  return index.InsertBy(
      std::hash<VexUnicodeString>{}(id),
      [&](std::uint32_t stored) { return list[static_cast<int>(stored)] == id; }, position);
}

bool VexGrdProjFrm::IsRead(const VexFlatHashSet<std::uint32_t>& index,
                           const VexListValVexUnicodeString& list, const VexUnicodeString& id) {
  return index.FindBy(std::hash<VexUnicodeString>{}(id), [&](std::uint32_t stored) {
    return list[static_cast<int>(stored)] == id;
  }) != nullptr;
}

void VexGrdProjFrm::SynchronizeNdBr() {
  VexGrdTraceScope scope(gTrace.grdui2, 2, kClass, "SynchronizeNdBr");
  PromptForNewNdBr();
  PromptForDelNdBr();
  EmptyLists();
  if (!_pPanel) return;
  _pPanel->UpdateModelNodeBranchData();
  _pPanel->ProcessCSO();
}

void VexGrdProjFrm::PromptForNewNdBr() {
  VexGrdTraceScope scope(gTrace.grdui2, 2, kClass, "PromptForNewNdBr");
  // The new lists were filled with first occurrences only (ReadNodeLine, ReadBranchLine).
  int nodeCount = _pNewNodes ? _pNewNodes->Size() : 0;
  int branchCount = _pNewBranches ? _pNewBranches->Size() : 0;
  if (nodeCount <= 0 && branchCount < 1) return;
  AskToAdd(nodeCount, branchCount);
}

void VexGrdProjFrm::AskToAdd(int nodeCount, int branchCount) {
  VexUnicodeString question =
      VexGrdCatalogText(_pPanel, "GrdGUI_ProjTab_SynchroMainMsg_Add") + "\n" +
      VexGrdCatalogText(_pPanel, "GrdGUI_ProjTab_SynchroNewNodesRead") + Number(nodeCount) + "\n" +
      VexGrdCatalogText(_pPanel, "GrdGUI_ProjTab_SynchroNewBranchesRead") + Number(branchCount) +
      "\n" + VexGrdCatalogText(_pPanel, "GrdGUI_ProjTab_SynchroImport");
  int cursor = GetCursor();
  if (DisplayError(kQuestion, question) == kYes) {
    VexApplicationFrame::GetFrame()->SetBusyCursor();
    for (int i = 1; i <= nodeCount; ++i) AddToNodeList(2, (*_pNewNodes)[i]);
    for (int i = 1; _pPanel && i <= branchCount; ++i) {
      VexUnicodeString from, to;
      _pPanel->SplitBranchId((*_pNewBranches)[i], &from, &to);
      AddToBranchList(2, from, to);
    }
  }
  SetCursor(cursor);
}

void VexGrdProjFrm::PromptForDelNdBr() {
  VexGrdTraceScope scope(gTrace.grdui2, 2, kClass, "PromptForDelNdBr");
  if (!_pPanel) return;
  const VexListValVexUnicodeString* nodes = _pPanel->GetListOfAllNodes();
  const VexListValVexUnicodeString* branches = _pPanel->GetListOfAllBranches();
  for (int i = 1; nodes && _pNodesToRemove && i <= nodes->Size(); ++i) {
    if (KeepOrDeleteNdBr((*nodes)[i], _pNodesRead.get()) == 0) _pNodesToRemove->Append((*nodes)[i]);
  }
  for (int i = 1; branches && _pBranchesToRemove && i <= branches->Size(); ++i) {
    if (KeepOrDeleteNdBr((*branches)[i], _pBranchesRead.get()) == 0) {
      _pBranchesToRemove->Append((*branches)[i]);
    }
  }
  bool modelEmpty = (!nodes || nodes->Size() == 0) && (!branches || branches->Size() == 0);
  int nodeCount = _pNodesToRemove ? _pNodesToRemove->Size() : 0;
  int branchCount = _pBranchesToRemove ? _pBranchesToRemove->Size() : 0;
  if (modelEmpty || (nodeCount == 0 && branchCount == 0)) return;
  AskToRemove();
}

void VexGrdProjFrm::AskToRemove() {
  int nodeCount = _pNodesToRemove->Size();
  int branchCount = _pBranchesToRemove->Size();
  VexUnicodeString question =
      VexGrdCatalogText(_pPanel, "GrdGUI_ProjTab_SynchroMainMsg_Delete") + "\n" +
      VexGrdCatalogText(_pPanel, "GrdGUI_ProjTab_SynchroNodesDeleted") + Number(nodeCount) + "\n" +
      VexGrdCatalogText(_pPanel, "GrdGUI_ProjTab_SynchroBranchesDelete") + Number(branchCount) +
      "\n" + VexGrdCatalogText(_pPanel, "GrdGUI_ProjTab_SynchroDeleteYesNo");
  int cursor = GetCursor();
  if (DisplayError(kQuestion, question) == kYes) {
    VexApplicationFrame::GetFrame()->SetBusyCursor();
    // Unlinking with mode 2 also deletes, even a node or branch that still has plant elements.
    for (int i = 1; i <= nodeCount; ++i) _pPanel->UnLinkNode(2, (*_pNodesToRemove)[i]);
    for (int i = 1; i <= branchCount; ++i) _pPanel->UnLinkBranch(2, (*_pBranchesToRemove)[i]);
  }
  SetCursor(cursor);
}

void VexGrdProjFrm::ManageLists(const int& mode) {
  VexGrdTraceScope scope(gTrace.grdui2, 2, kClass, "ManageLists");
  if (mode != 1 && mode != 2) return;
  for (auto* list : SynchronizationLists()) {
    list->reset();
    if (mode == 1) *list = std::make_unique<VexListValVexUnicodeString>();
  }
  _nodesReadIndex.Clear();
  _branchesReadIndex.Clear();
}

std::array<std::unique_ptr<VexListValVexUnicodeString>*, 6> VexGrdProjFrm::SynchronizationLists() {
  return {&_pNewNodes, &_pNewBranches, &_pNodesRead, &_pBranchesRead, &_pNodesToRemove, &_pBranchesToRemove};
}

// The six lists and the read sets have served once both questions are answered: their room goes
// back before the registry is rebuilt, so that a million identifiers are not held twice. The
// lists stay (empty) until ManageLists(2).
void VexGrdProjFrm::EmptyLists() {
  for (auto* list : SynchronizationLists()) {
    if (*list) *list = std::make_unique<VexListValVexUnicodeString>();
  }
  _nodesReadIndex.Clear();
  _branchesReadIndex.Clear();
}

void VexGrdProjFrm::AddToNodeList(const int& mode, const VexUnicodeString& id) {
  VexGrdTraceScope scope(gTrace.grdui2, 2, kClass, "AddToNodeList");
  if (mode != 2 || id.IsEmpty() || !_pProject) return;
  VexGrdRunGuarded(kCreateTreatment, gTrace.grdui2, kClass, "AddToNodeList",
                   [&] { _pProject->CreateNode(id); });
}

void VexGrdProjFrm::AddToBranchList(const int& mode, const VexUnicodeString& from,
                                    const VexUnicodeString& to) {
  VexGrdTraceScope scope(gTrace.grdui2, 2, kClass, "AddToBranchList");
  if (mode != 2 || from.IsEmpty() || to.IsEmpty() || !_pProject) return;
  VexGrdRunGuarded(kCreateTreatment, gTrace.grdui2, kClass, "AddToBranchList",
                   [&] { _pProject->CreateBranch(from, to); });
}

int VexGrdProjFrm::KeepOrDeleteNdBr(const VexUnicodeString& id,
                                    const VexListValVexUnicodeString* list) {
  VexGrdTraceScope scope(gTrace.grdui2, 2, kClass, "KeepOrDeleteNdBr");
  if (id.IsEmpty() || !list) return 0;
  // The read lists are indexed as they fill; any other list is searched.
  if (list == _pNodesRead.get() && !_nodesReadIndex.IsEmpty()) return IsRead(_nodesReadIndex, *list, id) ? 1 : 0;
  if (list == _pBranchesRead.get() && !_branchesReadIndex.IsEmpty()) {
    return IsRead(_branchesReadIndex, *list, id) ? 1 : 0;
  }
  return list->Locate(id) != 0 ? 1 : 0;
}

void VexGrdProjFrm::ExportNETFile() {
  VexGrdTraceScope scope(gTrace.grdui2, 2, kClass, "ExportNETFile");
}

// Hidden network-file row -----------------------------------------------------------------------

void VexGrdProjFrm::KeyImportFileName(VexCommand*, VexNotification*, void*) {
  VexGrdTraceScope scope(gTrace.grdui2, 2, kClass, "KeyImportFileName");
  VexUnicodeString path = _pNetFileEditor ? _pNetFileEditor->GetText() : VexUnicodeString();
  if (!path.IsEmpty()) SetImportFilePath(path);
}

void VexGrdProjFrm::SelNetFile(VexCommand*, VexNotification*, void* clientData) {
  VexGrdTraceScope scope(gTrace.grdui2, 2, kClass, "SelNetFile");
  if (_pNetFileChooser) return;
  _pNetFileChooser = Adopt(VexFileMenuMethods::CreateDocChooser(
      this, "SelectEDSAFileDialogBox", 1, 512, nullptr));
  if (!_pNetFileChooser) return;
  VexUnicodeString text(".net Files(*.net)");
  VexString pattern("*.net");
  _pNetFileChooser->SetFilters(&text, &pattern, 1);
  _pNetFileChooser->SetCurrentFilter(0);
  _pNetFileChooser->SetVisibility(kShow);
  VexDlgDialog* dialog = _pNetFileChooser->GetDialog();
  dialog->SetFather(this);
  AddAnalyseNotificationCB(dialog, dialog->GetDiaOKNotification(), &VexGrdProjFrm::FindNetFileOKCB,
                           clientData);
  AddAnalyseNotificationCB(dialog, dialog->GetDiaCANCELNotification(),
                           &VexGrdProjFrm::FindNetFileCancelCB, nullptr);
}

void VexGrdProjFrm::FindNetFileOKCB(VexCommand*, VexNotification*, void*) {
  VexGrdTraceScope scope(gTrace.grdui2, 2, kClass, "FindNetFileOKCB");
  VexIFmuDocChooser_var chooser = std::move(_pNetFileChooser);
  VexUnicodeString path = ChosenPath(chooser);
  if (!path.IsEmpty()) SetImportFilePath(path);
}

void VexGrdProjFrm::FindNetFileCancelCB(VexCommand*, VexNotification*, void*) {
  VexGrdTraceScope scope(gTrace.grdui2, 2, kClass, "FindNetFileCancelCB");
  if (!_pNetFileChooser) return;
  _pNetFileChooser->SetVisibility(kHide);
  _pNetFileChooser.Reset();
}

void VexGrdProjFrm::SetImportFilePath(const VexUnicodeString& path) {
  VexGrdTraceScope scope(gTrace.grdui2, 2, kClass, "SetImportFilePath");
  if (_pSynchronize) _pSynchronize->SetSensitivity(kInsensitive);
  int length = path.GetLengthInChar();
  if (!_pProject || length < 1 || length > kLongestImportPath) return;
  VexUnicodeString directory, baseName;
  VexUnicodeString extension = _pProject->SplitPath(path, &directory, &baseName);
  if (baseName.GetLengthInChar() > kLongestNetworkBaseName) {
    DisplayError(2, "Too many Charactes in Import File Name.\nMax Length: 8 chars");
    return;
  }
  if (extension.Compare(kNetworkExtension) == 0) {
    DisplayError(2, "Incorrect File Extension Specified");
    if (_pNetFileEditor) _pNetFileEditor->ClearLine();
    return;
  }
  VexUnicodeString fileName = baseName + extension;
  if (_pNetFileEditor) _pNetFileEditor->ClearLine();
  if (!VexFindPath(fileName.ConvertToChar(), directory.ConvertToChar())) {
    DisplayError(2, ".net File does not exist!!");
    return;
  }
  if (_pNetFileEditor) _pNetFileEditor->SetText(directory + fileName);
  if (_pSynchronize) _pSynchronize->SetSensitivity(kSensitive);
}
