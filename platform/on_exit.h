// Runs a step when the scope is left, however it is left: at its end, by a
// return or by an exception.
#pragma once

#include <utility>

template <class Step>
class OnExit {
 public:
  explicit OnExit(Step step) : step_(std::move(step)) {}
  OnExit(const OnExit&) = delete;
  OnExit& operator=(const OnExit&) = delete;
  ~OnExit() { step_(); }

 private:
  Step step_;
};
