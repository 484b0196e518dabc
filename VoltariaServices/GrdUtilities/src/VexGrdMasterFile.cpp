#include "VexGrdMasterFile.h"

#include <cstdio>
#include <filesystem>

#include "VexGrdPathServices.h"
#include "VexGrdTextFile.h"
#include "VexGrdUtilitiesInputErr.h"
#include "VexToken.h"

namespace {

constexpr const char* kTypeKey = "NetworkType=";
constexpr const char* kNodeKey = "Node=";
constexpr const char* kBranchKey = "Branch=";
constexpr const char* kLengthKey = "BranchLength=";

bool StartsWith(const std::string& line, const char* key, std::string* rest) {
  std::string prefix(key);
  if (line.compare(0, prefix.size(), prefix) != 0) return false;
  *rest = line.substr(prefix.size());
  return true;
}

void RequireIdentifier(const VexUnicodeString& id) {
  const std::string& text = id.str();
  if (text.empty() || text.find_first_of(",\r\n") != std::string::npos) {
    throw VexGrdUtilitiesInputErr(2, "EdsaIdentifierInvalid", {id});
  }
}

// "BUS1,BUS2,2.5,MT" -> branch key "BUS1,BUS2", length and unit.
bool ParseLength(const std::string& value, std::string* key, double* length, std::string* unit) {
  std::size_t first = value.find(',');
  std::size_t second = first == std::string::npos ? first : value.find(',', first + 1);
  std::size_t third = second == std::string::npos ? second : value.find(',', second + 1);
  if (third == std::string::npos) return false;
  *key = value.substr(0, second);
  std::string number = value.substr(second + 1, third - second - 1);
  char* end = nullptr;
  *length = std::strtod(number.c_str(), &end);
  *unit = value.substr(third + 1);
  return end && *end == '\0' && !number.empty();
}

std::string FormatLength(double length) {
  char text[64];
  std::snprintf(text, sizeof text, "%.10g", length);
  return text;
}

}  // namespace

VexUnicodeString VexGrdMasterFile::NetworkTypeOf(const VexUnicodeString& extensionOrType) {
  static const std::pair<const char*, const char*> table[] = {
      {".mas", "3P"}, {".mds", "DC"}, {".mss", "1X"}, {".mps", "1X"},
      {"3P", "3P"},   {"DC", "DC"},   {"1X", "1X"}};
  for (const auto& [given, type] : table) {
    if (extensionOrType.Compare(given) != 0) return type;
  }
  return {};
}

void VexGrdMasterFile::Create(const VexUnicodeString& path,
                              const VexUnicodeString& extensionOrType) {
  VexUnicodeString given = extensionOrType.IsEmpty()
                               ? VexGrdPathServices::SplitPath(path, nullptr, nullptr)
                               : extensionOrType;
  VexUnicodeString networkType = NetworkTypeOf(given);
  if (networkType.IsEmpty()) throw VexGrdUtilitiesInputErr(2, "UnknownNetworkType", {given});
  std::error_code error;
  const std::filesystem::file_status status =
      std::filesystem::status(std::filesystem::path(path.str()), error);
  if (std::filesystem::exists(status)) {
    throw VexGrdUtilitiesInputErr(2,
                                  std::filesystem::is_regular_file(status) ? "MasterFileExists"
                                                                           : "MasterFileNotRegular",
                                  {path});
  }
  std::string text = std::string(kHeader) + "\n" + kTypeKey + networkType.str() + "\n";
  if (!VexGrdTextFile::WriteAtomically(path.str(), text)) {
    throw VexGrdUtilitiesInputErr(2, "MasterFileNotWritable", {path});
  }
}

VexGrdMasterFile::VexGrdMasterFile(const VexUnicodeString& path) : path_(path.str()) {
  auto bytes = VexGrdTextFile::ReadBytes(path_);
  if (!bytes) throw VexGrdUtilitiesInputErr(2, "MasterFileMissing", {path});
  lines_ = VexGrdTextFile::SplitLines(*bytes);
  Parse();
}

std::string VexGrdMasterFile::LineEnd(const std::string& line) {
  if (line.ends_with("\r\n")) return "\r\n";
  return line.ends_with('\n') ? "\n" : "";
}

