// A fresh folder for the files one test or benchmark touches, removed
// afterwards; and environment variables set for one test's duration. What
// the systems do differently is in temp_dir_posix.cpp and
// temp_dir_windows.cpp.
#pragma once

#include <optional>
#include <string>
#include <utility>

class TempDir {
 public:
  // In the system's folder for temporary files.
  TempDir();
  explicit TempDir(const std::string& parent);
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;
  ~TempDir();
  const std::string& Path() const { return path_; }
  // `name` inside the folder, joined as the system writes paths: with a
  // backslash on Windows, as a Windows program hands them to the system.
  std::string File(const std::string& name) const;

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
// settings files and the class registry never touch the user's. Windows
// keeps bare-named settings files in the Windows folder whatever the
// environment says, so there they are shared by every test of the machine.
class IsolatedConfig {
 public:
  IsolatedConfig();
  const TempDir& Dir() const { return dir_; }
  // The folder where settings files named without a folder end up.
  std::string SettingsFolder() const;

 private:
  TempDir dir_;
  ScopedEnv xdg_;
  ScopedEnv registry_;
};

// Removes a file (or empty folder) when made and when gone: settings files
// that Windows keeps in the Windows folder outlast the test's own folders.
class FileRemoval {
 public:
  explicit FileRemoval(std::string path) : path_(std::move(path)) { Remove(); }
  FileRemoval(const FileRemoval&) = delete;
  FileRemoval& operator=(const FileRemoval&) = delete;
  ~FileRemoval() { Remove(); }

 private:
  void Remove() const;

  std::string path_;
};

std::string ReadFileBytes(const std::string& path);
void WriteFileBytes(const std::string& path, const std::string& bytes);
bool FileExists(const std::string& path);
