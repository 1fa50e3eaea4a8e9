// The printer: documents go to the tape file as UTF-8 lines.
#pragma once

#include <string>
#include <utility>
#include <vector>

class Tape {
 public:
  // An empty path prints nowhere.
  explicit Tape(std::string path) : path_(std::move(path)) {}
  // Throws SimulatorError when the tape file cannot be written.
  void Print(const std::vector<std::string>& lines) const;

 private:
  std::string path_;
};
