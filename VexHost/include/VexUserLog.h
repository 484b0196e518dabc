#pragma once
// The record of everything the host showed to or asked of the user: messages, questions, file
// choices and the errors that escaped an event. Tests read it; the host program prints it.

#include <string>
#include <vector>

#include "VexUnicodeString.h"

/// One exchange with the user.
struct VexUserLogEntry {
  enum class Form { Message, Question, FileChoice, Error };
  Form form = Form::Message;
  /// Message kind 1 to 3, 4 for a question, 0 for a file choice or an error.
  int kind = 0;
  VexUnicodeString title;
  VexUnicodeString text;
  /// "yes"/"no" for a question, the path or "cancel" for a file choice, "acknowledged" for a
  /// message; "(no answer)" when the user failed to answer.
  VexUnicodeString answer;

  /// One line such as `question "Create File": Create X? -> yes`.
  std::string ToText() const;
};

class VexUserLog {
 public:
  void Add(VexUserLogEntry entry) { entries_.push_back(std::move(entry)); }
  const std::vector<VexUserLogEntry>& GetEntries() const { return entries_; }
  int GetCount() const { return static_cast<int>(entries_.size()); }
  /// The last entry; a default entry when the log is empty.
  VexUserLogEntry GetLast() const { return entries_.empty() ? VexUserLogEntry{} : entries_.back(); }
  /// Number of entries whose text contains `text`.
  int CountContaining(const VexUnicodeString& text) const;
  void Clear() { entries_.clear(); }
  /// Every entry, one line each.
  std::string ToText() const;

 private:
  std::vector<VexUserLogEntry> entries_;
};
