#include "VexDocument.h"

#include <sqlite3.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <iostream>

#include "VexDocumentFileCheck.h"
#include "VexDocumentLock.h"
#include "VexDocumentSchema.h"
#include "VexDocumentTransaction.h"
#include "VexError.h"
#include "VexPlantElementLoader.h"

namespace fs = std::filesystem;

namespace {

VexUnicodeString Number(std::int64_t value) { return VexUnicodeString(std::to_string(value)); }

std::string SavepointName(int level) { return "vex_level_" + std::to_string(level); }

auto ById() {
  return [](const VexVar<VexPlantElement>& element, std::int64_t id) { return element->Id() < id; };
}

void RemoveFileAndCompanions(const VexUnicodeString& path) {
  std::error_code ignored;
  for (const char* suffix : {"", "-wal", "-shm", "-journal"}) {
    fs::remove(fs::path(path.str() + suffix), ignored);
  }
}

}  // namespace

std::unique_ptr<VexDocument> VexDocument::Create(const VexUnicodeString& path) {
  std::error_code error;
  if (fs::exists(fs::symlink_status(fs::path(path.str()), error))) {
    throw VexInputError(2, "DocumentAlreadyExists", kVexHostCatalog, {path});
  }
  std::unique_ptr<VexDocumentLock> lock = VexDocumentLock::Acquire(path);
  try {
    std::unique_ptr<VexDocument> document(new VexDocument(
        std::make_unique<VexSqlDatabase>(path, VexSqlDatabase::Mode::Create), std::move(lock)));
    document->Configure();
    VexDocumentTransaction transaction(*document);
    VexDocumentSchema::Install(*document->database_);
    document->EnsureSchema(VexDocumentSchema::kDocumentComponent,
                           VexDocumentSchema::DocumentMigrations());
    transaction.Commit();
    return document;
  } catch (...) {
    // Only what this call made is removed: the path was free when it started.
    RemoveFileAndCompanions(path);
    throw;
  }
}

std::unique_ptr<VexDocument> VexDocument::Open(const VexUnicodeString& path) {
  VexDocumentFileCheck::VerifyPath(path);
  // Taken before the file is read: another session writing meanwhile could make a sound document
  // look foreign or damaged.
  std::unique_ptr<VexDocumentLock> lock = VexDocumentLock::Acquire(path);
  VexDocumentFileCheck::Verify(path);
  std::unique_ptr<VexDocument> document(new VexDocument(
      std::make_unique<VexSqlDatabase>(path, VexSqlDatabase::Mode::ReadWrite), std::move(lock)));
  if (document->database_->IsReadOnly()) {
    throw VexInputError(2, "DocumentReadOnly", kVexHostCatalog, {path});
  }
  document->Configure();
  document->EnsureSchema(VexDocumentSchema::kDocumentComponent,
                         VexDocumentSchema::DocumentMigrations());
  document->Load();
  return document;
}

VexDocument::VexDocument(std::unique_ptr<VexSqlDatabase> database,
                         std::unique_ptr<VexDocumentLock> lock)
    : lock_(std::move(lock)), database_(std::move(database)) {}

VexDocument::~VexDocument() {
  if (depth_ > 0) {
    try {
      RollbackLevel(1);
    } catch (const std::exception& error) {
      std::cerr << "voltaria: " << error.what() << '\n';
    }
  }
  attachments_.clear();
  for (auto& element : elements_) element->document_ = nullptr;
}

void VexDocument::Configure() {
  database_->Execute("PRAGMA journal_mode = WAL");
  // Every committed event must survive a crash of the machine, not only of the program.
  database_->Execute("PRAGMA synchronous = FULL");
  database_->Execute("PRAGMA foreign_keys = ON");
  // The default page cache (2 MB) is smaller than the network tables of a large plant; past it,
  // every change rereads pages and the cost of a change grows with the size of the plant.
  database_->Execute("PRAGMA cache_size = -65536");
}

