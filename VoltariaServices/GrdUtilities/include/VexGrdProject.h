#pragma once
// The project services of one plant document: its EDSA project (the master file), its network
// model, the EDSA runs, the EDSA results and the conduit services.
//
// No master file is current until the session makes one current (SetMasterFilePath): the module
// restores the one its settings remember. The current master file belongs to the session's open
// document, so every project services object on the document sees the same one. The document only remembers the last master file made
// current, in its property "EdsaMasterFile" (relative to the document's folder when it lies in or
// under it, so a copied plant folder names its own copy); that never makes it current by itself.
//
// EDSA runs start the program from the EDSA folder (VexGrdEdsaRunner) without waiting, with the
// argument vector: program path, master file, then what the operation adds:
//   View_OneLineDiagram(n)  winedsa.exe   <master> /diagram <n>
//   EditMasterData          winedsa.exe   <master> /master
//   EditNode(id)            winedsa.exe   <master> /node <id>
//   EditBranch(from, to)    winedsa.exe   <master> /branch <from> <to>
//   Run_WINEDSA             winedsa.exe   <master>
//   Run_SCAC3P ... HARMMAIN scac3p.exe, scdc.exe, scac1pxf.exe, aclfmain.exe, dclfmain.exe,
//                           mstrmain.exe, harmmain.exe   <master>
//   Run_CABLPULL(mode)      cablpull.exe  <master> /mode <mode> /job <job base>.cpd
//   Run_WWRSZNEC            Wwrsznec.exe  <master> /job <job file>
// The job file is the conduit services' job file path. Without a current master file every run
// raises the input error "NoMasterFile"; without a job file the job runs raise "NoJobFile".
//
// EDSA data of nodes and branches (CreateVexEDSANode, CreateVexEDSABranch, UpdateBranchLength)
// is recorded in the master file (VexGrdMasterFile). Results are read from beside the master file:
// "<base>.txr" (VexGrdTextResultFile) and "<base>.clr" (VexGrdColorResultFile).
//
// Changes of the model and of the master file path need the document's transaction (a user event).
// Errors the user can act on are VexGrdUtilitiesInputErr of severity 2; calls the module should
// never make (a null object, a mode out of range) are VexInternalError.

#include <memory>

#include "VexBaseUnknown.h"
#include "VexGrdColorResultFile.h"
#include "VexGrdConduit.h"
#include "VexGrdTextResultFile.h"
#include "VexIAECElement.h"
#include "VexIGrd3DComponent.h"
#include "VexIGrdBranch.h"
#include "VexIGrdNode.h"

class VexDocument;
class VexGrdNetworkModel;
class VexNavigation3DViewer;

class VexGrdProject {
 public:
  /// The document property that remembers the master file path.
  static constexpr const char* kMasterFileProperty = "EdsaMasterFile";
  /// The settings repository of the EDSA project; one per plant document.
  static constexpr const char* kSettingsRepository = "EdsaProject";

  /// The project services of `document` (not owned; must outlive the project). Loads the
  /// document's network model.
  explicit VexGrdProject(VexDocument* document);
  ~VexGrdProject();
  VexGrdProject(const VexGrdProject&) = delete;
  VexGrdProject& operator=(const VexGrdProject&) = delete;

  // EDSA project ---------------------------------------------------------------------------------

  /// The current master file path; empty when none.
  VexUnicodeString GetMasterFilePath();
  /// Makes `path` current for the session and has the document remember it; empty clears both.
  /// Inside a transaction; a rollback restores the previous current path.
  void SetMasterFilePath(const VexUnicodeString& path);
  /// The master file `document` remembers, as an absolute path; empty when none.
  static VexUnicodeString GetRememberedMasterFile(const VexDocument& document);
  /// When `document` has no EDSA settings yet and the master file it remembers exists, writes
  /// that master file to them as the one recent master file, current, and saves them; so a plant
  /// opened for the first time, or a copied plant folder, opens on its own EDSA project. Returns
  /// true when it did.
  static bool SeedSettingsFromDocument(const VexDocument& document);
  /// Writes a new, empty master file recording the network type of `extensionOrType`
  /// (".mas", ".mds", ".mss", ".mps" or "3P", "DC", "1X"); see VexGrdMasterFile::Create.
  void CreateNewMasterFile(const VexUnicodeString& path, const VexUnicodeString& extensionOrType);
  /// "3P", "DC" or "1X": what the master file records, else what its extension tells.
  VexUnicodeString GetNetworkType();
  /// See VexGrdPathServices::SplitPath: returns the extension with its dot.
  VexUnicodeString SplitPath(const VexUnicodeString& path, VexUnicodeString* directory,
                             VexUnicodeString* baseName);
  /// A real folder for job files, ending with '/'; see VexGrdPathServices.
  VexUnicodeString GetUserJobFileLocation();

