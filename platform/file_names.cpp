#include "platform/file_names.h"

#include "platform/codepage.h"
#include "platform/profile.h"

bool HasFolder(std::string_view name) {
#ifdef _WIN32
  return name.find_first_of("\\/:") != std::string_view::npos;
#else
  return name.find('/') != std::string_view::npos;
#endif
}

std::string InSettingsFolder(std::string_view name) {
  if (HasFolder(name)) return std::string(name);
#ifdef _WIN32
  return SettingsFolder() + "\\" + std::string(name);
#else
  // The folder comes from the environment in the file system's UTF-8.
  return Utf8ToAnsi(SettingsFolder()) + "/" + std::string(name);
#endif
}

std::optional<std::string> Beside(const std::string& path, std::string_view name) {
#ifdef _WIN32
  const std::size_t separator = path.find_last_of("\\/");
#else
  const std::size_t separator = path.rfind('/');
#endif
  if (separator == std::string::npos) return std::nullopt;
  return path.substr(0, separator + 1) + std::string(name);
}