void VexDocument::Load() {
  elements_ = VexPlantElementLoader(*database_, this, types_).Load();
  VexSqlStatement rows = database_->Prepare("SELECT key, value FROM vex_property");
  while (rows.Step()) {
    properties_.emplace(VexString(std::string(rows.ColumnText(0))),
                        VexUnicodeString(rows.ColumnText(1)));
  }
}

int VexDocument::EnsureSchema(const char* component, const std::vector<std::string>& migrations) {
  VexDocumentTransaction step(*this);
  int found = VexDocumentSchema::Migrate(*database_, component, migrations);
  step.Commit();
  return found;
}

// Transactions ---------------------------------------------------------------------------------

void VexDocument::BeginEvent() {
  if (depth_ != 0) RaiseMisuse("BeginEvent");
  BeginLevel();
  eventOpen_ = true;
}

void VexDocument::CommitEvent() {
  if (!eventOpen_ || depth_ != 1) RaiseMisuse("CommitEvent");
  eventOpen_ = false;
  CommitLevel(1);
}

void VexDocument::RollbackEvent() {
  if (!eventOpen_) RaiseMisuse("RollbackEvent");
  eventOpen_ = false;
  // Steps that the event left open go with it.
  if (depth_ > 0) RollbackLevel(1);
}

int VexDocument::BeginLevel() {
  if (depth_ == 0) {
    database_->Execute("BEGIN IMMEDIATE");
    changesAtBegin_ = sqlite3_total_changes64(database_->GetHandle());
  } else {
    database_->Execute(("SAVEPOINT " + SavepointName(depth_)).c_str());
  }
  marks_.push_back(undo_.GetSize());
  return ++depth_;
}

bool VexDocument::IsFileCurrent() const { return depth_ == 0 || !HasChangedSinceBegin(); }

// Rows changed and then rolled back still count in SQLite's total.
bool VexDocument::HasChangedSinceBegin() const {
  return sqlite3_total_changes64(database_->GetHandle()) != changesAtBegin_;
}

void VexDocument::CommitLevel(int level) {
  if (level > depth_) {
    // The whole transaction already ended on a failure and memory was put back with it.
    throw VexInputError(2, "DocumentTransactionLost", kVexHostCatalog, {GetPath()});
  }
  if (level != depth_) RaiseMisuse("Commit");
  if (!database_->IsInTransaction()) {
    // The database ended the transaction itself after a failure (disk full, I/O error).
    AbandonTransaction();
    throw VexInputError(2, "DocumentTransactionLost", kVexHostCatalog, {GetPath()});
  }
  if (level == 1) {
    try {
      database_->Execute("COMMIT");
    } catch (const VexError&) {
      AbandonTransaction();
      throw;
    }
    undo_.Clear();
  } else {
    database_->Execute(("RELEASE " + SavepointName(level - 1)).c_str());
  }
  marks_.pop_back();
  --depth_;
}

void VexDocument::RollbackLevel(int level) {
  if (level > depth_) return;  // already rolled back with an enclosing transaction
  if (!database_->IsInTransaction()) {
    AbandonTransaction();
    return;
  }
  try {
    // Rolling back a level also rolls back the levels still open inside it.
    if (level == 1) {
      database_->Execute("ROLLBACK");
    } else {
      const std::string name = SavepointName(level - 1);
      database_->Execute(("ROLLBACK TO " + name + "; RELEASE " + name).c_str());
    }
  } catch (const VexError&) {
    AbandonTransaction();
    throw;
  }
  undo_.UndoTo(marks_[level - 1]);
  marks_.resize(level - 1);
  depth_ = level - 1;
  if (depth_ == 0) {
    eventOpen_ = false;
    CountUndoneTransaction();
  }
  NotifyRolledBack();
}

void VexDocument::CountUndoneTransaction() {
  if (HasChangedSinceBegin()) ++undoneTransactions_;
}

