#include "VexDlgNotify.h"

#include "VexSession.h"

void VexDlgNotify::SetMessageKind(int kind) {
  if (kind < 1 || kind > 3) ThrowBadValue("SetMessageKind", kind);
  kind_ = kind;
}

void VexDlgNotify::DisplayBlocked(const VexUnicodeString& message, const VexUnicodeString& title) {
  message_ = message;
  SetTitle(title);
  ShowWhile([&] { VexSession::GetSession().ShowMessage(title, message, kind_); });
}

int VexDlgNotify::DisplayBlockedQuestion(const VexUnicodeString& message,
                                         const VexUnicodeString& title) {
  message_ = message;
  SetTitle(title);
  bool yes = false;
  ShowWhile([&] { yes = VexSession::GetSession().AskYesNo(title, message); });
  return yes ? 1 : 0;
}

void VexDlgNotify::ShowWhile(const std::function<void()>& waitForUser) {
  SetVisibility(kShown);
  try {
    waitForUser();
  } catch (...) {
    SetVisibility(kHidden);
    throw;
  }
  SetVisibility(kHidden);
}

std::string VexDlgNotify::DescribeState() const { return "message=" + Quote(message_); }
