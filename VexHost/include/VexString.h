#pragma once
// Narrow keys of the host: message keys, widget identifiers, class names.

#include <functional>
#include <iosfwd>
#include <string>

class VexString {
 public:
  VexString() = default;
  VexString(const char* text) : text_(text ? text : "") {}  // NOLINT: implicit on purpose
  explicit VexString(std::string text) : text_(std::move(text)) {}

  const char* CastToCharPtr() const { return text_.c_str(); }
  int GetLength() const { return static_cast<int>(text_.size()); }
  bool IsEmpty() const { return text_.empty(); }
  const std::string& str() const { return text_; }
  VexString& Append(const VexString& other) {
    text_ += other.text_;
    return *this;
  }

  friend bool operator==(const VexString& a, const VexString& b) { return a.text_ == b.text_; }
  friend auto operator<=>(const VexString& a, const VexString& b) { return a.text_ <=> b.text_; }

 private:
  std::string text_;
};

std::ostream& operator<<(std::ostream& out, const VexString& text);

template <>
struct std::hash<VexString> {
  std::size_t operator()(const VexString& s) const noexcept {
    return std::hash<std::string>{}(s.str());
  }
};
