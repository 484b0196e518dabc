#include "VexGrdNetworkModel.h"

#include <algorithm>
#include <exception>
#include <future>
#include <optional>
#include <system_error>
#include <thread>

#include "VexError.h"
#include "VexPlantElement.h"
#include "VexSqlDatabase.h"

namespace {

constexpr const char* kCatalog = "VexGrdUtilitiesErrMsgCat";
constexpr const char* kSelectBranches =
    "SELECT id, from_node, to_node, length, unit_code FROM grd_branch ORDER BY id";

// Nodes and branches are numbered by plain row identifiers, not AUTOINCREMENT: a synchronization
// inserts them by the million, and AUTOINCREMENT's bookkeeping is a sixth of its time. A number
// freed by a deletion may come back, which nothing notices: links go with their row, and a new row
// still numbers above every row there is, so row order stays creation order. Plants whose tables
// were made with AUTOINCREMENT keep them; the same statements serve both.
const std::vector<std::string>& Migrations() {
  static const std::vector<std::string> migrations = {R"sql(
CREATE TABLE grd_node(
  id INTEGER PRIMARY KEY,
  identifier TEXT NOT NULL UNIQUE);
CREATE TABLE grd_branch(
  id INTEGER PRIMARY KEY,
  from_node TEXT NOT NULL,
  to_node TEXT NOT NULL,
  length REAL NOT NULL DEFAULT 0,
  unit_code TEXT NOT NULL DEFAULT '',
  UNIQUE (from_node, to_node));
CREATE TABLE grd_node_link(
  id INTEGER PRIMARY KEY AUTOINCREMENT,
  node_id INTEGER NOT NULL REFERENCES grd_node(id) ON DELETE CASCADE,
  element_id INTEGER NOT NULL REFERENCES vex_element(id) ON DELETE CASCADE,
  UNIQUE (node_id, element_id));
CREATE INDEX grd_node_link_element ON grd_node_link(element_id);
CREATE TABLE grd_branch_link(
  id INTEGER PRIMARY KEY AUTOINCREMENT,
  branch_id INTEGER NOT NULL REFERENCES grd_branch(id) ON DELETE CASCADE,
  element_id INTEGER NOT NULL REFERENCES vex_element(id) ON DELETE CASCADE,
  UNIQUE (branch_id, element_id));
CREATE INDEX grd_branch_link_element ON grd_branch_link(element_id);
)sql"};
  return migrations;
}

[[noreturn]] void RaiseMisuse(const char* operation, const VexUnicodeString& what) {
  throw VexInternalError(3, "InvalidArgument", kCatalog, {VexUnicodeString(operation), what});
}

template <class T>
void EraseOne(std::vector<T*>& items, T* item) {
  auto found = std::find(items.begin(), items.end(), item);
  if (found != items.end()) items.erase(found);
}

}  // namespace

VexGrdNetworkModel& VexGrdNetworkModel::Of(VexDocument& document) {
  if (VexGrdNetworkModel* model = Find(document)) return *model;
  std::unique_ptr<VexGrdNetworkModel> model(new VexGrdNetworkModel(document));
  VexGrdNetworkModel& made = *model;
  document.SetAttachment(kAttachmentKey, std::move(model));
  return made;
}

VexGrdNetworkModel* VexGrdNetworkModel::Find(VexDocument& document) {
  return document.GetAttachmentAs<VexGrdNetworkModel>(kAttachmentKey);
}

VexGrdNetworkModel::VexGrdNetworkModel(VexDocument& document) : document_(document) {
  Load();
  document_.AddListener(this);
}

VexGrdNetworkModel::~VexGrdNetworkModel() {
  document_.RemoveListener(this);
  nodes_.ForEach([this](VexGrdNode& node) { LetGo(node); });
  branches_.ForEach([this](VexGrdBranch& branch) { LetGo(branch); });
}

// Loading ---------------------------------------------------------------------------------------