void VexDocument::AbandonTransaction() {
  if (database_->IsInTransaction()) {
    try {
      database_->Execute("ROLLBACK");
    } catch (const VexError& error) {
      std::cerr << "voltaria: " << error.what() << '\n';
    }
  }
  undo_.UndoTo(marks_.empty() ? 0 : marks_.front());
  marks_.clear();
  depth_ = 0;
  eventOpen_ = false;
  CountUndoneTransaction();
  NotifyRolledBack();
}

void VexDocument::RequireTransaction() const {
  if (depth_ == 0) throw VexInternalError(3, "DocumentNoTransaction", kVexHostCatalog, {GetPath()});
}

void VexDocument::RaiseMisuse(const char* operation) const {
  throw VexInternalError(3, "DocumentTransactionMisuse", kVexHostCatalog,
                         {GetPath(), VexUnicodeString(operation), Number(depth_)});
}

void VexDocument::NotifyRolledBack() {
  const std::vector<VexDocumentListener*> listeners = listeners_;
  for (VexDocumentListener* listener : listeners) listener->OnRolledBack(*this);
}

// Elements -------------------------------------------------------------------------------------

VexVar<VexPlantElement> VexDocument::FindElement(std::int64_t id) const {
  auto found = std::lower_bound(elements_.begin(), elements_.end(), id, ById());
  return found != elements_.end() && (*found)->Id() == id ? *found : nullptr;
}

VexVar<VexPlantElement> VexDocument::FindElementByName(const VexUnicodeString& name) const {
  auto found = std::find_if(elements_.begin(), elements_.end(),
                            [&](const auto& element) { return element->Name() == name; });
  return found != elements_.end() ? *found : nullptr;
}

VexPlantElement& VexDocument::Own(VexIAECElement& element) const {
  VexVar<VexPlantElement> own = FindElement(element.GetId());
  if (!own || VexIdentityOf(own.get()) != VexIdentityOf(&element)) {
    throw VexInternalError(3, "DocumentElementUnknown", kVexHostCatalog,
                           {GetPath(), element.GetName()});
  }
  return *own;
}

void VexDocument::InsertElement(VexVar<VexPlantElement> element) {
  auto at = std::lower_bound(elements_.begin(), elements_.end(), element->Id(), ById());
  element->document_ = this;
  elements_.insert(at, std::move(element));
}

void VexDocument::RemoveElement(VexPlantElement& element) {
  auto at = std::lower_bound(elements_.begin(), elements_.end(), element.Id(), ById());
  if (at == elements_.end() || at->get() != &element) return;  // not held: nothing to take out
  element.document_ = nullptr;
  elements_.erase(at);
}

VexVar<VexPlantElement> VexDocument::CreateElement(const VexUnicodeString& name,
                                                   const VexUnicodeString& typeText,
                                                   VexElementKind kind) {
  RequireTransaction();
  VexSqlStatement& insert =
      database_->Cached("INSERT INTO vex_element(name, type_text, kind) VALUES (?, ?, ?)");
  insert.BindText(1, name).BindText(2, typeText).BindText(3, VexElementKindName(kind)).Run();
  VexVar<VexPlantElement> element(new VexPlantElement(this, database_->GetLastInsertId(), name,
                                                      types_.Intern(typeText.str()), kind));
  InsertElement(element);
  undo_.Record([this, element] { RemoveElement(*element); });
  return element;
}

void VexDocument::RenameElement(VexIAECElement& target, const VexUnicodeString& name) {
  RequireTransaction();
  VexPlantElement& element = Own(target);
  database_->Cached("UPDATE vex_element SET name = ? WHERE id = ?")
      .BindText(1, name)
      .BindInteger(2, element.Id())
      .Run();
  undo_.Record(
      [held = VexVar<VexPlantElement>(&element), old = element.name_] { held->name_ = old; });
  element.name_ = name;
}

