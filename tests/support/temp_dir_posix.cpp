#include <cstdlib>
#include <filesystem>
#include <stdexcept>

#include "tests/support/temp_dir.h"

TempDir::TempDir() {
  std::string pattern = (std::filesystem::temp_directory_path() / "sorvin-test-XXXXXX").string();
  if (!mkdtemp(pattern.data())) throw std::runtime_error("mkdtemp failed");
  path_ = pattern;
}

void ScopedEnv::Set(const std::string& name, const std::optional<std::string>& value) {
  if (value) {
    setenv(name.c_str(), value->c_str(), 1);
  } else {
    unsetenv(name.c_str());
  }
}

std::string IsolatedConfig::SettingsFolder() const { return dir_.Path() + "/sorvin"; }
