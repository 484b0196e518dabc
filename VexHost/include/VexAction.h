#pragma once
// The action of a transition: a member function of the command, `bool (C::*)(void* data)`,
// bound with its data. An action that returns false keeps the command in its state.

#include <functional>

class VexAction {
 public:
  VexAction() = default;
  VexAction(std::function<bool(void*)> method, void* data)
      : method_(std::move(method)), data_(data) {}

  /// Runs the action; a default action does nothing and gives true.
  bool Run() const { return !method_ || method_(data_); }

 private:
  std::function<bool(void*)> method_;
  void* data_ = nullptr;
};