void VexGrdNetworkModel::Load() {
  document_.EnsureSchema(kComponent, Migrations());
  VexGrdRowList<VexGrdNode> previousNodes = std::move(nodes_);
  VexGrdRowList<VexGrdBranch> previousBranches = std::move(branches_);
  nodes_.Clear();
  branches_.Clear();
  byNodeId_.Clear();
  branchesByEnds_.Clear();
  // Sized once for the rows to come: growing by doubling would move every entry a dozen times.
  VexSqlDatabase& database = document_.GetDatabase();
  const auto nodeCount = static_cast<std::size_t>(database.QueryInteger("SELECT count(*) FROM grd_node", 0));
  const auto branchCount = static_cast<std::size_t>(database.QueryInteger("SELECT count(*) FROM grd_branch", 0));
  nodes_.Reserve(nodeCount);
  branches_.Reserve(branchCount);
  byNodeId_.Reserve(nodeCount);
  nodesOfElement_.clear();
  branchesOfElement_.clear();

  if (CanReadBranchesAlongside(previousBranches, branchCount)) {
    LoadWithBranchesReadAlongside(previousNodes, previousBranches, branchCount);
  } else {
    LoadNodes(previousNodes);
    LoadBranches(previousBranches, branchCount);
  }
  LoadLinks("SELECT node_id, element_id FROM grd_node_link ORDER BY id", true);
  LoadLinks("SELECT branch_id, element_id FROM grd_branch_link ORDER BY id", false);
  // Objects whose rows did not come back are let go, as a deletion would.
  previousNodes.ForEach([this](VexGrdNode& node) { LetGo(node); });
  previousBranches.ForEach([this](VexGrdBranch& branch) { LetGo(branch); });
}

void VexGrdNetworkModel::LoadNodes(VexGrdRowList<VexGrdNode>& previous) {
  VexSqlStatement rows =
      document_.GetDatabase().Prepare("SELECT id, identifier FROM grd_node ORDER BY id");
  while (rows.Step()) {
    std::int64_t row = rows.ColumnInteger(0);
    VexUnicodeString id(rows.ColumnText(1));
    VexGrdNode* kept = previous.Find(row);
    VexVar<VexGrdNode> node;
    if (kept && kept->Id() == id) {
      node = previous.Take(row);
      ForgetLinks(*node);
    } else {
      node = new VexGrdNode(this, row, id);
    }
    AddNode(std::move(node));
  }
}

void VexGrdNetworkModel::LoadBranches(VexGrdRowList<VexGrdBranch>& previous,
                                      std::size_t branchCount) {
  branchesByEnds_.Reserve(branchCount);  // only here: a reading alongside brings its own
  VexSqlStatement rows = document_.GetDatabase().Prepare(kSelectBranches);
  while (rows.Step()) {
    std::int64_t row = rows.ColumnInteger(0);
    VexUnicodeString from(rows.ColumnText(1));
    VexUnicodeString to(rows.ColumnText(2));
    VexGrdBranch* kept = previous.Find(row);
    VexVar<VexGrdBranch> branch;
    if (kept && kept->From() == from && kept->To() == to) {
      branch = previous.Take(row);
      ForgetLinks(*branch);
    } else {
      branch = new VexGrdBranch(this, row, from, to);
    }
    SetBranchValues(*branch, rows);
    AddBranch(std::move(branch));
  }
}

void VexGrdNetworkModel::SetBranchValues(VexGrdBranch& branch, VexSqlStatement& rows) {
  branch.length_ = rows.ColumnNumber(3);
  branch.unitCode_ = VexGrdUnitCodes::Intern(rows.ColumnText(4));
}

// Reading the branch rows and the node rows are each about a third of opening a large plant, and
// they do not depend on each other: the branches can be read on a connection of their own while
// this one reads the nodes. That connection must see what this one sees, so nothing may be waiting
// uncommitted here (the document's lock keeps other sessions from writing meanwhile), and branches
// that the model holds already keep their identity only through the ordinary reading.
bool VexGrdNetworkModel::CanReadBranchesAlongside(const VexGrdRowList<VexGrdBranch>& previous,
                                                  std::size_t branchCount) const {
  constexpr std::size_t kWorthAThread = 1 << 15;
  return branchCount >= kWorthAThread && previous.Size() == 0 &&
         std::thread::hardware_concurrency() >= 2 && document_.IsFileCurrent();
}

