// The register simulator as these tests use it: registered in a class
// registry in the test's folder (on Windows in the system's registry, for
// as long as this lives), reading its settings from that folder's sim.ini.
#pragma once

#include <string>

#include "tests/support/host_module.h"
#include "tests/support/temp_dir.h"

class RegisteredSimulator {
 public:
  // `settings`: what sim.ini holds, read whenever a driver object is made.
  RegisteredSimulator(const TempDir& folder, const std::string& settings);
  const HostModule& Module() const { return module_; }

 private:
  ScopedEnv registry_;
  ScopedEnv settingsFile_;
  HostModule module_;
  ServerRegistration registration_;
};
