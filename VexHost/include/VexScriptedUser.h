#pragma once
// A user whose answers are queued in advance, for tests and scripts. Messages are acknowledged
// without a queued answer; a question or a file choice takes the next queued answer, which must
// be of the matching form. Asked with nothing (fitting) queued, it fails loudly with a
// VexInternalError (severity 2) whose text quotes the question, never with a silent default.

#include <deque>
#include <optional>

#include "VexUser.h"

class VexScriptedUser : public VexUser {
 public:
  void QueueYes() { answers_.push_back({Form::YesNo, true, {}}); }
  void QueueNo() { answers_.push_back({Form::YesNo, false, {}}); }
  /// The person chooses `path` in the next document chooser.
  void QueueFile(const VexUnicodeString& path) { answers_.push_back({Form::File, true, path}); }
  /// The person cancels the next document chooser.
  void QueueFileCancel() { answers_.push_back({Form::File, false, {}}); }

  /// Answers queued and not asked for yet.
  int GetPendingCount() const { return static_cast<int>(answers_.size()); }
  void ClearQueue() { answers_.clear(); }

  bool AnswerYesNo(const VexUnicodeString& title, const VexUnicodeString& question) override;
  void Acknowledge(const VexUnicodeString& title, const VexUnicodeString& message,
                   int kind) override;
  std::optional<VexUnicodeString> ChooseFile(const VexUnicodeString& title,
                                             const VexListValVexUnicodeString& filters) override;

 private:
  enum class Form { YesNo, File };
  struct Answer {
    Form form;
    bool yes;
    VexUnicodeString path;
  };
  Answer Take(Form form, const char* missingKey, const VexUnicodeString& asked);

  std::deque<Answer> answers_;
};
