#pragma once
// The Cables tab: the selected cable route with its cable diameter, EDSA cable-pull jobs (".cpd")
// for routes of conduits and trays, EDSA wire-sizing jobs (".wsw"), and the recent files of both
// kinds, kept in the settings repository of the panel.

#include <memory>

#include "VexAECBConverter.h"
#include "VexDlgFrame.h"
#include "VexICkeMagnitude.h"
#include "VexList.h"
#include "VexString.h"
#include "VexUnicodeString.h"

class VexCkeUnitFrame;
class VexDlgCombo;
class VexDlgEditor;
class VexDlgLabel;
class VexDlgMultiList;
class VexDlgPushButton;
class VexDlgSeparator;
class VexGrdConduit;
class VexGrdMRUFileChooser;
class VexGrdPanel;
class VexGrdProject;
class VexIFmuDocChooser;
class VexSettingRepository;

class VexGrdCableFrm : public VexDlgFrame {
 public:
  /// Job kinds: which list, editor and settings keys an operation works on.
  enum JobKind { kCablePull = 1, kWireSize = 2 };

  /// Builds the tab inside its page; the page's window is the panel.
  explicit VexGrdCableFrm(VexDialog* father);
  const char* GetResourceFileName(int level) const override;

  // Selection ----------------------------------------------------------------------------------
  /// Lists the selected plant elements and shows the cable diameter computed for them.
  void ProcessCSO();
  /// Shows `message` under the tab's title; for kind 4 returns 1 when the user answers yes.
  int DisplayError(const int& kind, const VexUnicodeString& message);

  // Recent files and settings ----------------------------------------------------------------
  void LoadCableSettings(VexSettingRepository* repository);
  void SaveCableSettings(VexSettingRepository* repository);
  /// `kind` 1 cable pull, 2 wire sizing; other kinds do nothing. A list with no entries writes
  /// nothing, so the earlier stored list stays.
  void LoadSettings(const int& kind, VexSettingRepository* repository);
  void SaveSettings(const int& kind, VexSettingRepository* repository);
  /// Makes `path` the current file of its kind: it joins the list if new and shows in the editor
  /// (the cable-pull file also becomes the conduit's job file). An empty path changes nothing.
  void SetCablePullFile(const VexUnicodeString& path);
  void SetCableSizeFile(const VexUnicodeString& path);
  /// Position of the first entry alike to `path` (any non-zero Compare), appending it when none
  /// is; 0 for an empty path.
  int AddIfUnique(VexListValVexUnicodeString* list, const VexUnicodeString& path);
  /// Position of the first entry equal to `path`; -1 when none is or the path is empty.
  int GetCurProjIndx(const VexListValVexUnicodeString list, const VexUnicodeString& path);
  void SelMRUCblPullFile(VexCommand* sender, VexNotification* notification, void* clientData);
  void SelMRUCblSizeFile(VexCommand* sender, VexNotification* notification, void* clientData);
  void GetMRUCblPullFile(const char* event, void* publisher, VexNotification* notification,
                         void* clientData, long callbackId);
  void GetMRUCblSizeFile(const char* event, void* publisher, VexNotification* notification,
                         void* clientData, long callbackId);
  /// The recent files of each kind, in the order they were first made current.
  const VexListValVexUnicodeString& GetCablePullFiles() const { return _cablePullFiles; }
  const VexListValVexUnicodeString& GetWireSizeFiles() const { return _wireSizeFiles; }

  // Cable-pull job ------------------------------------------------------------------------------
  /// Checks the selected route and writes its segment data; 0 on success, else a status that
  /// has been shown to the user.
  int WriteCableSegmentData();
  void Key_ExistingJobFile(VexCommand* sender, VexNotification* notification, void* clientData);
  void SelCblPullFile(VexCommand* sender, VexNotification* notification, void* clientData);
  /// Opens the file chooser with `count` filters; 0 when it is open (now or already), 1 when it
  /// could not be created.
  int FindFiles(const VexUnicodeString& title, VexUnicodeString* filterTexts,
                VexString* filterPatterns, const int& count);
  void FindFileOKCB(VexCommand* sender, VexNotification* notification, void* clientData);
  void FindFileCancelCB(VexCommand* sender, VexNotification* notification, void* clientData);
  /// Runs the cable pull with the report form of the combo ("DETAILED" mode 4, else mode 3).
  void ProcessResultsCombo(VexCommand* sender, VexNotification* notification, void* clientData);
  void ProcessGlobalData(VexCommand* sender, VexNotification* notification, void* clientData);
  void ProcessSegmentData(VexCommand* sender, VexNotification* notification, void* clientData);

