#include "VexCkeMagnitude.h"

#include <iostream>

#include "VexParmDictionary.h"
#include "VexSettingRepository.h"

VexCkeMagnitude::VexCkeMagnitude(const char* name, const char* preferenceKey,
                                 const char* defaultSymbol, std::vector<VexICkeUnit_var> units)
    : name_(name), preferenceKey_(preferenceKey), defaultSymbol_(defaultSymbol),
      units_(std::move(units)) {}

VexICkeUnit_var VexCkeMagnitude::FindUnit(const VexUnicodeString& symbol) const {
  for (const VexICkeUnit_var& unit : units_) {
    if (unit->GetSymbol() == symbol) return unit;
  }
  return nullptr;
}

VexICkeUnit_var VexCkeMagnitude::GetCurrentUnit() const {
  VexUnicodeString symbol(defaultSymbol_);
  VexSettingRepository* preferences =
      VexSettingRepository::GetRepository(VexParmDictionary::kPreferences, 0, 1, nullptr);
  char stored[32] = {};
  long read = preferences ? preferences->ReadSetting(preferenceKey_.c_str(), stored,
                                                     sizeof(stored) - 1)
                          : 0;
  if (read > 0) symbol = VexUnicodeString(stored, static_cast<std::size_t>(read));
  VexICkeUnit_var unit = FindUnit(symbol);
  if (!unit && reportedSymbol_ != symbol.str()) {
    reportedSymbol_ = symbol.str();
    std::cerr << "voltaria: the preference " << preferenceKey_ << " = \"" << symbol
              << "\" names no unit of " << name_ << "\n";
  }
  return unit;
}
