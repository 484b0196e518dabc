#include "VexGrdColorResultFile.h"

#include <optional>
#include <string>

#include "VexGrdServicesTrace.h"
#include "VexGrdTextFile.h"
#include "VexGrdUtilitiesInputErr.h"
#include "VexToken.h"

namespace {

std::optional<int> ParseComponent(const VexUnicodeString& field) {
  const std::string& text = field.str();
  if (text.empty() || text.size() > 3 ||
      text.find_first_not_of("0123456789") != std::string::npos) {
    return std::nullopt;
  }
  int value = std::stoi(text);
  return value <= 255 ? std::optional<int>(value) : std::nullopt;
}

// The reason a colour line makes the file malformed, or nothing.
std::optional<std::string> ParseLine(const std::string& line, VexUnicodeString* id,
                                     VexGrdRgb* rgb) {
  VexToken tokens{VexUnicodeString(line)};
  std::vector<VexUnicodeString> fields;
  for (VexUnicodeString field = tokens.GetNextToken(); !field.IsEmpty();
       field = tokens.GetNextToken()) {
    fields.push_back(field);
  }
  if (fields.size() != 4) {
    return "expected an identifier and three colour values, found " +
           std::to_string(fields.size()) + " fields";
  }
  auto red = ParseComponent(fields[1]);
  auto green = ParseComponent(fields[2]);
  auto blue = ParseComponent(fields[3]);
  if (!red || !green || !blue) return "colour values must be whole numbers from 0 to 255";
  *id = fields[0];
  *rgb = {*red, *green, *blue};
  return std::nullopt;
}

}  // namespace

VexGrdColorResultFile VexGrdColorResultFile::Read(const VexUnicodeString& path) {
  auto lines = VexGrdTextFile::ReadLines(path.str());
  if (!lines) {
    VexGrdTraceMessage("ResultFileMissing", {path});
    return {};
  }
  VexGrdColorResultFile results;
  for (std::size_t i = 0; i < lines->size(); ++i) {
    const std::string& line = (*lines)[i];
    std::size_t start = line.find_first_not_of(" \t");
    if (start == std::string::npos || line[start] == '#') continue;
    VexUnicodeString id;
    VexGrdRgb rgb;
    if (auto problem = ParseLine(line, &id, &rgb)) {
      throw VexGrdUtilitiesInputErr(2, "ResultFileMalformed",
                                    {path, VexUnicodeString(std::to_string(i + 1)), VexUnicodeString(*problem)});
    }
    if (!results.colors_.contains(id)) results.identifiers_.push_back(id);
    results.colors_[id] = rgb;
  }
  return results;
}

VexListValVexUnicodeString VexGrdColorResultFile::GetIdentifiers() const {
  VexListValVexUnicodeString identifiers(static_cast<int>(identifiers_.size()));
  for (const auto& id : identifiers_) identifiers.Append(id);
  return identifiers;
}

bool VexGrdColorResultFile::GetColor(const VexUnicodeString& id, VexGrdRgb* color) const {
  auto found = colors_.find(id);
  if (found == colors_.end()) return false;
  if (color) *color = found->second;
  return true;
}
