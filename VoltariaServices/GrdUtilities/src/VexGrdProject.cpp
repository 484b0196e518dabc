#include "VexGrdProject.h"

#include <filesystem>

#include "VexDocument.h"
#include "VexDocumentAttachment.h"
#include "VexGrdEdsaRunner.h"
#include "VexGrdMasterFile.h"
#include "VexGrdNetworkModel.h"
#include "VexGrdPathServices.h"
#include "VexGrdUtilitiesInputErr.h"
#include "VexNavigation3DViewer.h"
#include "VexSettingRepository.h"

namespace {

[[noreturn]] void RaiseMisuse(const char* operation, const VexUnicodeString& what) {
  throw VexInternalError(3, "InvalidArgument", kVexGrdUtilitiesCatalog,
                         {VexUnicodeString(operation), what});
}

VexUnicodeString Number(int value) { return VexUnicodeString().ConvertNumToString(value); }

template <class Implementation, class Handle>
Implementation& Own(const Handle& handle, const char* operation) {
  auto* object = dynamic_cast<Implementation*>(handle.get());
  if (!object) RaiseMisuse(operation, "null");
  return *object;
}

VexIAECElement& ElementOf(const VexIGrd3DComponent_var& component, const char* operation) {
  VexIAECElement_var element(component);
  if (!element) RaiseMisuse(operation, "null");
  return *element;
}

void RequireIdentifier(const VexUnicodeString& id) {
  if (id.IsEmpty())
    throw VexGrdUtilitiesInputErr(2, "IdentifierEmpty", std::vector<VexUnicodeString>{});
}

// Identifiers compare exactly, so " BUS1" would be a second node that looks like BUS1 everywhere.
void RequireNewIdentifier(const VexUnicodeString& id) {
  RequireIdentifier(id);
  auto isBlank = [](char c) { return c == ' ' || c == '\t'; };
  if (isBlank(id.str().front()) || isBlank(id.str().back())) {
    throw VexGrdUtilitiesInputErr(2, "IdentifierBlanks", {id});
  }
}

std::filesystem::path DocumentFolder(const VexDocument& document) {
  return std::filesystem::absolute(std::filesystem::path(document.GetPath().str())).parent_path();
}

// The form the document remembers: relative to its folder when the master file lies in or under
// it, so that the folder can be copied or moved with its EDSA project.
VexUnicodeString RememberedForm(const VexDocument& document, const VexUnicodeString& path) {
  VexUnicodeString stripped = path;
  stripped.Strip(3, ' ');
  std::filesystem::path master = std::filesystem::absolute(stripped.str()).lexically_normal();
  std::filesystem::path relative = master.lexically_relative(DocumentFolder(document));
  bool beside = !relative.empty() && *relative.begin() != "..";
  return VexUnicodeString((beside ? relative : master).string());
}

// The EDSA settings belong to a plant, not to the user: kept per document from the moment the
// services are loaded, before anything can open them.
[[maybe_unused]] const bool kSettingsKeptPerPlant = [] {
  VexSettingRepository::KeepPerDocument(VexGrdProject::kSettingsRepository);
  return true;
}();

// The master file current in this session on a document: kept in memory, with the document, so
// that a new session starts without one and every project services object shares it.
class CurrentMasterFile : public VexDocumentAttachment {
 public:
  static constexpr const char* kKey = "GrdCurrentMasterFile";

  static CurrentMasterFile& Of(VexDocument& document) {
    if (auto* current = document.GetAttachmentAs<CurrentMasterFile>(kKey)) return *current;
    auto made = std::make_unique<CurrentMasterFile>();
    CurrentMasterFile& current = *made;
    document.SetAttachment(kKey, std::move(made));
    return current;
  }

  // A rollback of the change puts the previous path back, as it does the document's data.
  void Set(VexDocument& document, const VexUnicodeString& newPath) {
    document.RecordUndo([&document, previous = path] {
      if (auto* current = document.GetAttachmentAs<CurrentMasterFile>(kKey)) current->path = previous;
    });
    path = newPath;
  }

  VexUnicodeString path;
};

}  // namespace

VexGrdProject::VexGrdProject(VexDocument* document) : document_(document) {
  if (!document_) RaiseMisuse("VexGrdProject", "null document");
  model_ = &VexGrdNetworkModel::Of(*document_);
  conduit_ = std::make_unique<VexGrdConduit>(this);
}

VexGrdProject::~VexGrdProject() = default;

// EDSA project ---------------------------------------------------------------------------------

