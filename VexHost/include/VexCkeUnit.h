#pragma once
// A unit given by its symbol and its size in the base unit.

#include <string>

#include "VexICkeUnit.h"

class VexCkeUnit : public VexICkeUnit {
 public:
  VexCkeUnit(const char* symbol, double baseUnitsPerUnit)
      : symbol_(symbol), baseUnitsPerUnit_(baseUnitsPerUnit) {}
  VexUnicodeString GetSymbol() const override { return VexUnicodeString(symbol_); }
  double ConvertFromBase(double baseValue) const override { return baseValue / baseUnitsPerUnit_; }

 protected:
  ~VexCkeUnit() override = default;

 private:
  std::string symbol_;
  double baseUnitsPerUnit_;
};
