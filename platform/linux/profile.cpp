// Where settings files live on Linux: a bare name in the sorvin folder of
// the user's configuration folder.
#include "platform/profile.h"

#include <pwd.h>
#include <unistd.h>

#include <cstdlib>

#include "platform/codepage.h"

namespace {

std::string HomeFolder() {
  if (const char* home = std::getenv("HOME"); home && *home) return home;
  struct passwd entry {};
  struct passwd* found = nullptr;
  char buffer[4096];
  if (getpwuid_r(getuid(), &entry, buffer, sizeof buffer, &found) == 0 && found && found->pw_dir) return found->pw_dir;
  return ".";
}

}  // namespace

std::string SettingsFolder() {
  const char* config = std::getenv("XDG_CONFIG_HOME");
  std::string base = config && *config ? std::string(config) : HomeFolder() + "/.config";
  return base + "/sorvin";
}

// The name is module text (Windows-1251); the file system wants UTF-8.
ProfileFile::ProfileFile(std::string_view name)
    : path_(name.find('/') == std::string_view::npos ? SettingsFolder() + "/" + AnsiToUtf8(name) : AnsiToUtf8(name)) {}
