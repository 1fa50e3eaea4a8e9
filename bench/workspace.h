// The folders every benchmark file lives in, and an environment that keeps
// settings, the class registry and the simulator's state out of the user's
// own: XDG_CONFIG_HOME (and with it the class registry) and
// SORVIN_FPRNM8_SIM point into them. Receipt files go on the file system of
// $TMPDIR (else /tmp).
#pragma once

#include <optional>
#include <string>

#include "tests/support/temp_dir.h"

class Workspace {
 public:
  Workspace();

  const std::string& Path() const { return config_.Dir().Path(); }
  std::string File(const std::string& name) const { return config_.Dir().File(name); }
  // The simulator's settings file, read whenever a driver object is made
  // and rewritten after every document.
  std::string SimulatorSettings() const { return StatePath() + "/FprnM8Sim.ini"; }
  const std::string& StatePath() const { return memory_ ? memory_->Path() : Path(); }

 private:
  IsolatedConfig config_;
  std::optional<TempDir> memory_;
  ScopedEnv simulator_;
  ScopedEnv modules_;
};