void VexDocument::SetElementType(VexIAECElement& target, const VexUnicodeString& typeText) {
  RequireTransaction();
  VexPlantElement& element = Own(target);
  database_->Cached("UPDATE vex_element SET type_text = ? WHERE id = ?")
      .BindText(1, typeText)
      .BindInteger(2, element.Id())
      .Run();
  undo_.Record(
      [held = VexVar<VexPlantElement>(&element), old = element.type_] { held->type_ = old; });
  element.type_ = types_.Intern(typeText.str());
}

void VexDocument::SetElementKind(VexIAECElement& target, VexElementKind kind) {
  RequireTransaction();
  VexPlantElement& element = Own(target);
  database_->Cached("UPDATE vex_element SET kind = ? WHERE id = ?")
      .BindText(1, VexElementKindName(kind))
      .BindInteger(2, element.Id())
      .Run();
  undo_.Record(
      [held = VexVar<VexPlantElement>(&element), old = element.kind_] { held->kind_ = old; });
  element.kind_ = kind;
}

void VexDocument::SetRoutePoints(VexIAECElement& target, std::vector<VexRoutePoint> route) {
  RequireTransaction();
  VexPlantElement& element = Own(target);
  for (std::size_t i = 0; i < route.size(); ++i) {
    const VexRoutePoint& point = route[i];
    if (!std::isfinite(point.x) || !std::isfinite(point.y) || !std::isfinite(point.z)) {
      throw VexInputError(2, "ElementBadRoutePoint", kVexHostCatalog,
                          {element.Name(), Number(static_cast<std::int64_t>(i) + 1)});
    }
  }
  VexDocumentTransaction step(*this);
  database_->Cached("DELETE FROM vex_route_point WHERE element_id = ?")
      .BindInteger(1, element.Id())
      .Run();
  VexSqlStatement& insert = database_->Cached(
      "INSERT INTO vex_route_point(element_id, position, x, y, z) VALUES (?, ?, ?, ?, ?)");
  for (std::size_t i = 0; i < route.size(); ++i) {
    insert.BindInteger(1, element.Id())
        .BindInteger(2, static_cast<std::int64_t>(i) + 1)
        .BindNumber(3, route[i].x)
        .BindNumber(4, route[i].y)
        .BindNumber(5, route[i].z)
        .Run();
    insert.Reset();
  }
  undo_.Record(
      [held = VexVar<VexPlantElement>(&element), old = element.route_] { held->route_ = old; });
  element.route_ = std::move(route);
  step.Commit();
}

void VexDocument::WriteAttribute(VexPlantElement& element, VexElementAttribute attribute) {
  RequireTransaction();
  if (attribute.name.IsEmpty()) {
    throw VexInputError(2, "ElementBadAttributeName", kVexHostCatalog, {element.Name()});
  }
  VexSqlStatement& upsert = database_->Cached(
      "INSERT INTO vex_attribute(element_id, name, number, text) VALUES (?, ?, ?, ?) "
      "ON CONFLICT(element_id, name) DO UPDATE SET number = excluded.number, text = excluded.text");
  upsert.BindInteger(1, element.Id()).BindText(2, attribute.name.str());
  if (attribute.IsNumber()) {
    upsert.BindNumber(3, std::get<double>(attribute.value)).BindNull(4);
  } else {
    upsert.BindNull(3).BindText(4, std::get<VexUnicodeString>(attribute.value));
  }
  upsert.Run();
  undo_.Record([held = VexVar<VexPlantElement>(&element), old = element.attributes_] {
    held->attributes_ = old;
  });
  element.PutAttribute(std::move(attribute));
}

void VexDocument::SetNumberAttribute(VexIAECElement& target, const VexString& name, double value) {
  VexPlantElement& element = Own(target);
  if (!std::isfinite(value)) {
    throw VexInputError(2, "ElementBadAttributeNumber", kVexHostCatalog,
                        {element.Name(), VexUnicodeString(name.str())});
  }
  WriteAttribute(element, {name, value});
}