VexGrdNetworkModel::BranchRows VexGrdNetworkModel::ReadBranchRows(const VexUnicodeString& path,
                                                                  std::size_t branchCount) {
  VexSqlDatabase connection(path, VexSqlDatabase::Mode::ReadOnly);
  BranchRows read;
  read.branches.reserve(branchCount);
  read.byEnds.Reserve(branchCount);
  VexSqlStatement rows = connection.Prepare(kSelectBranches);
  while (rows.Step()) {
    // Not yet in the model: it is this thread's alone until the model adopts it.
    VexVar<VexGrdBranch> branch(new VexGrdBranch(nullptr, rows.ColumnInteger(0),
                                                 VexUnicodeString(rows.ColumnText(1)),
                                                 VexUnicodeString(rows.ColumnText(2))));
    SetBranchValues(*branch, rows);
    read.byEnds.Insert(branch.get());
    read.branches.push_back(std::move(branch));
  }
  return read;
}

void VexGrdNetworkModel::LoadWithBranchesReadAlongside(
    VexGrdRowList<VexGrdNode>& previousNodes, VexGrdRowList<VexGrdBranch>& previousBranches,
    std::size_t branchCount) {
  std::future<BranchRows> reading;
  try {
    reading = std::async(std::launch::async, &VexGrdNetworkModel::ReadBranchRows,
                         document_.GetDatabase().GetFullPath(), branchCount);
  } catch (const std::system_error&) {
    // No thread to be had: the branches are read after the nodes.
  }
  LoadNodes(previousNodes);
  std::optional<BranchRows> read;
  try {
    if (reading.valid()) read = reading.get();
  } catch (const std::exception&) {
    // The second connection could not read (out of file handles, say): the branches are read
    // here instead, where a failure is reported as any reading's is.
  }
  if (!read) {
    LoadBranches(previousBranches, branchCount);
    return;
  }
  branchesByEnds_ = std::move(read->byEnds);
  for (VexVar<VexGrdBranch>& branch : read->branches) AttachBranch(std::move(branch));
}

void VexGrdNetworkModel::LoadLinks(const char* sql, bool toNodes) {
  VexSqlStatement rows = document_.GetDatabase().Prepare(sql);
  while (rows.Step()) {
    std::int64_t row = rows.ColumnInteger(0);
    VexIAECElement_var element(document_.FindElement(rows.ColumnInteger(1)).get());
    if (!element) continue;  // the foreign key makes this impossible; never link a null
    VexGrdNetworkObject* object = nullptr;
    if (toNodes) {
      object = nodes_.Find(row);
    } else {
      object = branches_.Find(row);
    }
    if (object) AddLink(*object, std::move(element));
  }
}

// Indexes ---------------------------------------------------------------------------------------

void VexGrdNetworkModel::AddNode(VexVar<VexGrdNode> node) {
  node->model_ = this;
  byNodeId_.TryEmplace(node->Id()).first->node = node.get();
  std::int64_t row = node->GetRowId();
  nodes_.Add(row, std::move(node));
}

void VexGrdNetworkModel::AddBranch(VexVar<VexGrdBranch> branch) {
  branchesByEnds_.Insert(branch.get());
  AttachBranch(std::move(branch));
}

void VexGrdNetworkModel::AttachBranch(VexVar<VexGrdBranch> branch) {
  branch->model_ = this;
  std::int64_t row = branch->GetRowId();
  AppendBranchAt(branch->From(), *branch);
  if (branch->To() != branch->From()) AppendBranchAt(branch->To(), *branch);
  branches_.Add(row, std::move(branch));
}

VexGrdBranch*& VexGrdNetworkModel::NextAt(VexGrdBranch& branch, const VexUnicodeString& nodeId) {
  return branch.From() == nodeId ? branch.nextAtFrom_ : branch.nextAtTo_;
}

void VexGrdNetworkModel::AppendBranchAt(const VexUnicodeString& nodeId, VexGrdBranch& branch) {
  NodeIdEntry& entry = *byNodeId_.TryEmplace(nodeId).first;
  (entry.tail ? *entry.tail : entry.firstBranch) = &branch;
  VexGrdBranch*& next = NextAt(branch, nodeId);
  next = nullptr;
  entry.tail = &next;
}

