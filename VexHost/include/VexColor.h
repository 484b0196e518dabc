#pragma once
// A display colour, 0 to 255 per channel.

#include <cstdint>

struct VexColor {
  std::uint8_t red = 0;
  std::uint8_t green = 0;
  std::uint8_t blue = 0;

  friend bool operator==(const VexColor&, const VexColor&) = default;
};
