// A fresh folder for the files one test touches, removed afterwards; and
// environment variables set for one test's duration. What the systems do
// differently is in temp_dir_posix.cpp and temp_dir_windows.cpp.
#pragma once

#include <optional>
#include <string>

class TempDir {
 public:
  TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;
  ~TempDir();
  const std::string& Path() const { return path_; }
  std::string File(const std::string& name) const { return path_ + "/" + name; }

 private:
  std::string path_;
};

class ScopedEnv {
 public:
  ScopedEnv(const std::string& name, const std::optional<std::string>& value);
  ScopedEnv(const ScopedEnv&) = delete;
  ScopedEnv& operator=(const ScopedEnv&) = delete;
  ~ScopedEnv();

 private:
  // Sets the variable, or removes it without a value.
  static void Set(const std::string& name, const std::optional<std::string>& value);

  std::string name_;
  std::optional<std::string> old_;
};

// A config folder of its own: XDG_CONFIG_HOME points into a fresh folder, so
// settings files and the class registry never touch the user's.
class IsolatedConfig {
 public:
  IsolatedConfig();
  const TempDir& Dir() const { return dir_; }
  // The folder where settings files named without a folder end up.
  std::string SettingsFolder() const { return dir_.Path() + "/sorvin"; }

 private:
  TempDir dir_;
  ScopedEnv xdg_;
  ScopedEnv registry_;
};

std::string ReadFileBytes(const std::string& path);
void WriteFileBytes(const std::string& path, const std::string& bytes);
bool FileExists(const std::string& path);
