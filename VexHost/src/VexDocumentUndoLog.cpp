#include "VexDocumentUndoLog.h"

void VexDocumentUndoLog::UndoTo(std::size_t mark) {
  while (actions_.size() > mark) {
    // Taken out first: the action may not run twice, even if it throws.
    std::function<void()> undo = std::move(actions_.back());
    actions_.pop_back();
    undo();
  }
}
