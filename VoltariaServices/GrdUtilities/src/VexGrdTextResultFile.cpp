#include "VexGrdTextResultFile.h"

#include <optional>

#include "VexGrdServicesTrace.h"
#include "VexGrdTextFile.h"
#include "VexGrdUtilitiesInputErr.h"

namespace {

std::string TrimRight(std::string text) {
  while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.pop_back();
  return text;
}

std::string Trim(const std::string& text) {
  std::size_t start = text.find_first_not_of(" \t");
  return start == std::string::npos ? std::string() : TrimRight(text.substr(start));
}

// The reason a line makes the file malformed, or nothing.
std::optional<std::string> SectionProblem(const std::string& line, std::string* name) {
  if (line.back() != ']') return "a section name without its closing ']'";
  *name = Trim(line.substr(1, line.size() - 2));
  if (name->empty()) return "a section without a name";
  return std::nullopt;
}

}  // namespace

VexGrdTextResultFile VexGrdTextResultFile::Read(const VexUnicodeString& path) {
  auto lines = VexGrdTextFile::ReadLines(path.str());
  if (!lines) {
    VexGrdTraceMessage("ResultFileMissing", {path});
    return {};
  }
  VexGrdTextResultFile results;
  std::optional<VexUnicodeString> section;
  for (std::size_t i = 0; i < lines->size(); ++i) {
    std::string line = TrimRight((*lines)[i]);
    std::string trimmed = Trim(line);
    if (trimmed.empty() || trimmed[0] == '#') continue;
    std::optional<std::string> problem;
    if (trimmed[0] == '[') {
      std::string name;
      problem = SectionProblem(trimmed, &name);
      if (!problem) section = VexUnicodeString(name);
    } else if (!section) {
      problem = "a result line before the first section";
    } else {
      auto [entry, isNew] = results.lines_.try_emplace(*section);
      if (isNew) results.identifiers_.push_back(*section);
      entry->second.Append(VexUnicodeString(line));
    }
    if (problem) {
      throw VexGrdUtilitiesInputErr(2, "ResultFileMalformed",
                                    {path, VexUnicodeString(std::to_string(i + 1)), VexUnicodeString(*problem)});
    }
  }
  return results;
}

VexListValVexUnicodeString VexGrdTextResultFile::GetIdentifiers() const {
  VexListValVexUnicodeString identifiers(static_cast<int>(identifiers_.size()));
  for (const auto& id : identifiers_) identifiers.Append(id);
  return identifiers;
}

VexListValVexUnicodeString VexGrdTextResultFile::GetLines(const VexUnicodeString& id) const {
  auto found = lines_.find(id);
  return found == lines_.end() ? VexListValVexUnicodeString() : found->second;
}
