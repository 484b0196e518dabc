#include "ResultFiles.h"

#include <unistd.h>

#include <cstdio>
#include <ctime>
#include <filesystem>
#include <fstream>

#include "AnalysisError.h"

namespace voltaria::analysis {

namespace fs = std::filesystem;

Rgb ScaleColor(double value, double amberFrom, double redFrom) {
  if (value > redFrom) return Colors::kRed;
  if (value >= amberFrom) return Colors::kAmber;
  return Colors::kGreen;
}

void ResultSet::AddSection(const std::string& id, std::vector<std::string> lines, Rgb color) {
  sections_.push_back({id, std::move(lines), color});
}

std::string ResultSet::TextFile(const std::string& time) const {
  std::string text = "# " + title_ + ", " + time + "\n";
  for (const auto& comment : comments_) text += "# " + comment + "\n";
  for (const auto& section : sections_) {
    text += "[" + section.id + "]\n";
    for (const auto& line : section.lines) text += line + "\n";
  }
  return text;
}

std::string ResultSet::ColorFile() const {
  std::string text = "# " + title_ + ": identifier, red, green, blue\n";
  for (const auto& section : sections_) {
    text += section.id + " " + std::to_string(section.color.red) + " " + std::to_string(section.color.green) + " " +
            std::to_string(section.color.blue) + "\n";
  }
  return text;
}

namespace {

std::string TemporaryName(const std::string& path) { return path + ".tmp-" + std::to_string(::getpid()); }

void WriteTemporary(const std::string& path, const std::string& text) {
  std::ofstream out(TemporaryName(path), std::ios::binary | std::ios::trunc);
  out << text;
  out.flush();
  if (!out) {
    std::error_code ignored;
    fs::remove(TemporaryName(path), ignored);
    throw AnalysisError("cannot write " + path);
  }
}

void RenameIntoPlace(const std::string& path) {
  std::error_code error;
  fs::rename(TemporaryName(path), path, error);
  if (error) {
    fs::remove(TemporaryName(path), error);
    throw AnalysisError("cannot write " + path);
  }
}

}  // namespace

// Both files are complete before either replaces its old one.
void ResultSet::Write(const std::string& masterPath, const std::string& time) const {
  fs::path master(masterPath);
  std::string base = (master.parent_path() / master.stem()).string();
  WriteTemporary(base + ".txr", TextFile(time));
  try {
    WriteTemporary(base + ".clr", ColorFile());
  } catch (const AnalysisError&) {
    std::error_code ignored;
    fs::remove(TemporaryName(base + ".txr"), ignored);
    throw;
  }
  RenameIntoPlace(base + ".txr");
  RenameIntoPlace(base + ".clr");
}

void WriteFileAtomically(const std::string& path, const std::string& text) {
  WriteTemporary(path, text);
  RenameIntoPlace(path);
}

std::string UtcNow() {
  std::time_t now = std::time(nullptr);
  std::tm parts{};
  ::gmtime_r(&now, &parts);
  char text[32];
  std::strftime(text, sizeof text, "%Y-%m-%dT%H:%M:%SZ", &parts);
  return text;
}

std::string Format(const char* format, double value) {
  char text[64];
  std::snprintf(text, sizeof text, format, value);
  return text;
}

}  // namespace voltaria::analysis