bool VexGrdProject::SeedSettingsFromDocument(const VexDocument& document) {
  VexSettingRepository* settings = VexSettingRepository::GetDocumentRepository(
      kSettingsRepository, std::filesystem::path(document.GetPath().str()), 1);
  std::string master = GetRememberedMasterFile(document).str();
  std::error_code error;
  if (!settings || !settings->GetKeys().empty() || master.empty() ||
      !std::filesystem::is_regular_file(master, error)) {
    return false;
  }
  // The recent master-file list in the form the Project tab saves it: one entry, current.
  int length = static_cast<int>(master.size());
  int one = 1;
  settings->WriteSetting("PathLength1", &length, 1, 0);
  settings->WriteSetting("FilePath1", master.data(), length, 0);
  settings->WriteSetting("CUR_PROJ", &one, 1, 0);
  settings->WriteSetting("NumberOfLines", &one, 1, 0);
  return settings->SaveRepository() == 0;
}

VexUnicodeString VexGrdProject::GetMasterFilePath() {
  auto* current = document_->GetAttachmentAs<CurrentMasterFile>(CurrentMasterFile::kKey);
  return current ? current->path : VexUnicodeString();
}

void VexGrdProject::SetMasterFilePath(const VexUnicodeString& path) {
  if (path.IsEmpty()) {
    document_->RemoveProperty(kMasterFileProperty);
  } else {
    document_->SetProperty(kMasterFileProperty, RememberedForm(*document_, path));
  }
  CurrentMasterFile::Of(*document_).Set(*document_, path);
}

VexUnicodeString VexGrdProject::GetRememberedMasterFile(const VexDocument& document) {
  auto remembered = document.GetProperty(kMasterFileProperty);
  if (!remembered || remembered->IsEmpty()) return VexUnicodeString();
  std::filesystem::path path(remembered->str());
  if (path.is_relative()) path = (DocumentFolder(document) / path).lexically_normal();
  return VexUnicodeString(path.string());
}

void VexGrdProject::CreateNewMasterFile(const VexUnicodeString& path,
                                        const VexUnicodeString& extensionOrType) {
  VexGrdMasterFile::Create(path, extensionOrType);
}

VexUnicodeString VexGrdProject::GetNetworkType() {
  VexUnicodeString master = RequireMasterFile();
  VexUnicodeString type;
  try {
    type = VexGrdMasterFile(master).GetNetworkType();
  } catch (const VexGrdUtilitiesInputErr&) {
    // A master file not on disk (yet) still has the type of its extension.
    type = VexGrdMasterFile::NetworkTypeOf(VexGrdPathServices::SplitPath(master, nullptr, nullptr));
  }
  if (type.IsEmpty()) throw VexGrdUtilitiesInputErr(2, "UnknownNetworkType", {master});
  return type;
}

VexUnicodeString VexGrdProject::SplitPath(const VexUnicodeString& path, VexUnicodeString* directory,
                                          VexUnicodeString* baseName) {
  return VexGrdPathServices::SplitPath(path, directory, baseName);
}

VexUnicodeString VexGrdProject::GetUserJobFileLocation() {
  return VexGrdPathServices::GetUserJobFileLocation(GetMasterFilePath());
}

VexUnicodeString VexGrdProject::RequireMasterFile() {
  VexUnicodeString master = GetMasterFilePath();
  if (master.IsEmpty()) throw VexGrdUtilitiesInputErr(2, "NoMasterFile");
  return master;
}

// EDSA runs ------------------------------------------------------------------------------------

int VexGrdProject::RunWithMaster(const char* program, std::vector<VexUnicodeString> arguments) {
  arguments.insert(arguments.begin(), RequireMasterFile());
  VexGrdEdsaRunner::Start(program, arguments);
  return 0;
}

VexUnicodeString VexGrdProject::RequireJobFile(const char* program,
                                               const VexUnicodeString& jobFile) {
  if (jobFile.IsEmpty()) throw VexGrdUtilitiesInputErr(2, "NoJobFile", {VexUnicodeString(program)});
  return jobFile;
}

int VexGrdProject::View_OneLineDiagram(const int& mode) {
  return RunWithMaster(VexGrdEdsaRunner::kWinedsa, {"/diagram", Number(mode)});
}

int VexGrdProject::EditMasterData() {
  return RunWithMaster(VexGrdEdsaRunner::kWinedsa, {"/master"});
}

int VexGrdProject::EditNode(const VexUnicodeString& id) {
  RequireIdentifier(id);
  return RunWithMaster(VexGrdEdsaRunner::kWinedsa, {"/node", id});
}

int VexGrdProject::EditBranch(const VexUnicodeString& from, const VexUnicodeString& to) {
  RequireIdentifier(from);
  RequireIdentifier(to);
  return RunWithMaster(VexGrdEdsaRunner::kWinedsa, {"/branch", from, to});
}

