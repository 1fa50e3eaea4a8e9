#include <windows.h>

#include <cstdlib>
#include <stdexcept>

#include "platform/profile.h"
#include "tests/support/temp_dir.h"

namespace {

std::string SystemTempFolder() {
  char folder[MAX_PATH + 1];
  const DWORD length = GetTempPathA(sizeof folder, folder);
  if (length == 0 || length >= sizeof folder) throw std::runtime_error("no folder for temporary files");
  return std::string(folder, length);
}

}  // namespace

TempDir::TempDir() : TempDir(SystemTempFolder()) {}

TempDir::TempDir(const std::string& parent) {
  char name[MAX_PATH + 1];
  // A unique name, taken as a file and then turned into the folder.
  if (!GetTempFileNameA(parent.c_str(), "srv", 0, name) || !DeleteFileA(name) || !CreateDirectoryA(name, nullptr)) {
    throw std::runtime_error("no temporary folder in " + parent);
  }
  path_ = name;
}

std::string TempDir::File(const std::string& name) const { return path_ + "\\" + name; }

// _putenv_s changes the C runtime's copy, which getenv reads in every
// module, and the process's, which GetEnvironmentVariable reads; an empty
// value removes the variable.
void ScopedEnv::Set(const std::string& name, const std::optional<std::string>& value) {
  _putenv_s(name.c_str(), value ? value->c_str() : "");
}

std::string IsolatedConfig::SettingsFolder() const { return ::SettingsFolder(); }
