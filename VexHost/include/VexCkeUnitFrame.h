#pragma once
// A field showing the value of a magnitude in the user's current unit. Values are given in the
// magnitude's base unit (metres for "LENGTH") and shown converted, with up to four decimals and
// no trailing zeros, then a blank and the unit symbol: "2.5 m", "2500 mm", "98.4252 in".

#include "VexDialog.h"
#include "VexICkeMagnitude.h"

class VexCkeUnitFrame : public VexDialog {
 public:
  VexCkeUnitFrame(VexDialog* parent, const char* identifier, int style = 0)
      : VexDialog(parent, identifier, style) {}
  const char* GetKindName() const override { return "VexCkeUnitFrame"; }

  /// Binds the field to `magnitude` and sets its value (in the base unit).
  void Set(const VexICkeMagnitude_var& magnitude, double baseValue);
  /// The value in the base unit.
  double GetValue() const { return value_; }
  /// The text shown: the value in the current unit and the unit symbol; the bare value in the
  /// base unit while there is no magnitude or no current unit.
  VexUnicodeString GetDisplayedText() const;
  std::string DescribeState() const override;

 protected:
  ~VexCkeUnitFrame() override = default;

 private:
  VexICkeMagnitude_var magnitude_;
  double value_ = 0.0;
};
