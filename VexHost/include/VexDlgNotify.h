#pragma once
// A blocking message window: it shows a message under a title and returns when the session's
// user has answered. The exchange is recorded in the session's user log.

#include "VexDlgWindow.h"

class VexDlgNotify : public VexDlgWindow {
 public:
  VexDlgNotify(VexDialog* parent, const char* identifier, int style = 0)
      : VexDlgWindow(parent, identifier, style) {}
  const char* GetKindName() const override { return "VexDlgNotify"; }

  /// Kind of the messages shown by DisplayBlocked: 1 information (the default), 2 warning,
  /// 3 error.
  void SetMessageKind(int kind);
  /// Acknowledge form: shows `message` under `title` until the user acknowledges it.
  void DisplayBlocked(const VexUnicodeString& message, const VexUnicodeString& title);
  /// Yes/no form: returns 1 when the user answers yes, 0 for no.
  int DisplayBlockedQuestion(const VexUnicodeString& message, const VexUnicodeString& title);
  std::string DescribeState() const override;

 protected:
  ~VexDlgNotify() override = default;

 private:
  void ShowWhile(const std::function<void()>& waitForUser);

  int kind_ = 1;
  VexUnicodeString message_;
};
