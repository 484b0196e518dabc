#pragma once
// The result files the Results tab reads beside the master file: "<base>.txr", result lines per
// node and branch, and "<base>.clr", one colour per node and branch (formats: samples/README.md).
// Both are written under temporary names and renamed into place, so a reader never sees half a
// file and a failed analysis leaves the earlier results as they were.

#include <string>
#include <vector>

namespace voltaria::analysis {

struct Rgb {
  int red = 0, green = 0, blue = 0;
};

/// The colour scale every analysis uses.
namespace Colors {
constexpr Rgb kGreen{0, 160, 0};
constexpr Rgb kAmber{230, 160, 0};
constexpr Rgb kRed{200, 0, 0};
constexpr Rgb kGrey{128, 128, 128};
}  // namespace Colors

/// Green within `amberFrom`, amber up to `redFrom`, red beyond.
Rgb ScaleColor(double value, double amberFrom, double redFrom);

class ResultSet {
 public:
  /// `title` names the analysis; the first line of the text file gives it with the time.
  explicit ResultSet(std::string title) : title_(std::move(title)) {}

  void AddComment(const std::string& line) { comments_.push_back(line); }
  void AddSection(const std::string& id, std::vector<std::string> lines, Rgb color);

  std::string TextFile(const std::string& time) const;
  std::string ColorFile() const;

  /// Writes both files beside `masterPath`; an AnalysisError when they cannot be written.
  void Write(const std::string& masterPath, const std::string& time) const;

 private:
  struct Section {
    std::string id;
    std::vector<std::string> lines;
    Rgb color;
  };
  std::string title_;
  std::vector<std::string> comments_;
  std::vector<Section> sections_;
};

/// Replaces `path` by `text` through a temporary file renamed into place.
void WriteFileAtomically(const std::string& path, const std::string& text);

/// The time now, UTC, ISO 8601.
std::string UtcNow();

/// printf-style formatting of one number.
std::string Format(const char* format, double value);

}  // namespace voltaria::analysis
