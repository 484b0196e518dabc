#include "VexUnicodeString.h"

#include <cstdio>
#include <cstring>
#include <ostream>

namespace {

bool IsContinuationByte(unsigned char byte) { return (byte & 0xC0) == 0x80; }

char ToLowerAscii(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

}  // namespace

VexUnicodeString::VexUnicodeString(const char* text) : text_(text ? text : "") {}

VexUnicodeString::VexUnicodeString(const char* bytes, std::size_t byteCount) {
  if (bytes) text_.assign(bytes, strnlen(bytes, byteCount));
}

VexUnicodeString::VexUnicodeString(std::string utf8) : text_(std::move(utf8)) {}

VexUnicodeString::VexUnicodeString(std::string_view utf8) : text_(utf8) {}

int VexUnicodeString::GetLengthInChar() const {
  int count = 0;
  for (unsigned char byte : text_) {
    if (!IsContinuationByte(byte)) ++count;
  }
  return count;
}

VexUnicodeString& VexUnicodeString::ConvertNumToString(int number, const char* format) {
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, format ? format : "%d", number);
  text_ = buffer;
  return *this;
}

VexUnicodeString& VexUnicodeString::ConvertNumToString(double number, const char* format) {
  char buffer[128];
  std::snprintf(buffer, sizeof buffer, format ? format : "%g", number);
  text_ = buffer;
  return *this;
}

VexUnicodeString& VexUnicodeString::Append(const VexUnicodeString& other) {
  text_ += other.text_;
  return *this;
}

VexUnicodeString& VexUnicodeString::Append(const char* text) {
  if (text) text_ += text;
  return *this;
}

VexUnicodeString& VexUnicodeString::Strip(int mode, char character) {
  if (mode == 1 || mode == 3) {
    std::size_t first = text_.find_first_not_of(character);
    text_.erase(0, first == std::string::npos ? text_.size() : first);
  }
  if (mode == 2 || mode == 3) {
    std::size_t last = text_.find_last_not_of(character);
    text_.erase(last == std::string::npos ? 0 : last + 1);
  }
  return *this;
}

int VexUnicodeString::Compare(const VexUnicodeString& other) const {
  if (text_ == other.text_) return 1;
  if (text_.size() != other.text_.size()) return 0;
  for (std::size_t i = 0; i < text_.size(); ++i) {
    if (ToLowerAscii(text_[i]) != ToLowerAscii(other.text_[i])) return 0;
  }
  return 2;
}

std::size_t VexUnicodeString::ByteOffsetOfChar(int character) const {
  if (character <= 0) return 0;
  int seen = 0;
  for (std::size_t i = 0; i < text_.size(); ++i) {
    if (!IsContinuationByte(static_cast<unsigned char>(text_[i]))) {
      if (seen == character) return i;
      ++seen;
    }
  }
  return text_.size();
}

VexUnicodeString VexUnicodeString::SubString(int start, int length) const {
  if (start < 0) start = 0;
  std::size_t begin = ByteOffsetOfChar(start);
  std::size_t end = length < 0 ? text_.size() : ByteOffsetOfChar(start + length);
  if (begin >= end) return {};
  return VexUnicodeString(text_.substr(begin, end - begin));
}

int VexUnicodeString::Search(const VexUnicodeString& what, int from) const {
  std::size_t found = text_.find(what.text_, ByteOffsetOfChar(from < 0 ? 0 : from));
  if (found == std::string::npos) return -1;
  return VexUnicodeString(text_.substr(0, found)).GetLengthInChar();
}

std::ostream& operator<<(std::ostream& out, const VexUnicodeString& text) {
  return out << text.str();
}
