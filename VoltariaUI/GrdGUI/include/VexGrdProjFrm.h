#pragma once
// The Project tab: the EDSA master file of the document (keyed in, browsed to or picked from the
// recent master files, validated and created on request), the one-line diagram and the master
// data in EDSA, and the synchronization of the model's nodes and branches with the EDSA network
// file that EDSA writes beside the master file.

#include <array>
#include <iosfwd>
#include <memory>

#include "VexDlgFrame.h"
#include "VexFlatHashMap.h"
#include "VexIFmuDocChooser.h"
#include "VexList.h"
#include "VexUnicodeString.h"

class VexDlgEditor;
class VexDlgLabel;
class VexDlgPushButton;
class VexDlgSeparator;
class VexGrdMRUFileChooser;
class VexGrdPanel;
class VexGrdProject;
class VexSettingRepository;

class VexGrdProjFrm : public VexDlgFrame {
 public:
  /// Validation result of ValidatePath.
  enum PathCheck { kValidPath = 0, kMissingFile = 1, kWrongExtension = 2 };

  /// Builds the tab's widgets inside `father` (the Project tab page); the panel is the father
  /// window, and the project is the panel's.
  explicit VexGrdProjFrm(VexDialog* father);
  const char* GetResourceFileName(int level) const override;

  // Recent master files and settings -------------------------------------------------------------
  /// Reads the recent master files from `repository` and makes the remembered one current.
  void GetMasterFilePath(VexSettingRepository* repository);
  void SaveProjectSettings(VexSettingRepository* repository);
  /// Writes the recent list and the current index ("PathLength"i, "FilePath"i, "CUR_PROJ",
  /// "NumberOfLines", in that order).
  void SaveSettings(VexSettingRepository* repository);
  /// Appends `path` to the recent list unless an equal entry is there.
  void CheckForDuplicates(const VexUnicodeString& path);
  /// 1-based position of `path` in the recent list; 0 when absent, -1 for an empty path.
  int GetCurProjIndx(const VexUnicodeString path);
  void SelMRUFile(VexCommand* sender, VexNotification* notification, void* clientData);
  void GetMRUFile(const char* event, void* publisher, VexNotification* notification,
                  void* clientData, long subscription);
  /// The recent master files (read only).
  const VexListValVexUnicodeString* GetRecentMasterFiles() const { return _pMasterFileList.get(); }
  /// Position of the current master file in the recent list; 0 when none is current.
  int GetCurrentIndex() const { return _currentIndex; }

  // Master file selection and validation ---------------------------------------------------------
  void Keyin_MstrFileLocation(VexCommand* sender, VexNotification* notification, void* clientData);
  void Sel_FindMasterFile(VexCommand* sender, VexNotification* notification, void* clientData);
  void FindFileOKCB(VexCommand* sender, VexNotification* notification, void* clientData);
  void FindFileCancelCB(VexCommand* sender, VexNotification* notification, void* clientData);
  /// Makes `path` current when it names an existing master file; reports it otherwise.
  void SetMasterFilePath(const VexUnicodeString& path);
  /// 0 for ".mas", ".mps", ".mds" and ".mss" (any letter case), else 1.
  int ValidateExtension(const VexUnicodeString& extension);
  /// A PathCheck value; blanks around the path are ignored.
  int ValidatePath(const VexUnicodeString& path);
  /// Directory (ending with the separator) and base name of `path`; returns the extension with
  /// its dot. Both outputs are emptied first; without a project the extension is empty.
  VexUnicodeString SplitPath(const VexUnicodeString& path, VexUnicodeString* directory,
                             VexUnicodeString* baseName);
  void EnableButtons();
  void DisableButtons();
  /// Shows `message` as `kind` (1 to 3 reports, 4 a question) under the tab's title; the result
  /// is 1 when the user answered yes to a question.
  int DisplayError(const int& kind, const VexUnicodeString& message);

  // One-line diagram and master data --------------------------------------------------------------
  void View_OneLineDiagram(VexCommand* sender, VexNotification* notification, void* clientData);
  void Edit_MasterFile(VexCommand* sender, VexNotification* notification, void* clientData);
  /// The project's folder for job files; empty without a project.
  VexUnicodeString GetUserJobFileLocation();
  /// Starts `arguments[0]` with the whole vector as its arguments, without waiting.
  void LaunchNoWaitEdsaProcess(char** arguments);

