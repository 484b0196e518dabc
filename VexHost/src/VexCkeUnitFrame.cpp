#include "VexCkeUnitFrame.h"

#include <cstdio>
#include <string>

namespace {

std::string Format(double value) {
  char text[64];
  std::snprintf(text, sizeof(text), "%.4f", value);
  std::string formatted = text;
  formatted.erase(formatted.find_last_not_of('0') + 1);
  if (!formatted.empty() && formatted.back() == '.') formatted.pop_back();
  if (formatted == "-0") formatted = "0";
  return formatted;
}

}  // namespace

void VexCkeUnitFrame::Set(const VexICkeMagnitude_var& magnitude, double baseValue) {
  magnitude_ = magnitude;
  value_ = baseValue;
  NotifyChange(VexDialogChange::State);  // a window shows the new value
}

VexUnicodeString VexCkeUnitFrame::GetDisplayedText() const {
  VexICkeUnit_var unit = magnitude_ ? magnitude_->GetCurrentUnit() : nullptr;
  if (!unit) return VexUnicodeString(Format(value_));
  return VexUnicodeString(Format(unit->ConvertFromBase(value_)) + " " + unit->GetSymbol().str());
}

std::string VexCkeUnitFrame::DescribeState() const { return "value=" + Quote(GetDisplayedText()); }
