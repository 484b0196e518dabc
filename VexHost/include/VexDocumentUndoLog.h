#pragma once
// What a document changed in memory during its open transaction, as actions that put it back.
// The file is put back by the database; this log does the same for the objects, so that after a
// rollback memory and file agree without reloading (and elements keep their identity).

#include <cstddef>
#include <functional>
#include <vector>

class VexDocumentUndoLog {
 public:
  void Record(std::function<void()> undo) { actions_.push_back(std::move(undo)); }
  std::size_t GetSize() const { return actions_.size(); }
  /// Runs the actions recorded after `mark`, newest first, and forgets them.
  void UndoTo(std::size_t mark);
  /// Forgets every action: the changes are committed.
  void Clear() { actions_.clear(); }

 private:
  std::vector<std::function<void()>> actions_;
};
