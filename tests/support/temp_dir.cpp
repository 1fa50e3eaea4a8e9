#include "tests/support/temp_dir.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

TempDir::~TempDir() {
  std::error_code ignored;
  // A test may have made the folder read-only; give write access back first.
  for (auto& entry : std::filesystem::recursive_directory_iterator(path_, ignored)) {
    std::filesystem::permissions(entry.path(), std::filesystem::perms::owner_all, std::filesystem::perm_options::add,
                                 ignored);
  }
  std::filesystem::permissions(path_, std::filesystem::perms::owner_all, std::filesystem::perm_options::add, ignored);
  std::filesystem::remove_all(path_, ignored);
}

ScopedEnv::ScopedEnv(const std::string& name, const std::optional<std::string>& value) : name_(name) {
  if (const char* old = std::getenv(name.c_str())) old_ = old;
  Set(name, value);
}

ScopedEnv::~ScopedEnv() { Set(name_, old_); }

IsolatedConfig::IsolatedConfig() : xdg_("XDG_CONFIG_HOME", dir_.Path()), registry_("SORVIN_REGISTRY", std::nullopt) {}

void FileRemoval::Remove() const {
  std::error_code ignored;
  std::filesystem::remove(path_, ignored);
}

std::string ReadFileBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream out;
  out << in.rdbuf();
  return out.str();
}

void WriteFileBytes(const std::string& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out << bytes;
}

bool FileExists(const std::string& path) { return std::filesystem::exists(path); }
