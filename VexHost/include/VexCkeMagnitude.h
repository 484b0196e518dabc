#pragma once
// A magnitude whose units are listed once and whose display unit is a user preference: the
// settings repository "VoltariaPreferences", under the magnitude's preference key.

#include <string>
#include <vector>

#include "VexICkeMagnitude.h"

class VexCkeMagnitude : public VexICkeMagnitude {
 public:
  /// `units` are the magnitude's units; `defaultSymbol` is shown while no preference is stored.
  VexCkeMagnitude(const char* name, const char* preferenceKey, const char* defaultSymbol,
                  std::vector<VexICkeUnit_var> units);

  const char* GetName() const override { return name_.c_str(); }
  /// Reads the preference at each call, so a change shows at once. A stored symbol that names no
  /// unit gives null, and is reported once on standard error.
  VexICkeUnit_var GetCurrentUnit() const override;
  /// The unit of symbol `symbol`; null when the magnitude has none.
  VexICkeUnit_var FindUnit(const VexUnicodeString& symbol) const;
  const char* GetPreferenceKey() const { return preferenceKey_.c_str(); }

 protected:
  ~VexCkeMagnitude() override = default;

 private:
  std::string name_;
  std::string preferenceKey_;
  std::string defaultSymbol_;
  std::vector<VexICkeUnit_var> units_;
  mutable std::string reportedSymbol_;
};
