// Where the Windows profile functions keep a settings file: a bare name in
// the Windows folder.
#include "platform/profile.h"

#include <windows.h>

#include "platform/codepage.h"
#include "platform/file_names.h"

// Asked for by its wide name and handed on as module text, as every other
// name of a file is.
std::string SettingsFolder() {
  wchar_t folder[MAX_PATH + 1];
  UINT length = GetWindowsDirectoryW(folder, MAX_PATH + 1);
  return length > 0 && length <= MAX_PATH ? Utf16ToAnsi(OleStringView(folder, length)) : std::string("C:\\Windows");
}

// Naming the folder here makes Path() tell the truth.
ProfileFile::ProfileFile(std::string_view name) : path_(InSettingsFolder(name)) {}