void VexGrdNetworkModel::AddLink(VexGrdNetworkObject& object, VexIAECElement_var element) {
  std::int64_t elementId = element->GetId();
  if (IsNode(object)) {
    nodesOfElement_[elementId].push_back(static_cast<VexGrdNode*>(&object));
  } else {
    branchesOfElement_[elementId].push_back(static_cast<VexGrdBranch*>(&object));
  }
  object.MutableLinks().push_back(std::move(element));
}

void VexGrdNetworkModel::ForgetLinks(VexGrdNetworkObject& object) {
  for (const auto& element : object.GetLinks()) {
    std::int64_t elementId = element->GetId();
    if (IsNode(object)) {
      auto found = nodesOfElement_.find(elementId);
      if (found != nodesOfElement_.end()) {
        EraseOne(found->second, static_cast<VexGrdNode*>(&object));
      }
    } else {
      auto found = branchesOfElement_.find(elementId);
      if (found != branchesOfElement_.end()) {
        EraseOne(found->second, static_cast<VexGrdBranch*>(&object));
      }
    }
  }
  if (object.extras_) object.extras_->links.clear();
}

void VexGrdNetworkModel::LetGo(VexGrdNetworkObject& object) {
  object.ForgetExtras();
  object.model_ = nullptr;
}

bool VexGrdNetworkModel::IsNode(const VexGrdNetworkObject& object) const {
  return dynamic_cast<const VexGrdNode*>(&object) != nullptr;
}

void VexGrdNetworkModel::RequireTransaction(const char* operation) const {
  if (document_.GetTransactionDepth() == 0) {
    throw VexInternalError(3, "ChangeOutsideTransaction", kCatalog,
                           {VexUnicodeString(operation), document_.GetPath()});
  }
}

// Nodes and branches ----------------------------------------------------------------------------

VexVar<VexGrdNode> VexGrdNetworkModel::CreateNode(const VexUnicodeString& id) {
  RequireTransaction("CreateNode");
  if (id.IsEmpty() || FindNode(id)) RaiseMisuse("CreateNode", id);
  VexSqlDatabase& database = document_.GetDatabase();
  database.Cached("INSERT INTO grd_node(identifier) VALUES (?)").BindText(1, id).Run();
  VexVar<VexGrdNode> node(new VexGrdNode(this, database.GetLastInsertId(), id));
  AddNode(node);
  ++changeCount_;
  return node;
}

VexVar<VexGrdBranch> VexGrdNetworkModel::CreateBranch(const VexUnicodeString& from,
                                                      const VexUnicodeString& to) {
  RequireTransaction("CreateBranch");
  if (from.IsEmpty() || to.IsEmpty() || FindBranch(from, to)) {
    RaiseMisuse("CreateBranch", from + "->" + to);
  }
  VexSqlDatabase& database = document_.GetDatabase();
  database.Cached("INSERT INTO grd_branch(from_node, to_node) VALUES (?, ?)")
      .BindText(1, from)
      .BindText(2, to)
      .Run();
  VexVar<VexGrdBranch> branch(new VexGrdBranch(this, database.GetLastInsertId(), from, to));
  AddBranch(branch);
  ++changeCount_;
  return branch;
}

VexGrdNode* VexGrdNetworkModel::FindNode(const VexUnicodeString& id) const {
  const NodeIdEntry* entry = byNodeId_.Find(id);
  return entry ? entry->node : nullptr;
}

VexGrdBranch* VexGrdNetworkModel::FindBranch(const VexUnicodeString& from,
                                             const VexUnicodeString& to) const {
  VexGrdBranch* const* found =
      branchesByEnds_.FindBy(BranchEndsHash::Of(from, to), [&](const VexGrdBranch* branch) {
        return branch->From() == from && branch->To() == to;
      });
  return found ? *found : nullptr;
}

std::vector<VexGrdNode*> VexGrdNetworkModel::GetNodes() const {
  std::vector<VexGrdNode*> nodes;
  nodes.reserve(nodes_.Size());
  nodes_.ForEach([&nodes](VexGrdNode& node) { nodes.push_back(&node); });
  return nodes;
}

