#include <cstdlib>
#include <filesystem>
#include <stdexcept>

#include "tests/support/temp_dir.h"

TempDir::TempDir() : TempDir(std::filesystem::temp_directory_path().string()) {}

TempDir::TempDir(const std::string& parent) {
  std::string pattern = (std::filesystem::path(parent) / "sorvin-test-XXXXXX").string();
  if (!mkdtemp(pattern.data())) throw std::runtime_error("cannot make a folder in " + parent);
  path_ = pattern;
}

std::string TempDir::File(const std::string& name) const { return path_ + "/" + name; }

void ScopedEnv::Set(const std::string& name, const std::optional<std::string>& value) {
  if (value) {
    setenv(name.c_str(), value->c_str(), 1);
  } else {
    unsetenv(name.c_str());
  }
}

std::string IsolatedConfig::SettingsFolder() const { return dir_.Path() + "/sorvin"; }
