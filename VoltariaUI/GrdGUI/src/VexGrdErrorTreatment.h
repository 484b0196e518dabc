#pragma once
// How a method of the module treats an error that escapes its body. Each method states its
// treatment once, as data, and runs its body through VexGrdRunGuarded; no method hand-copies a
// ladder of catch blocks.

#include <array>
#include <functional>

#include "VexError.h"
#include "VexTrace.h"

struct VexGrdErrorTreatment {
  static constexpr int kNotShown = 0;  ///< the error is dropped without display
  static constexpr int kReraise = -1;  ///< the error goes on to the caller unchanged

  enum class Lines {
    Standard,  ///< "Internal Error in: C : M", "Input Error in: C : M", "Error in: C : M"
    Caught,          ///< "Caught Internal Error in: C::M" for internal and input errors
    CaughtInternal,  ///< "Caught Internal Error in: C::M" for internal errors only
    None,            ///< no error lines
  };

  /// Display kind, kNotShown or kReraise for an input error of severity 0, 1, 2, 3 and other.
  std::array<int, 5> inputKinds{kNotShown, kNotShown, kNotShown, kNotShown, kNotShown};
  /// Display kind or kReraise for an internal error of severity 0 or 1; internal errors of any
  /// other severity are always re-raised.
  int lowInternalKind = kReraise;
  /// When false, input errors are treated like any other error: re-raised.
  bool catchesInputErrors = true;
  Lines lines = Lines::Standard;
};

/// Whether the body ran to its end or an error was caught and dealt with (then the method runs
/// its own recovery step, if it has one).
enum class VexGrdOutcome { Completed, ErrorHandled };

/// Lets a method take over an input error itself (a message of its own); returns true when it did.
using VexGrdInputOverride = std::function<bool(const VexInputError&)>;

/// Runs `body`; treats an escaping VexError as `treatment` says, writing the error lines of
/// `className` and `method` to `channel` at level 2. Errors that are not VexError pass untouched.
VexGrdOutcome VexGrdRunGuarded(const VexGrdErrorTreatment& treatment, VexTrace& channel,
                               const char* className, const char* method,
                               const std::function<void()>& body,
                               const VexGrdInputOverride& inputOverride = nullptr);

/// Treatments that many methods share.
namespace VexGrdTreatments {

/// Input errors of severity 1 to 3 shown as warnings (kind 2), others dropped; the rest re-raised.
inline const VexGrdErrorTreatment kWarnInput{
    {VexGrdErrorTreatment::kNotShown, 2, 2, 2, VexGrdErrorTreatment::kNotShown}};

/// Input errors of severity 0 shown as kind 1, of severity 1 to 3 as kind 2, others dropped.
inline const VexGrdErrorTreatment kShowInput{
    {1, 2, 2, 2, VexGrdErrorTreatment::kNotShown}};

}  // namespace VexGrdTreatments