std::vector<VexGrdBranch*> VexGrdNetworkModel::GetBranches() const {
  std::vector<VexGrdBranch*> branches;
  branches.reserve(branches_.Size());
  branches_.ForEach([&branches](VexGrdBranch& branch) { branches.push_back(&branch); });
  return branches;
}

void VexGrdNetworkModel::DeleteNode(VexGrdNode& node) {
  RequireTransaction("DeleteNode");
  if (node.GetModel() != this) RaiseMisuse("DeleteNode", node.Id());
  document_.GetDatabase()
      .Cached("DELETE FROM grd_node WHERE id = ?")
      .BindInteger(1, node.GetRowId())
      .Run();
  VexVar<VexGrdNode> keep(&node);  // alive until the indexes no longer name it
  ForgetLinks(node);
  if (NodeIdEntry* entry = byNodeId_.Find(node.Id())) {
    entry->node = nullptr;
    if (entry->IsEmpty()) byNodeId_.Erase(node.Id());
  }
  nodes_.Take(node.GetRowId());
  document_.AnnounceDeletion(node);
  LetGo(node);
  ++changeCount_;
}

void VexGrdNetworkModel::DeleteBranch(VexGrdBranch& branch) {
  RequireTransaction("DeleteBranch");
  if (branch.GetModel() != this) RaiseMisuse("DeleteBranch", branch.GetBranchId());
  document_.GetDatabase()
      .Cached("DELETE FROM grd_branch WHERE id = ?")
      .BindInteger(1, branch.GetRowId())
      .Run();
  VexVar<VexGrdBranch> keep(&branch);
  ForgetLinks(branch);
  std::int64_t row = branch.GetRowId();
  branchesByEnds_.Erase(&branch);
  ForgetBranchAt(branch.From(), branch);
  if (branch.To() != branch.From()) ForgetBranchAt(branch.To(), branch);
  branches_.Take(row);
  document_.AnnounceDeletion(branch);
  LetGo(branch);
  ++changeCount_;
}

void VexGrdNetworkModel::ForgetBranchAt(const VexUnicodeString& nodeId, VexGrdBranch& branch) {
  NodeIdEntry* entry = byNodeId_.Find(nodeId);
  if (!entry) return;
  VexGrdBranch* previous = nullptr;
  for (VexGrdBranch* at = entry->firstBranch; at; previous = at, at = NextAt(*at, nodeId)) {
    if (at != &branch) continue;
    (previous ? NextAt(*previous, nodeId) : entry->firstBranch) = NextAt(branch, nodeId);
    if (entry->tail == &NextAt(branch, nodeId)) {
      entry->tail = previous ? &NextAt(*previous, nodeId) : nullptr;
    }
    NextAt(branch, nodeId) = nullptr;
    break;
  }
  if (entry->IsEmpty()) byNodeId_.Erase(nodeId);
}

std::size_t VexGrdNetworkModel::BranchEndsHash::Of(const VexUnicodeString& fromId,
                                                    const VexUnicodeString& toId) {
  std::size_t from = std::hash<VexUnicodeString>{}(fromId);
  std::size_t to = std::hash<VexUnicodeString>{}(toId);
  return from ^ (to + 0x9e3779b97f4a7c15ULL + (from << 6) + (from >> 2));
}

// Links -----------------------------------------------------------------------------------------

bool VexGrdNetworkModel::Link(VexGrdNetworkObject& object, VexIAECElement& element) {
  RequireTransaction("Link");
  if (object.GetModel() != this) RaiseMisuse("Link", element.GetName());
  if (object.IsLinkedTo(element)) return false;
  const char* sql = IsNode(object)
                        ? "INSERT INTO grd_node_link(node_id, element_id) VALUES (?, ?)"
                        : "INSERT INTO grd_branch_link(branch_id, element_id) VALUES (?, ?)";
  document_.GetDatabase()
      .Cached(sql)
      .BindInteger(1, object.GetRowId())
      .BindInteger(2, element.GetId())
      .Run();
  AddLink(object, VexIAECElement_var(&element));
  ++changeCount_;
  return true;
}

