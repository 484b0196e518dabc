#pragma once
// User-visible text of the host: paths, identifiers, messages. Held as UTF-8; positions and lengths
// given in characters count Unicode code points, never bytes.

#include <cstddef>
#include <functional>
#include <iosfwd>
#include <string>
#include <string_view>

class VexUnicodeString {
 public:
  VexUnicodeString() = default;
  VexUnicodeString(const char* text);  // NOLINT: implicit on purpose, literals are everywhere
  /// Builds from the first `byteCount` bytes of `bytes` (stops early at a NUL byte).
  VexUnicodeString(const char* bytes, std::size_t byteCount);
  explicit VexUnicodeString(std::string utf8);
  explicit VexUnicodeString(std::string_view utf8);

  /// Number of characters (code points).
  int GetLengthInChar() const;
  /// Number of bytes of the UTF-8 form.
  int GetLengthInByte() const { return static_cast<int>(text_.size()); }
  bool IsEmpty() const { return text_.empty(); }

  /// The UTF-8 bytes, NUL-terminated; valid until the string changes.
  const char* CastToCharPtr() const { return text_.c_str(); }
  /// The narrow form used for file names and settings: the host's narrow form is UTF-8, so this is
  /// the same text as CastToCharPtr.
  const char* ConvertToChar() const { return text_.c_str(); }
  const std::string& str() const { return text_; }

  /// Replaces the text by `number` formatted with a printf format such as "%d".
  VexUnicodeString& ConvertNumToString(int number, const char* format = "%d");
  /// Replaces the text by `number` formatted with a printf format such as "%.4f".
  VexUnicodeString& ConvertNumToString(double number, const char* format);

  VexUnicodeString& Append(const VexUnicodeString& other);
  VexUnicodeString& Append(const char* text);
  VexUnicodeString& operator+=(const VexUnicodeString& other) { return Append(other); }

  /// Removes `character` from the start (mode 1), the end (mode 2) or both ends (mode 3).
  VexUnicodeString& Strip(int mode = 3, char character = ' ');

  /// 0 when the texts differ, 1 when identical, 2 when they differ only in ASCII letter case.
  int Compare(const VexUnicodeString& other) const;

  /// Characters [start, start + length); a length of -1 takes the rest. Out-of-range parts are
  /// clipped, so the result may be shorter or empty.
  VexUnicodeString SubString(int start, int length = -1) const;
  /// Character position of the first occurrence of `what` at or after character `from`; -1 if none.
  int Search(const VexUnicodeString& what, int from = 0) const;

  friend bool operator==(const VexUnicodeString& a, const VexUnicodeString& b) {
    return a.text_ == b.text_;
  }
  friend auto operator<=>(const VexUnicodeString& a, const VexUnicodeString& b) {
    return a.text_ <=> b.text_;
  }
  friend VexUnicodeString operator+(VexUnicodeString a, const VexUnicodeString& b) {
    return a.Append(b);
  }

 private:
  std::size_t ByteOffsetOfChar(int character) const;

  std::string text_;
};

std::ostream& operator<<(std::ostream& out, const VexUnicodeString& text);

template <>
struct std::hash<VexUnicodeString> {
  std::size_t operator()(const VexUnicodeString& s) const noexcept {
    return std::hash<std::string>{}(s.str());
  }
};