int VexGrdProject::Run_SCAC3P() { return RunWithMaster(VexGrdEdsaRunner::kScac3p); }
int VexGrdProject::Run_SCDC() { return RunWithMaster(VexGrdEdsaRunner::kScdc); }
int VexGrdProject::Run_SCAC1PXF() { return RunWithMaster(VexGrdEdsaRunner::kScac1pxf); }
int VexGrdProject::Run_ACLFMAIN() { return RunWithMaster(VexGrdEdsaRunner::kAclfmain); }
int VexGrdProject::Run_DCLFMAIN() { return RunWithMaster(VexGrdEdsaRunner::kDclfmain); }
int VexGrdProject::Run_MSTRMAIN() { return RunWithMaster(VexGrdEdsaRunner::kMstrmain); }
int VexGrdProject::Run_HARMMAIN() { return RunWithMaster(VexGrdEdsaRunner::kHarmmain); }
int VexGrdProject::Run_WINEDSA() { return RunWithMaster(VexGrdEdsaRunner::kWinedsa); }

int VexGrdProject::Run_CABLPULL(const int& mode) {
  if (mode < 1 || mode > 4) RaiseMisuse("Run_CABLPULL", Number(mode));
  VexUnicodeString job = RequireJobFile(VexGrdEdsaRunner::kCablpull, conduit_->GetJobFile());
  return RunWithMaster(VexGrdEdsaRunner::kCablpull, {"/mode", Number(mode), "/job", job});
}

int VexGrdProject::Run_WWRSZNEC() {
  VexUnicodeString job = RequireJobFile(VexGrdEdsaRunner::kWwrsznec, conduit_->GetJobFilePath());
  return RunWithMaster(VexGrdEdsaRunner::kWwrsznec, {"/job", job});
}

int VexGrdProject::DoesEDSAExeExist(const char* programFileName) {
  return VexGrdEdsaRunner::FindProgram(programFileName).IsEmpty() ? 0 : 1;
}

// Network model --------------------------------------------------------------------------------

std::unique_ptr<VexListValVexIGrdNode_var> VexGrdProject::GetLstOfNodes() {
  auto nodes = std::make_unique<VexListValVexIGrdNode_var>(model_->GetNodeCount());
  for (VexGrdNode* node : model_->GetNodes()) nodes->Append(VexIGrdNode_var(node));
  return nodes;
}

std::unique_ptr<VexListValVexIGrdBranch_var> VexGrdProject::GetLstOfBranches() {
  auto branches = std::make_unique<VexListValVexIGrdBranch_var>(model_->GetBranchCount());
  for (VexGrdBranch* branch : model_->GetBranches()) branches->Append(VexIGrdBranch_var(branch));
  return branches;
}

VexIGrdNode_var VexGrdProject::SearchForNodeId(const VexUnicodeString& id) {
  return VexIGrdNode_var(model_->FindNode(id));
}

VexIGrdBranch_var VexGrdProject::SearchForBranchId(const VexUnicodeString& from,
                                                   const VexUnicodeString& to) {
  return VexIGrdBranch_var(model_->FindBranch(from, to));
}

VexIGrdNode_var VexGrdProject::CreateNode(const VexUnicodeString& id) {
  RequireNewIdentifier(id);
  if (model_->FindNode(id)) throw VexGrdUtilitiesInputErr(2, "NodeExists", {id});
  return VexIGrdNode_var(model_->CreateNode(id).get());
}

VexIGrdBranch_var VexGrdProject::CreateBranch(const VexUnicodeString& from,
                                              const VexUnicodeString& to) {
  RequireNewIdentifier(from);
  RequireNewIdentifier(to);
  if (model_->FindBranch(from, to)) throw VexGrdUtilitiesInputErr(2, "BranchExists", {from, to});
  return VexIGrdBranch_var(model_->CreateBranch(from, to).get());
}

int VexGrdProject::CreateVexEDSANode(const VexUnicodeString& id) {
  VexGrdMasterFile master(RequireMasterFile());
  if (!master.AddNode(id)) return 1;
  master.Save();
  return 0;
}

int VexGrdProject::CreateVexEDSABranch(const VexUnicodeString& from, const VexUnicodeString& to) {
  VexGrdMasterFile master(RequireMasterFile());
  if (!master.AddBranch(from, to)) return 1;
  master.Save();
  return 0;
}

int VexGrdProject::DeleteNode(const VexIGrdNode_var& node) {
  VexGrdNode& own = Own<VexGrdNode>(node, "DeleteNode");
  if (own.GetModel() != model_) throw VexGrdUtilitiesInputErr(2, "NodeNotFound", {own.Id()});
  model_->DeleteNode(own);
  return 0;
}

int VexGrdProject::DeleteBranch(const VexIGrdBranch_var& branch) {
  VexGrdBranch& own = Own<VexGrdBranch>(branch, "DeleteBranch");
  if (own.GetModel() != model_) {
    throw VexGrdUtilitiesInputErr(2, "BranchNotFound", {own.From(), own.To()});
  }
  model_->DeleteBranch(own);
  return 0;
}

