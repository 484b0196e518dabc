#pragma once
// The one place where physical quantities become per-unit values and back. The system base power
// is common; the base voltage of each bus is its nominal voltage. AC quantities are three-phase
// (line-to-line voltage, per-phase impedance); DC quantities are pole-to-pole.

#include <cmath>

namespace voltaria::analysis {

class PerUnitSystem {
 public:
  PerUnitSystem(double baseMva, bool directCurrent) : baseMva_(baseMva), directCurrent_(directCurrent) {}

  double BaseMva() const { return baseMva_; }
  bool IsDirectCurrent() const { return directCurrent_; }

  double ImpedanceBaseOhm(double baseKv) const { return baseKv * baseKv / baseMva_; }
  double CurrentBaseKa(double baseKv) const {
    return directCurrent_ ? baseMva_ / baseKv : baseMva_ / (std::sqrt(3.0) * baseKv);
  }

  double PowerPu(double kw) const { return kw / 1000.0 / baseMva_; }
  double PowerKw(double pu) const { return pu * baseMva_ * 1000.0; }
  double ImpedancePu(double ohm, double baseKv) const { return ohm / ImpedanceBaseOhm(baseKv); }
  double AdmittancePu(double siemens, double baseKv) const { return siemens * ImpedanceBaseOhm(baseKv); }
  double CurrentA(double pu, double baseKv) const { return pu * CurrentBaseKa(baseKv) * 1000.0; }
  double CurrentKa(double pu, double baseKv) const { return pu * CurrentBaseKa(baseKv); }
  double CurrentPu(double amperes, double baseKv) const { return amperes / 1000.0 / CurrentBaseKa(baseKv); }
  double VoltageKv(double pu, double baseKv) const { return pu * baseKv; }
  /// An impedance given per unit of an equipment rating, on the system base.
  double RatingToSystemPu(double perUnitOnRating, double ratingKva) const {
    return perUnitOnRating * baseMva_ / (ratingKva / 1000.0);
  }

 private:
  double baseMva_;
  bool directCurrent_;
};

}  // namespace voltaria::analysis
