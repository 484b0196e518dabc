#include "VexToken.h"

VexUnicodeString VexToken::GetNextToken(const char* separators) {
  if (!separators) separators = kDefaultSeparators;
  std::size_t begin = text_.find_first_not_of(separators, position_);
  if (begin == std::string::npos) {
    position_ = text_.size();
    return {};
  }
  std::size_t end = text_.find_first_of(separators, begin);
  if (end == std::string::npos) end = text_.size();
  position_ = end;
  return VexUnicodeString(text_.substr(begin, end - begin));
}
