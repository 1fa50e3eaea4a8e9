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
