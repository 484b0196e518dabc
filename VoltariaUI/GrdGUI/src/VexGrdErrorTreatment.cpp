#include "VexGrdErrorTreatment.h"

#include <string>

#include "VexGrdErrorHandler.h"

namespace {

void WriteLine(VexTrace& channel, const char* prefix, const char* className, const char* separator,
               const char* method) {
  std::string line = std::string(prefix) + className + separator + method;
  channel.TraPutLN(2, line.c_str());
}

void Show(int kind, const VexError& error) {
  VexGrdErrorHandler handler;
  handler.DisplayError(kind, error);
}

int InputKindFor(const VexGrdErrorTreatment& treatment, int severity) {
  return (severity >= 0 && severity <= 3) ? treatment.inputKinds[severity] : treatment.inputKinds[4];
}

}  // namespace

VexGrdOutcome VexGrdRunGuarded(const VexGrdErrorTreatment& treatment, VexTrace& channel,
                               const char* className, const char* method,
                               const std::function<void()>& body,
                               const VexGrdInputOverride& inputOverride) {
  using Lines = VexGrdErrorTreatment::Lines;
  try {
    body();
    return VexGrdOutcome::Completed;
  } catch (const VexInternalError& error) {
    if (treatment.lines == Lines::Standard) WriteLine(channel, "Internal Error in: ", className, " : ", method);
    if (treatment.lines == Lines::Caught || treatment.lines == Lines::CaughtInternal) {
      WriteLine(channel, "Caught Internal Error in: ", className, "::", method);
    }
    bool low = error.GetSeverity() == 0 || error.GetSeverity() == 1;
    if (!low || treatment.lowInternalKind == VexGrdErrorTreatment::kReraise) throw;
    if (treatment.lowInternalKind != VexGrdErrorTreatment::kNotShown) Show(treatment.lowInternalKind, error);
    return VexGrdOutcome::ErrorHandled;
  } catch (const VexInputError& error) {
    if (!treatment.catchesInputErrors) {
      if (treatment.lines == Lines::Standard) WriteLine(channel, "Error in: ", className, " : ", method);
      throw;
    }
    if (treatment.lines == Lines::Standard) WriteLine(channel, "Input Error in: ", className, " : ", method);
    if (treatment.lines == Lines::Caught) WriteLine(channel, "Caught Internal Error in: ", className, "::", method);
    if (inputOverride && inputOverride(error)) return VexGrdOutcome::ErrorHandled;
    int kind = InputKindFor(treatment, error.GetSeverity());
    if (kind == VexGrdErrorTreatment::kReraise) throw;
    if (kind != VexGrdErrorTreatment::kNotShown) Show(kind, error);
    return VexGrdOutcome::ErrorHandled;
  } catch (const VexError&) {
    if (treatment.lines == Lines::Standard) WriteLine(channel, "Error in: ", className, " : ", method);
    throw;
  }
}
