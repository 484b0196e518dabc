#pragma once
// Shows reports and asks questions for the module, through the host's blocking message window
// (VexDlgNotify), which the session's user answers. Display kinds:
//   1 a fault of the program ("internal error" style: the window's error form)
//   2 a warning
//   3 information about invalid input
//   4 a yes/no question: the result is 1 for yes, 0 for no
// Kinds 1 to 3 return 0 once the user has acknowledged the report. Any other kind is a
// VexInternalError naming it: nothing is dropped silently.

#include "VexError.h"
#include "VexUnicodeString.h"

class VexGrdErrorHandler {
 public:
  /// Shows `error`'s message with the title of `kind` (from the utilities' catalog).
  int DisplayError(const int kind, const VexError& error);
  /// The same; a null error is a VexInternalError.
  int DisplayError(const int kind, VexError* error);
  /// Shows `message` under `title` as `kind`.
  int DisplayErrorPnl(const int kind, const VexUnicodeString message,
                      const VexUnicodeString title);
};
