// An open registry key, closed once; failures throw ComError with the
// system's message and the key's path. Paths, names and values are module
// text, exchanged with the registry in UTF-16 whatever the system's code
// page for non-Unicode programs.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/com.h"

class RegistryKey {
 public:
  // Opens `path` under `root` for writing, creating the keys on the way.
  static RegistryKey Create(HKEY root, const std::string& path);
  // Opens `path` under `root` for reading; nullopt when it does not exist.
  // `view` may name the 32- or 64-bit registry view (KEY_WOW64_32KEY,
  // KEY_WOW64_64KEY) instead of the program's own.
  static std::optional<RegistryKey> Open(HKEY root, const std::string& path, REGSAM view = 0);

  RegistryKey(const RegistryKey&) = delete;
  RegistryKey& operator=(const RegistryKey&) = delete;
  RegistryKey(RegistryKey&& other) noexcept;
  RegistryKey& operator=(RegistryKey&& other) noexcept;
  ~RegistryKey();

  // A text value; a null name is the key's default value.
  void SetText(const char* name, std::string_view value);
  // The text value, or nullopt when there is none.
  std::optional<std::string> Text(const char* name) const;
  // The names of the keys directly below this one.
  std::vector<std::string> SubkeyNames() const;

 private:
  RegistryKey(HKEY key, std::string path) : key_(key), path_(std::move(path)) {}

  HKEY key_ = nullptr;
  std::string path_;
};

// Removes `path` under `root` with everything beneath it. A key that is
// not there is not a failure.
void DeleteRegistryTree(HKEY root, const std::string& path);
