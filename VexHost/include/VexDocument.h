#pragma once
// A plant document: one SQLite database file (write-ahead log, foreign keys on) holding the plant
// elements, the document's properties and, in tables of their own, the data of the workbench
// services (the network model). Elements are loaded once when the document opens and keep their
// identity for the session.
//
// Every change runs inside a transaction: a user event (BeginEvent / CommitEvent / RollbackEvent,
// called by the session) or a VexDocumentTransaction for work outside events (loading, scripts,
// tests). A change outside both is refused. Transactions nest; a rollback restores the file and
// the elements in memory, then tells the listeners, so memory and file agree again.

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "VexDocumentAttachment.h"
#include "VexDocumentListener.h"
#include "VexDocumentUndoLog.h"
#include "VexPlantElement.h"
#include "VexSqlDatabase.h"
#include "VexTransactionHandler.h"
#include "VexTypeDescriptorTable.h"

class VexDocumentLock;

class VexDocument : public VexTransactionHandler {
 public:
  /// Makes a new, empty document; refuses a path where a file exists.
  static std::unique_ptr<VexDocument> Create(const VexUnicodeString& path);
  /// Opens an existing document; refuses, without changing it, any file that is not one, a
  /// damaged one, and one that another session has open. The document is locked until closed.
  static std::unique_ptr<VexDocument> Open(const VexUnicodeString& path);
  /// Closes the file; an open transaction is rolled back. Attachments go first, then elements
  /// still held elsewhere are detached (GetDocument answers null).
  ~VexDocument() override;
  VexDocument(const VexDocument&) = delete;
  VexDocument& operator=(const VexDocument&) = delete;

  const VexUnicodeString& GetPath() const { return database_->GetPath(); }
  /// The connection, for services that keep tables in the document (inside transactions only).
  VexSqlDatabase& GetDatabase() { return *database_; }
  /// Brings `component`'s tables to version migrations.size() (see VexDocumentSchema); returns
  /// the version the file had, 0 for a component new to the file. Runs in its own nested step.
  int EnsureSchema(const char* component, const std::vector<std::string>& migrations);

  void BeginEvent() override;
  void CommitEvent() override;
  void RollbackEvent() override;
  /// Number of open transactions: 0 outside any, 1 inside an event or a transaction, more nested.
  int GetTransactionDepth() const { return depth_; }
  /// How many transactions were rolled back as a whole after they had changed the document (an
  /// event that failed, a commit that failed): what others keep of the document may be stale.
  int GetUndoneTransactionCount() const { return undoneTransactions_; }
  /// True when the file holds all that this connection sees: no transaction is open, or the open
  /// one has changed nothing yet. Only then does another connection to the file read the same.
  bool IsFileCurrent() const;

  /// All elements in order of identifier.
  const std::vector<VexVar<VexPlantElement>>& GetElements() const { return elements_; }
  int GetElementCount() const { return static_cast<int>(elements_.size()); }
  /// The element with identifier `id`, or null.
  VexVar<VexPlantElement> FindElement(std::int64_t id) const;
  /// The first element (lowest identifier) called `name`, or null. Scans the elements.
  VexVar<VexPlantElement> FindElementByName(const VexUnicodeString& name) const;

  VexVar<VexPlantElement> CreateElement(const VexUnicodeString& name,
                                        const VexUnicodeString& typeText, VexElementKind kind);
  void RenameElement(VexIAECElement& element, const VexUnicodeString& name);
  void SetElementType(VexIAECElement& element, const VexUnicodeString& typeText);
  void SetElementKind(VexIAECElement& element, VexElementKind kind);
  /// Replaces the route; coordinates in millimetres, finite.
  void SetRoutePoints(VexIAECElement& element, std::vector<VexRoutePoint> route);
  void SetNumberAttribute(VexIAECElement& element, const VexString& name, double value);
  void SetTextAttribute(VexIAECElement& element, const VexString& name,
                        const VexUnicodeString& value);
  /// Removes the attribute `name`; false when the element has none of that name.
  bool RemoveAttribute(VexIAECElement& element, const VexString& name);
  /// Deletes the element and, by cascade, every row that refers to it; listeners are told.
  void DeleteElement(VexIAECElement& element);

  /// The document's own properties (for example the EDSA master file path).
  std::optional<VexUnicodeString> GetProperty(const VexString& key) const;
  const std::map<VexString, VexUnicodeString>& GetProperties() const { return properties_; }
  void SetProperty(const VexString& key, const VexUnicodeString& value);
  /// Removes the property; false when there was none under `key`.
  bool RemoveProperty(const VexString& key);

  /// Inside a transaction: `undo` puts back something a service keeps in memory, and runs, with
  /// the document's own undo actions, newest first, when that transaction is rolled back.
  void RecordUndo(std::function<void()> undo);
  /// Tells the listeners that `object`, a service's object of this document (a network node),
  /// was deleted, so that nothing keeps showing or selecting it.
  void AnnounceDeletion(VexBaseUnknown& object);

  /// Observers; they must be removed before they are destroyed.
  void AddListener(VexDocumentListener* listener);
  void RemoveListener(VexDocumentListener* listener);

  /// Hangs `attachment` on the document under `key`, replacing (destroying) any previous one;
  /// null removes it.
  void SetAttachment(const VexString& key, std::unique_ptr<VexDocumentAttachment> attachment);
  /// The attachment under `key`, or null.
  VexDocumentAttachment* GetAttachment(const VexString& key) const;
  template <class T>
  T* GetAttachmentAs(const VexString& key) const {
    return dynamic_cast<T*>(GetAttachment(key));
  }

 private:
  friend class VexDocumentTransaction;

  VexDocument(std::unique_ptr<VexSqlDatabase> database, std::unique_ptr<VexDocumentLock> lock);
  void Configure();
  void Load();

  int BeginLevel();
  void CommitLevel(int level);
  void RollbackLevel(int level);
  void AbandonTransaction();
  void RequireTransaction() const;
  [[noreturn]] void RaiseMisuse(const char* operation) const;
  void NotifyRolledBack();
  void CountUndoneTransaction();
  /// Whether the open transaction changed rows since it began (SQLite's total change count).
  bool HasChangedSinceBegin() const;

  VexPlantElement& Own(VexIAECElement& element) const;
  void InsertElement(VexVar<VexPlantElement> element);
  void RemoveElement(VexPlantElement& element);
  void WriteAttribute(VexPlantElement& element, VexElementAttribute attribute);

  std::unique_ptr<VexDocumentLock> lock_;  // released after the database is closed
  std::unique_ptr<VexSqlDatabase> database_;
  VexTypeDescriptorTable types_;
  std::vector<VexVar<VexPlantElement>> elements_;
  std::map<VexString, VexUnicodeString> properties_;

  int depth_ = 0;
  bool eventOpen_ = false;
  std::int64_t changesAtBegin_ = 0;
  int undoneTransactions_ = 0;
  std::vector<std::size_t> marks_;
  VexDocumentUndoLog undo_;

  std::vector<VexDocumentListener*> listeners_;
  std::map<VexString, std::unique_ptr<VexDocumentAttachment>> attachments_;
};
