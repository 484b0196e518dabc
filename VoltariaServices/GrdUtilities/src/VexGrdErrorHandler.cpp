#include "VexGrdErrorHandler.h"

#include "VexDlgNotify.h"
#include "VexGrdUtilitiesInputErr.h"
#include "VexMsgCatalog.h"

namespace {

constexpr int kQuestion = 4;

// The notify window's own kinds: 1 information, 2 warning, 3 error.
int NotifyKindOf(int displayKind) {
  switch (displayKind) {
    case 1:
      return 3;
    case 2:
      return 2;
    case 3:
      return 1;
    default:
      throw VexInternalError(3, "UnknownDisplayKind", kVexGrdUtilitiesCatalog,
                             {VexUnicodeString().ConvertNumToString(displayKind)});
  }
}

VexUnicodeString TitleOf(int displayKind) {
  static const char* const keys[] = {"ErrorTitleInternal", "ErrorTitleWarning",
                                     "ErrorTitleInvalidInput", "ErrorTitleQuestion"};
  if (displayKind < 1 || displayKind > 4) NotifyKindOf(displayKind);
  VexMsgCatalog catalog;
  catalog.LoadMsgCatalog(kVexGrdUtilitiesCatalog, nullptr);
  return catalog.GetCatalogMsg(keys[displayKind - 1]).BuildMessage(nullptr);
}

}  // namespace

int VexGrdErrorHandler::DisplayError(const int kind, const VexError& error) {
  return DisplayErrorPnl(kind, error.GetMessageText(), TitleOf(kind));
}

int VexGrdErrorHandler::DisplayError(const int kind, VexError* error) {
  if (!error) {
    throw VexInternalError(3, "InvalidArgument", kVexGrdUtilitiesCatalog,
                           {"DisplayError", "null error"});
  }
  return DisplayError(kind, *error);
}

int VexGrdErrorHandler::DisplayErrorPnl(const int kind, const VexUnicodeString message,
                                        const VexUnicodeString title) {
  // A top-level window of its own, gone when this call ends.
  VexVar<VexDlgNotify> window(new VexDlgNotify(nullptr, "VexGrdErrorWindow", 0));
  if (kind == kQuestion) return window->DisplayBlockedQuestion(message, title);
  window->SetMessageKind(NotifyKindOf(kind));
  window->DisplayBlocked(message, title);
  return 0;
}