std::string VexGrdMasterFile::Content(const std::string& line) {
  return line.substr(0, line.size() - LineEnd(line).size());
}

void VexGrdMasterFile::Parse() {
  for (const std::string& line : lines_) {
    std::string end = LineEnd(line);
    if (!end.empty()) {
      newLine_ = end;  // new lines follow the file's own convention, the first line's
      break;
    }
  }
  for (std::size_t i = 0; i < lines_.size(); ++i) {
    std::string value;
    const std::string line = Content(lines_[i]);
    if (StartsWith(line, kTypeKey, &value)) {
      networkType_ = VexToken(VexUnicodeString(value)).GetNextToken().str();
    } else if (StartsWith(line, kNodeKey, &value)) {
      nodes_.insert(value);
    } else if (StartsWith(line, kBranchKey, &value)) {
      branches_.insert(value);
    } else if (StartsWith(line, kLengthKey, &value)) {
      std::string key, unit;
      double length = 0;
      if (ParseLength(value, &key, &length, &unit)) lengthLines_[key] = i;
    }
  }
}

std::string VexGrdMasterFile::BranchKey(const VexUnicodeString& from, const VexUnicodeString& to) {
  return from.str() + "," + to.str();
}

VexUnicodeString VexGrdMasterFile::GetNetworkType() const {
  VexUnicodeString recorded = NetworkTypeOf(VexUnicodeString(networkType_));
  if (!recorded.IsEmpty()) return recorded;
  return NetworkTypeOf(VexGrdPathServices::SplitPath(VexUnicodeString(path_), nullptr, nullptr));
}

bool VexGrdMasterFile::HasNode(const VexUnicodeString& id) const {
  return nodes_.contains(id.str());
}

bool VexGrdMasterFile::HasBranch(const VexUnicodeString& from, const VexUnicodeString& to) const {
  return branches_.contains(BranchKey(from, to));
}

std::optional<std::pair<double, VexUnicodeString>> VexGrdMasterFile::GetBranchLength(
    const VexUnicodeString& from, const VexUnicodeString& to) const {
  auto found = lengthLines_.find(BranchKey(from, to));
  if (found == lengthLines_.end()) return std::nullopt;
  std::string key, unit;
  double length = 0;
  ParseLength(Content(lines_[found->second]).substr(std::string(kLengthKey).size()), &key, &length,
              &unit);
  return std::make_pair(length, VexUnicodeString(unit));
}

bool VexGrdMasterFile::AddNode(const VexUnicodeString& id) {
  RequireIdentifier(id);
  if (!nodes_.insert(id.str()).second) return false;
  AppendLine(kNodeKey + id.str());
  return true;
}

bool VexGrdMasterFile::AddBranch(const VexUnicodeString& from, const VexUnicodeString& to) {
  RequireIdentifier(from);
  RequireIdentifier(to);
  std::string key = BranchKey(from, to);
  if (!branches_.insert(key).second) return false;
  AppendLine(kBranchKey + key);
  return true;
}

void VexGrdMasterFile::SetBranchLength(const VexUnicodeString& from, const VexUnicodeString& to,
                                       double length, const VexUnicodeString& unitCode) {
  RequireIdentifier(unitCode);
  AddBranch(from, to);
  std::string key = BranchKey(from, to);
  std::string line = kLengthKey + key + "," + FormatLength(length) + "," + unitCode.str();
  auto found = lengthLines_.find(key);
  if (found != lengthLines_.end()) {
    std::string& replaced = lines_[found->second];
    replaced = line + LineEnd(replaced);
  } else {
    lengthLines_[key] = lines_.size();
    AppendLine(line);
  }
}

void VexGrdMasterFile::AppendLine(const std::string& line) {
  // A last line without its end gets one, so that the new line does not run into it.
  if (!lines_.empty() && LineEnd(lines_.back()).empty()) lines_.back() += newLine_;
  lines_.push_back(line + newLine_);
}

void VexGrdMasterFile::Save() const {
  std::string text;
  for (const auto& line : lines_) text += line;
  if (!VexGrdTextFile::WriteAtomically(path_, text)) {
    throw VexGrdUtilitiesInputErr(2, "MasterFileNotWritable", {VexUnicodeString(path_)});
  }
}
