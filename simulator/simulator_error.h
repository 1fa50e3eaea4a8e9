// A failure of the simulator itself (a file it cannot write, a fault set up
// to raise): the caller gets it as an automation error with this text (UTF-8).
#pragma once

#include <stdexcept>

class SimulatorError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};