bool VexGrdNetworkModel::Unlink(VexGrdNetworkObject& object, VexIAECElement& element) {
  RequireTransaction("Unlink");
  if (object.GetModel() != this || !object.IsLinkedTo(element)) return false;
  const char* sql = IsNode(object)
                        ? "DELETE FROM grd_node_link WHERE node_id = ? AND element_id = ?"
                        : "DELETE FROM grd_branch_link WHERE branch_id = ? AND element_id = ?";
  document_.GetDatabase()
      .Cached(sql)
      .BindInteger(1, object.GetRowId())
      .BindInteger(2, element.GetId())
      .Run();
  std::int64_t elementId = element.GetId();
  auto& links = object.MutableLinks();
  links.erase(std::find_if(links.begin(), links.end(),
                           [&](const auto& linked) { return linked->GetId() == elementId; }));
  if (IsNode(object)) {
    EraseOne(nodesOfElement_[elementId], static_cast<VexGrdNode*>(&object));
  } else {
    EraseOne(branchesOfElement_[elementId], static_cast<VexGrdBranch*>(&object));
  }
  ++changeCount_;
  return true;
}

void VexGrdNetworkModel::SetBranchLength(VexGrdBranch& branch, double length) {
  RequireTransaction("SetBranchLength");
  if (branch.GetModel() != this) RaiseMisuse("SetBranchLength", branch.GetBranchId());
  document_.GetDatabase()
      .Cached("UPDATE grd_branch SET length = ? WHERE id = ?")
      .BindNumber(1, length)
      .BindInteger(2, branch.GetRowId())
      .Run();
  branch.length_ = length;
  ++changeCount_;
}

void VexGrdNetworkModel::SetBranchUnitCode(VexGrdBranch& branch, const VexUnicodeString& unitCode) {
  RequireTransaction("SetBranchUnitCode");
  if (branch.GetModel() != this) RaiseMisuse("SetBranchUnitCode", branch.GetBranchId());
  document_.GetDatabase()
      .Cached("UPDATE grd_branch SET unit_code = ? WHERE id = ?")
      .BindText(1, unitCode)
      .BindInteger(2, branch.GetRowId())
      .Run();
  branch.unitCode_ = VexGrdUnitCodes::Intern(unitCode);
  ++changeCount_;
}

std::vector<VexGrdBranch*> VexGrdNetworkModel::GetBranchesAt(const VexUnicodeString& nodeId) const {
  std::vector<VexGrdBranch*> branches;
  if (const NodeIdEntry* entry = byNodeId_.Find(nodeId)) {
    for (VexGrdBranch* at = entry->firstBranch; at; at = NextAt(*at, nodeId)) branches.push_back(at);
  }
  return branches;
}

std::vector<VexGrdNode*> VexGrdNetworkModel::GetNodesLinkedTo(std::int64_t elementId) const {
  auto found = nodesOfElement_.find(elementId);
  return found == nodesOfElement_.end() ? std::vector<VexGrdNode*>() : found->second;
}

std::vector<VexGrdBranch*> VexGrdNetworkModel::GetBranchesLinkedTo(std::int64_t elementId) const {
  auto found = branchesOfElement_.find(elementId);
  return found == branchesOfElement_.end() ? std::vector<VexGrdBranch*>() : found->second;
}

// Document events -------------------------------------------------------------------------------

void VexGrdNetworkModel::OnRolledBack(VexDocument&) {
  Load();
  ++changeCount_;
}

void VexGrdNetworkModel::OnElementDeleted(VexDocument&, VexPlantElement& element) {
  // The file lost the links by cascade; memory follows.
  std::int64_t elementId = element.Id();
  auto dropFrom = [elementId](VexGrdNetworkObject& object) {
    auto& links = object.MutableLinks();
    links.erase(std::remove_if(links.begin(), links.end(),
                               [&](const auto& linked) { return linked->GetId() == elementId; }),
                links.end());
  };
  const std::vector<VexGrdNode*> nodes = GetNodesLinkedTo(elementId);
  const std::vector<VexGrdBranch*> branches = GetBranchesLinkedTo(elementId);
  for (VexGrdNode* node : nodes) dropFrom(*node);
  for (VexGrdBranch* branch : branches) dropFrom(*branch);
  nodesOfElement_.erase(elementId);
  branchesOfElement_.erase(elementId);
  if (!nodes.empty() || !branches.empty()) ++changeCount_;
}
