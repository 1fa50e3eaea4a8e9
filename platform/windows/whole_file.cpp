// Whole files through the system's file functions, by wide names, so a
// Windows-1251 path means the same whatever the ANSI code page. A
// replacement is written beside the old file, flushed, and moved over it by
// MoveFileExW, which the file system does in one step.
#include "platform/whole_file.h"

#include <windows.h>

#include "platform/codepage.h"
#include "platform/error.h"
#include "platform/on_exit.h"
#include "platform/windows/file_handle.h"
#include "platform/windows/system_error.h"

namespace {

[[noreturn]] void Fail(const std::string& path) {
  const HRESULT status = LastErrorStatus();  // before anything else can change it
  throw ComError(status, path + ": " + SystemMessage(status));
}

// The folders on the way to the file, so a save into a new folder works.
// Failures are left to the file itself, which reports them.
void CreateFolders(const OleString& path) {
  for (std::size_t at = path.find_first_of(L"\\/", 1); at != OleString::npos; at = path.find_first_of(L"\\/", at + 1)) {
    CreateDirectoryW(path.substr(0, at).c_str(), nullptr);
  }
}

// A new file beside `target`, under a name no other save uses at the time.
FileHandle CreateTemporary(const OleString& target, OleString& name) {
  for (DWORD attempt = 0;; ++attempt) {
    name = target + L".~" + std::to_wstring(GetCurrentProcessId()) + L"-" + std::to_wstring(GetTickCount()) + L"-" +
           std::to_wstring(attempt);
    FileHandle file(
        CreateFileW(name.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (file || GetLastError() != ERROR_FILE_EXISTS || attempt == 100) {
      if (!file) name.clear();
      return file;
    }
  }
}

}  // namespace

std::optional<std::string> ReadWholeFile(const std::string& path) {
  // Shared for every use, so a save of another object can replace it meanwhile.
  const FileHandle file(CreateFileW(AnsiToUtf16(path).c_str(), GENERIC_READ,
                                    FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                                    FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) {
    const DWORD error = GetLastError();
    if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND) return std::nullopt;
    Fail(path);
  }
  std::string bytes;
  char buffer[8192];
  for (;;) {
    DWORD got = 0;
    if (!ReadFile(file.Get(), buffer, sizeof buffer, &got, nullptr)) Fail(path);
    if (got == 0) return bytes;
    bytes.append(buffer, got);
  }
}

void ReplaceWholeFile(const std::string& path, std::string_view bytes) {
  const OleString target = AnsiToUtf16(path);
  // A read-only file stays as it is, as the profile functions leave it (the
  // move alone would replace it under Wine).
  const DWORD attributes = GetFileAttributesW(target.c_str());
  if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY)) {
    SetLastError(ERROR_ACCESS_DENIED);
    Fail(path);
  }
  CreateFolders(target);
  OleString temp;
  bool replaced = false;
  // Declared before the file, so the file is closed before it is removed.
  const OnExit removeTemp([&] {
    if (!replaced && !temp.empty()) DeleteFileW(temp.c_str());
  });
  FileHandle file = CreateTemporary(target, temp);
  if (!file || !WriteAll(file.Get(), bytes) || !FlushFileBuffers(file.Get())) Fail(path);
  file.Reset();
  if (!MoveFileExW(temp.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) Fail(path);
  replaced = true;
}