  // Wire-sizing job -----------------------------------------------------------------------------
  void KeyWrSzFile(VexCommand* sender, VexNotification* notification, void* clientData);
  void SelWireSzFile(VexCommand* sender, VexNotification* notification, void* clientData);
  void RunWireSize(VexCommand* sender, VexNotification* notification, void* clientData);

 protected:
  ~VexGrdCableFrm() override;

 private:
  /// Gives back the one reference the tab holds on a document chooser.
  struct ReleaseReference {
    void operator()(VexIFmuDocChooser* chooser) const;
  };
  using FileChooserRef = std::unique_ptr<VexIFmuDocChooser, ReleaseReference>;

  /// What a job kind works on.
  struct JobFiles {
    VexListValVexUnicodeString* list;
    VexDlgEditor* editor;
    const char* currentKey;  ///< "CUR_CBLPULLFILE"
    const char* keyPrefix;   ///< "CBLPULL": <prefix>_L<i>, <prefix>_S<i>, <prefix>_COUNT
  };

  void InitializePrivateData();
  void BuildWidgets();
  void BindCallbacks();
  JobFiles FilesOf(int kind);
  void SetCurrentFile(int kind, const VexUnicodeString& path);
  void MakeCurrent(int kind, const VexUnicodeString& path);
  void OpenRecentFiles(int kind);
  void TakeRecentFile(int kind);
  std::unique_ptr<VexListValVexBaseUnknown_var> SelectedElements() const;
  void FillSelectionList(const VexListValVexBaseUnknown_var& elements);
  int CheckAndWriteSegments();
  /// The tail of both ways to a new cable-pull file, once the user agreed to create it.
  void CreateCablePullFile(const VexUnicodeString& path, const VexUnicodeString& fileName,
                           const VexUnicodeString& directory);
  bool AskToCreate(const VexUnicodeString& named);
  VexUnicodeString ChosenPath(VexIFmuDocChooser* chooser) const;
  void TakeChosenFile(VexIFmuDocChooser* chooser);
  /// Shows and enables the two-step widgets from one fact: whether the segment step is offered.
  void UpdateStepWidgets();

  int _jobKind;
  VexDlgFrame* _pCableSpecsFrame;
  VexDlgFrame* _pCablePullFrame;
  VexDlgFrame* _pDefineFrame;
  VexDlgFrame* _pStepFrame;
  VexDlgFrame* _pCableSizeFrame;
  VexDlgFrame* _pSizeFrame;
  VexCkeUnitFrame* _pDiameterEditor;
  VexGrdMRUFileChooser* _pRecentFileChooser;
  FileChooserRef _pFileChooser;
  VexDlgPushButton* _pRecentCablePullButton;
  VexDlgEditor* _pCablePullEditor;
  VexDlgPushButton* _pRecentWireSizeButton;
  VexDlgEditor* _pWireSizeEditor;
  VexDlgLabel* _pFileLabel;
  VexDlgLabel* _pGlobalDataLabel;
  VexDlgLabel* _pSegmentDataLabel;
  VexDlgLabel* _pReportLabel;
  VexDlgLabel* _pDiameterLabel;
  VexDlgLabel* _pWireSizeLabel;
  VexDlgCombo* _pReportCombo;
  VexDlgPushButton* _pBrowseCablePullButton;
  VexDlgPushButton* _pRunCablePullButton;
  VexDlgPushButton* _pBrowseWireSizeButton;
  VexDlgPushButton* _pSegmentDataButton;
  VexDlgPushButton* _pGlobalDataButton;
  VexDlgPushButton* _pRunWireSizeButton;
  VexDlgSeparator* _pSeparator;
  VexDlgMultiList* _pSelectionList;
  VexICkeMagnitude_var _lengthMagnitude;
  VexGrdPanel* _pPanel;
  VexGrdProject* _pProject;
  VexGrdConduit* _pConduit;
  VexAECBConverter _selectionConverter;
  VexListValVexUnicodeString _cablePullFiles;
  VexListValVexUnicodeString _wireSizeFiles;
  bool _segmentStepOffered;  // after a written global data file, until the segment step ran
};