void VexDocument::SetTextAttribute(VexIAECElement& target, const VexString& name,
                                   const VexUnicodeString& value) {
  WriteAttribute(Own(target), {name, value});
}

bool VexDocument::RemoveAttribute(VexIAECElement& target, const VexString& name) {
  RequireTransaction();
  VexPlantElement& element = Own(target);
  if (!element.FindAttribute(name)) return false;
  database_->Cached("DELETE FROM vex_attribute WHERE element_id = ? AND name = ?")
      .BindInteger(1, element.Id())
      .BindText(2, name.str())
      .Run();
  undo_.Record([held = VexVar<VexPlantElement>(&element), old = element.attributes_] {
    held->attributes_ = old;
  });
  element.EraseAttribute(name);
  return true;
}

void VexDocument::DeleteElement(VexIAECElement& target) {
  RequireTransaction();
  VexVar<VexPlantElement> element(&Own(target));
  database_->Cached("DELETE FROM vex_element WHERE id = ?").BindInteger(1, element->Id()).Run();
  RemoveElement(*element);
  undo_.Record([this, element] { InsertElement(element); });
  const std::vector<VexDocumentListener*> listeners = listeners_;
  for (VexDocumentListener* listener : listeners) listener->OnElementDeleted(*this, *element);
}

// Properties, listeners, attachments -----------------------------------------------------------

std::optional<VexUnicodeString> VexDocument::GetProperty(const VexString& key) const {
  auto found = properties_.find(key);
  if (found == properties_.end()) return std::nullopt;
  return found->second;
}

void VexDocument::SetProperty(const VexString& key, const VexUnicodeString& value) {
  RequireTransaction();
  database_
      ->Cached(
          "INSERT INTO vex_property(key, value) VALUES (?, ?) "
          "ON CONFLICT(key) DO UPDATE SET value = excluded.value")
      .BindText(1, key.str())
      .BindText(2, value)
      .Run();
  undo_.Record([this, key, old = GetProperty(key)] {
    if (old) {
      properties_[key] = *old;
    } else {
      properties_.erase(key);
    }
  });
  properties_[key] = value;
}

bool VexDocument::RemoveProperty(const VexString& key) {
  RequireTransaction();
  std::optional<VexUnicodeString> old = GetProperty(key);
  if (!old) return false;
  database_->Cached("DELETE FROM vex_property WHERE key = ?").BindText(1, key.str()).Run();
  undo_.Record([this, key, old] { properties_[key] = *old; });
  properties_.erase(key);
  return true;
}

void VexDocument::RecordUndo(std::function<void()> undo) {
  RequireTransaction();
  undo_.Record(std::move(undo));
}

void VexDocument::AnnounceDeletion(VexBaseUnknown& object) {
  const std::vector<VexDocumentListener*> listeners = listeners_;
  for (VexDocumentListener* listener : listeners) listener->OnObjectDeleted(*this, object);
}

void VexDocument::AddListener(VexDocumentListener* listener) {
  if (listener && std::find(listeners_.begin(), listeners_.end(), listener) == listeners_.end()) {
    listeners_.push_back(listener);
  }
}

void VexDocument::RemoveListener(VexDocumentListener* listener) {
  listeners_.erase(std::remove(listeners_.begin(), listeners_.end(), listener), listeners_.end());
}

void VexDocument::SetAttachment(const VexString& key,
                                std::unique_ptr<VexDocumentAttachment> attachment) {
  if (attachment) {
    attachments_[key] = std::move(attachment);
  } else {
    attachments_.erase(key);
  }
}

VexDocumentAttachment* VexDocument::GetAttachment(const VexString& key) const {
  auto found = attachments_.find(key);
  return found == attachments_.end() ? nullptr : found->second.get();
}
