#pragma once
// A named value of a plant element: a number ("CableDiameter" in millimetres) or a text.

#include <variant>

#include "VexString.h"
#include "VexUnicodeString.h"

struct VexElementAttribute {
  VexString name;
  std::variant<double, VexUnicodeString> value;

  bool IsNumber() const { return std::holds_alternative<double>(value); }
  friend bool operator==(const VexElementAttribute&, const VexElementAttribute&) = default;
};
