// Where the Windows profile functions keep a settings file: a bare name in
// the Windows folder.
#include "platform/profile.h"

#include <windows.h>

#include "platform/file_names.h"

std::string SettingsFolder() {
  char folder[MAX_PATH + 1];
  UINT length = GetWindowsDirectoryA(folder, sizeof folder);
  return length > 0 && length < sizeof folder ? std::string(folder, length) : std::string("C:\\Windows");
}

// Naming the folder here makes Path() tell the truth.
ProfileFile::ProfileFile(std::string_view name) : path_(InSettingsFolder(name)) {}
