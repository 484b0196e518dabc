#pragma once
// The condition of a transition, evaluated when an agent of the state fires. Conditions combine
// with || (true when either is).

#include <functional>

class VexCondition {
 public:
  VexCondition() = default;
  explicit VexCondition(std::function<bool()> test) : test_(std::move(test)) {}

  /// True when the condition holds; a default condition always holds.
  bool Holds() const { return !test_ || test_(); }

  friend VexCondition operator||(VexCondition a, VexCondition b) {
    return VexCondition([a = std::move(a), b = std::move(b)] { return a.Holds() || b.Holds(); });
  }

 private:
  std::function<bool()> test_;
};
