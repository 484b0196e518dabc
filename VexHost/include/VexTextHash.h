#pragma once
// Hash for unordered containers keyed by std::string that are searched with a std::string_view,
// so a lookup with text read from a file or a statement allocates nothing.

#include <functional>
#include <string_view>

struct VexTextHash {
  using is_transparent = void;
  std::size_t operator()(std::string_view text) const noexcept {
    return std::hash<std::string_view>{}(text);
  }
};