int VexGrdProject::LinkNode(const VexIAECElement_var& element, const VexIGrdNode_var& node) {
  if (!element) RaiseMisuse("LinkNode", "null element");
  return model_->Link(Own<VexGrdNode>(node, "LinkNode"), *element) ? 0 : 1;
}

int VexGrdProject::LinkBranch(const VexIAECElement_var& element, const VexIGrdBranch_var& branch) {
  if (!element) RaiseMisuse("LinkBranch", "null element");
  return model_->Link(Own<VexGrdBranch>(branch, "LinkBranch"), *element) ? 0 : 1;
}

int VexGrdProject::UnLinkNode(const VexIGrd3DComponent_var& component,
                              const VexIGrdNode_var& node) {
  VexIAECElement& element = ElementOf(component, "UnLinkNode");
  return model_->Unlink(Own<VexGrdNode>(node, "UnLinkNode"), element) ? 0 : 1;
}

int VexGrdProject::UnLinkBranch(const VexIGrd3DComponent_var& component,
                                const VexIGrdBranch_var& branch) {
  VexIAECElement& element = ElementOf(component, "UnLinkBranch");
  return model_->Unlink(Own<VexGrdBranch>(branch, "UnLinkBranch"), element) ? 0 : 1;
}

int VexGrdProject::UpdateBranchLength(const VexUnicodeString& from, const VexUnicodeString& to,
                                      const VexUnicodeString& unitCode) {
  if (unitCode != "FT" && unitCode != "KM" && unitCode != "MT") {
    throw VexGrdUtilitiesInputErr(2, "InvalidUnitCode", {unitCode});
  }
  VexGrdBranch* branch = model_->FindBranch(from, to);
  if (!branch) throw VexGrdUtilitiesInputErr(2, "BranchNotFound", {from, to});
  VexGrdMasterFile master(RequireMasterFile());
  model_->SetBranchUnitCode(*branch, unitCode);
  master.SetBranchLength(from, to, branch->GetLength(), unitCode);
  master.Save();
  return 0;
}

// Results --------------------------------------------------------------------------------------

VexUnicodeString VexGrdProject::ResultFile(const char* extension) {
  VexUnicodeString directory, baseName;
  VexGrdPathServices::SplitPath(RequireMasterFile(), &directory, &baseName);
  return directory + baseName + extension;
}

// Results that cannot be read leave none behind: the lists never show an earlier analysis.
int VexGrdProject::AnalyzeTextAnnotation() {
  textResults_ = {};
  textResults_ = VexGrdTextResultFile::Read(ResultFile(".txr"));
  return 0;
}

int VexGrdProject::AnalyzeColorAnnotation() {
  colorResults_ = {};
  colorResults_ = VexGrdColorResultFile::Read(ResultFile(".clr"));
  return 0;
}

VexListValVexUnicodeString VexGrdProject::GetListOfNodesBranches(const int& kind) {
  if (kind == 1) return textResults_.GetIdentifiers();
  if (kind == 2) return colorResults_.GetIdentifiers();
  RaiseMisuse("GetListOfNodesBranches", Number(kind));
}

VexListValVexUnicodeString VexGrdProject::GetListOfTxtResults(const VexUnicodeString& id) {
  return textResults_.GetLines(id);
}

int VexGrdProject::ColorWithEDSA_RGB(VexNavigation3DViewer* viewer,
                                     const VexListValVexUnicodeString ids) {
  if (!viewer) RaiseMisuse("ColorWithEDSA_RGB", "null viewer");
  // A new colour result replaces the previous one: what that one coloured shows as it is again.
  if (ids.Size() > 0 && viewer == coloredViewer_) {
    for (const VexBaseUnknown_var& object : coloredObjects_) viewer->ResetColor(object);
  }
  if (ids.Size() > 0) {
    coloredViewer_ = viewer;
    coloredObjects_.clear();
  }
  int colored = 0;
  for (const auto& id : ids) {
    VexGrdRgb color;
    if (!colorResults_.GetColor(id, &color)) continue;
    VexGrdNetworkObject* object = nullptr;
    int arrow = id.Search("->");
    if (arrow < 0) {
      object = model_->FindNode(id);
    } else {
      object = model_->FindBranch(id.SubString(0, arrow), id.SubString(arrow + 2));
    }
    if (!object) continue;
    for (const auto& element : object->GetLinks()) {
      VexBaseUnknown_var shown(element);
      if (!viewer->IsShown(shown)) continue;  // an element of another document
      viewer->SetColor(shown, VexColor{static_cast<std::uint8_t>(color.red),
                                       static_cast<std::uint8_t>(color.green),
                                       static_cast<std::uint8_t>(color.blue)});
      coloredObjects_.push_back(shown);
      ++colored;
    }
  }
  return colored;
}