  // EDSA runs (0 once started) -----------------------------------------------------------------

  int View_OneLineDiagram(const int& mode);
  int EditMasterData();
  int EditNode(const VexUnicodeString& id);
  int EditBranch(const VexUnicodeString& from, const VexUnicodeString& to);
  int Run_SCAC3P();
  int Run_SCDC();
  int Run_SCAC1PXF();
  int Run_ACLFMAIN();
  int Run_DCLFMAIN();
  int Run_MSTRMAIN();
  int Run_HARMMAIN();
  int Run_WINEDSA();
  /// `mode` 1 to 4.
  int Run_CABLPULL(const int& mode);
  int Run_WWRSZNEC();
  /// 1 when the EDSA folder holds `programFileName`, else 0; never raises.
  int DoesEDSAExeExist(const char* programFileName);

  // Network model ------------------------------------------------------------------------------

  /// New lists of all nodes / branches in creation order; the caller owns them.
  std::unique_ptr<VexListValVexIGrdNode_var> GetLstOfNodes();
  std::unique_ptr<VexListValVexIGrdBranch_var> GetLstOfBranches();
  /// The node or branch, or null. O(1).
  VexIGrdNode_var SearchForNodeId(const VexUnicodeString& id);
  VexIGrdBranch_var SearchForBranchId(const VexUnicodeString& from, const VexUnicodeString& to);
  /// New node / branch; an identifier in use or empty is an input error.
  VexIGrdNode_var CreateNode(const VexUnicodeString& id);
  VexIGrdBranch_var CreateBranch(const VexUnicodeString& from, const VexUnicodeString& to);
  /// Records the node / branch in the EDSA project (the master file); 0 recorded, 1 there already.
  int CreateVexEDSANode(const VexUnicodeString& id);
  int CreateVexEDSABranch(const VexUnicodeString& from, const VexUnicodeString& to);
  /// Deletes the node / branch with its links; plant elements and other branches stay.
  int DeleteNode(const VexIGrdNode_var& node);
  int DeleteBranch(const VexIGrdBranch_var& branch);
  /// Links the element; 0 linked, 1 it was linked already.
  int LinkNode(const VexIAECElement_var& element, const VexIGrdNode_var& node);
  int LinkBranch(const VexIAECElement_var& element, const VexIGrdBranch_var& branch);
  /// Removes the link; 0 removed, 1 there was none.
  int UnLinkNode(const VexIGrd3DComponent_var& component, const VexIGrdNode_var& node);
  int UnLinkBranch(const VexIGrd3DComponent_var& component, const VexIGrdBranch_var& branch);
  /// Stores `unitCode` ("FT", "KM", "MT") with the branch and records the branch's length and
  /// unit in the EDSA project.
  int UpdateBranchLength(const VexUnicodeString& from, const VexUnicodeString& to,
                         const VexUnicodeString& unitCode);

  // Results ------------------------------------------------------------------------------------

  /// Reads the text / colour results beside the master file; 0.
  int AnalyzeTextAnnotation();
  int AnalyzeColorAnnotation();
  /// Identifiers having results of `kind` (1 text, 2 colour), in file order.
  VexListValVexUnicodeString GetListOfNodesBranches(const int& kind);
  /// The text result lines of `id`, in file order.
  VexListValVexUnicodeString GetListOfTxtResults(const VexUnicodeString& id);
  /// Colours, in `viewer`, the plant elements linked to the nodes and branches `ids` with their
  /// colour results; returns the number of elements coloured. Non-empty `ids` first give back
  /// their own colour to the elements the previous call coloured in that viewer.
  int ColorWithEDSA_RGB(VexNavigation3DViewer* viewer, const VexListValVexUnicodeString ids);

  /// The project's conduit services (owned by the project).
  VexGrdConduit* GetGrdConduitObj() { return conduit_.get(); }
  VexGrdNetworkModel& GetNetworkModel() { return *model_; }

 private:
  VexUnicodeString RequireMasterFile();
  int RunWithMaster(const char* program, std::vector<VexUnicodeString> arguments = {});
  VexUnicodeString ResultFile(const char* extension);
  VexUnicodeString RequireJobFile(const char* program, const VexUnicodeString& jobFile);

  VexDocument* document_;
  VexGrdNetworkModel* model_;  // owned by the document
  std::unique_ptr<VexGrdConduit> conduit_;
  VexGrdTextResultFile textResults_;
  VexGrdColorResultFile colorResults_;
  const VexNavigation3DViewer* coloredViewer_ = nullptr;  // compared, never used
  std::vector<VexBaseUnknown_var> coloredObjects_;
};
