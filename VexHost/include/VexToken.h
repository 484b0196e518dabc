#pragma once
// Splits a text into tokens separated by any of a set of characters.

#include <string>

#include "VexUnicodeString.h"

class VexToken {
 public:
  /// Blank, tab, carriage return and line feed: lines from other programs may end in CR LF.
  static constexpr const char* kDefaultSeparators = " \t\r\n";

  explicit VexToken(const VexUnicodeString& text) : text_(text.str()) {}

  /// The next run of characters without separators; empty once the text is used up.
  VexUnicodeString GetNextToken(const char* separators = kDefaultSeparators);

 private:
  std::string text_;
  std::size_t position_ = 0;
};
