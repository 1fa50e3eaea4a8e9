// The folders every benchmark file lives in, and an environment that keeps
// settings, the class registry and the simulator's state out of the user's
// own: XDG_CONFIG_HOME, SORVIN_REGISTRY and SORVIN_FPRNM8_SIM point into
// them. Receipt files go on the file system of $TMPDIR (else /tmp).
#pragma once

#include <string>

class Workspace {
 public:
  Workspace();
  Workspace(const Workspace&) = delete;
  Workspace& operator=(const Workspace&) = delete;
  ~Workspace();

  const std::string& Path() const { return path_; }
  std::string File(const std::string& name) const { return path_ + "/" + name; }
  // The simulator's settings file, read whenever a driver object is made
  // and rewritten after every document.
  std::string SimulatorSettings() const { return statePath_ + "/FprnM8Sim.ini"; }
  const std::string& StatePath() const { return statePath_; }

 private:
  std::string path_;
  std::string statePath_;
};
