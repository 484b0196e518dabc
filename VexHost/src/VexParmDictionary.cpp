#include "VexParmDictionary.h"

#include <cstring>
#include <string>

#include "VexCkeMagnitude.h"
#include "VexCkeUnit.h"
#include "VexError.h"
#include "VexSettingRepository.h"

namespace {

VexICkeMagnitude_var MakeLength() {
  std::vector<VexICkeUnit_var> units{
      VexICkeUnit_var(new VexCkeUnit("mm", 0.001)),  VexICkeUnit_var(new VexCkeUnit("cm", 0.01)),
      VexICkeUnit_var(new VexCkeUnit("m", 1.0)),     VexICkeUnit_var(new VexCkeUnit("km", 1000.0)),
      VexICkeUnit_var(new VexCkeUnit("in", 0.0254)), VexICkeUnit_var(new VexCkeUnit("ft", 0.3048)),
      VexICkeUnit_var(new VexCkeUnit("yd", 0.9144)), VexICkeUnit_var(new VexCkeUnit("mi", 1609.344))};
  return VexICkeMagnitude_var(new VexCkeMagnitude("LENGTH", "LengthUnit", "m", std::move(units)));
}

}  // namespace

VexICkeMagnitude_var VexParmDictionary::FindMagnitude(const char* name) {
  static const VexICkeMagnitude_var length = MakeLength();
  if (name && std::strcmp(name, "LENGTH") == 0) return length;
  return nullptr;
}

void VexParmDictionary::SetCurrentUnit(const char* name, const char* symbol) {
  VexICkeMagnitude_var magnitude = FindMagnitude(name);
  auto* known = dynamic_cast<VexCkeMagnitude*>(magnitude.get());
  if (!known) throw VexInputError(1, "UnknownMagnitude", kVexHostCatalog, {name ? name : ""});
  if (!symbol || !known->FindUnit(symbol)) {
    throw VexInputError(1, "UnknownUnit", kVexHostCatalog, {symbol ? symbol : "", name});
  }
  VexSettingRepository* preferences = VexSettingRepository::GetRepository(kPreferences, 0, 1, nullptr);
  std::string text = symbol;
  preferences->WriteSetting(known->GetPreferenceKey(), text.data(), static_cast<long>(text.size()), 0);
  preferences->SaveRepository();
}