  // Network file synchronization -----------------------------------------------------------------
  void Synchronize(VexCommand* sender, VexNotification* notification, void* clientData);
  /// Reads the network file at `path` and synchronizes the model with it.
  void ImportNETFile(const VexUnicodeString& path);
  void SynchronizeNdBr();
  void PromptForNewNdBr();
  void PromptForDelNdBr();
  /// Mode 1 creates the six synchronization lists afresh, mode 2 deletes them.
  void ManageLists(const int& mode);
  /// With mode 2, creates the node in the model.
  void AddToNodeList(const int& mode, const VexUnicodeString& id);
  /// With mode 2, creates the branch in the model.
  void AddToBranchList(const int& mode, const VexUnicodeString& from, const VexUnicodeString& to);
  /// 1 when `id` is not empty and in `list`, else 0.
  int KeepOrDeleteNdBr(const VexUnicodeString& id, const VexListValVexUnicodeString* list);
  /// The network file belongs to EDSA: the workbench reads it and never writes it.
  void ExportNETFile();

  // Hidden network-file row -----------------------------------------------------------------------
  void KeyImportFileName(VexCommand* sender, VexNotification* notification, void* clientData);
  void SelNetFile(VexCommand* sender, VexNotification* notification, void* clientData);
  void FindNetFileOKCB(VexCommand* sender, VexNotification* notification, void* clientData);
  void FindNetFileCancelCB(VexCommand* sender, VexNotification* notification, void* clientData);
  void SetImportFilePath(const VexUnicodeString& path);

 protected:
  ~VexGrdProjFrm() override;

 private:
  void InitializePrivateData();
  void BuildMasterRow();
  void BuildDiagramRow();
  void BuildSynchronizationRow();
  void BuildNetworkFileRow();
  void BindCallbacks();

  void AcceptMasterFile(const VexUnicodeString& path);
  void ShowInEditor(const VexUnicodeString& path);
  VexUnicodeString CurrentMasterOnDisk(bool& found);
  VexUnicodeString ChosenPath(const VexIFmuDocChooser_var& chooser);
  void ReadNetworkFile(std::istream& in);
  void ReadNodeLine(const char* line);
  void ReadBranchLine(const char* line);
  void AskToAdd(int nodeCount, int branchCount);
  void AskToRemove();
  void EmptyLists();
  /// The six lists of an import, in the order ManageLists makes them.
  std::array<std::unique_ptr<VexListValVexUnicodeString>*, 6> SynchronizationLists();
  void SetButtonsSensitivity(int sensitivity);

  VexDlgFrame* _pMasterFrame;
  VexDlgLabel* _pMasterLblIcon;
  VexDlgFrame* _pDefMstrFrame;
  VexDlgLabel* _pMasterFileLabel;
  VexDlgEditor* _pMasterFileEdt;
  VexDlgPushButton* _pSelMRUFilesBtn;
  VexDlgPushButton* _pSelEdsaFile;
  VexDlgSeparator* _pHorzSep1;
  VexDlgFrame* _pView1LineDiaFrame;
  VexDlgLabel* _pView1LineIconLbl;
  VexDlgPushButton* _pViewOneLineDiagram;
  VexDlgLabel* _pEditMasterLbl;
  VexDlgPushButton* _pEditMaster;
  VexDlgFrame* _pSynchFrame;
  VexDlgLabel* _pSynchLblIcon;
  VexDlgFrame* _pSynchNdBrFrame;
  VexDlgFrame* _pSynchChildFrame;
  VexDlgLabel* _pSynchLbl;
  VexDlgPushButton* _pSynchronize;
  VexDlgFrame* _pSelNetFileFrame;
  VexDlgLabel* _pSelNetFileLbl;
  VexDlgEditor* _pNetFileEditor;
  VexDlgPushButton* _pSelNetFileBtn;

  VexGrdMRUFileChooser* _pMRUFileChooser;  // open recent-file chooser, a window of the panel
  VexIFmuDocChooser_var _pNetFileChooser;  // open chooser of the hidden network-file row
  VexGrdProject* _pProject;
  VexGrdPanel* _pPanel;
  VexIFmuDocChooser_var _pMasterFileChooser;
  int _currentIndex;
  std::unique_ptr<VexListValVexUnicodeString> _pMasterFileList;

  // Present only while a network file is imported.
  std::unique_ptr<VexListValVexUnicodeString> _pNewNodes;
  std::unique_ptr<VexListValVexUnicodeString> _pNewBranches;
  std::unique_ptr<VexListValVexUnicodeString> _pNodesRead;
  std::unique_ptr<VexListValVexUnicodeString> _pBranchesRead;
  std::unique_ptr<VexListValVexUnicodeString> _pNodesToRemove;
  std::unique_ptr<VexListValVexUnicodeString> _pBranchesToRemove;
  // What the two read lists hold: repeated lines stay out of the lists, and finding the model
  // items the file lacks stays linear.
  VexFlatHashSet<VexUnicodeString> _nodesReadIndex;
  VexFlatHashSet<VexUnicodeString> _branchesReadIndex;
};
