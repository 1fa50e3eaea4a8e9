#include <windows.h>

#include <cstdlib>
#include <stdexcept>

#include "platform/profile.h"
#include "tests/support/temp_dir.h"

TempDir::TempDir() {
  char base[MAX_PATH + 1];
  char name[MAX_PATH + 1];
  // A unique name, taken as a file and then turned into the folder.
  if (!GetTempPathA(sizeof base, base) || !GetTempFileNameA(base, "srv", 0, name) || !DeleteFileA(name) ||
      !CreateDirectoryA(name, nullptr)) {
    throw std::runtime_error("no temporary folder");
  }
  path_ = name;
}

// _putenv_s changes the C runtime's copy, which getenv reads in every
// module, and the process's, which GetEnvironmentVariable reads; an empty
// value removes the variable.
void ScopedEnv::Set(const std::string& name, const std::optional<std::string>& value) {
  _putenv_s(name.c_str(), value ? value->c_str() : "");
}

std::string IsolatedConfig::SettingsFolder() const { return ::SettingsFolder(); }
