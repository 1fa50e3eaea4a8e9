// Whole files through the system's file functions, by wide names, so a
// Windows-1251 path means the same whatever the ANSI code page. A
// replacement is written beside the old file, flushed, and moved over it by
// MoveFileExW, which the file system does in one step.
//
// While a file is being moved over, Windows refuses to open it, and a file
// open elsewhere cannot be moved over: readers and replacements of one file
// take turns (a mutex named after the file, for every process of the
// session), as the profile functions' own lock had them take turns.
#include "platform/whole_file.h"

#include <windows.h>

#include <cstdint>

#include "platform/codepage.h"
#include "platform/error.h"
#include "platform/on_exit.h"
#include "platform/windows/kernel_handle.h"
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
KernelHandle CreateTemporary(const OleString& target, OleString& name) {
  for (DWORD attempt = 0;; ++attempt) {
    name = target + L".~" + std::to_wstring(GetCurrentProcessId()) + L"-" + std::to_wstring(GetTickCount()) + L"-" +
           std::to_wstring(attempt);
    KernelHandle file(
        CreateFileW(name.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (file || GetLastError() != ERROR_FILE_EXISTS || attempt == 100) {
      if (!file) name.clear();
      return file;
    }
  }
}

// The turn of one file's readers and replacements, held while it lives.
class FileTurn {
 public:
  explicit FileTurn(const OleString& path) : mutex_(CreateMutexW(nullptr, FALSE, MutexName(path).c_str())) {
    // Without a mutex the file is used without a turn, as it would be anyway.
    // An abandoned one (its holder died) is handed over as well.
    if (mutex_) WaitForSingleObject(mutex_.Get(), INFINITE);
  }
  FileTurn(const FileTurn&) = delete;
  FileTurn& operator=(const FileTurn&) = delete;
  ~FileTurn() {
    if (mutex_) ReleaseMutex(mutex_.Get());
  }

 private:
  // The same file under any name it is given by.
  static OleString FullPath(const OleString& name) {
    const DWORD size = GetFullPathNameW(name.c_str(), 0, nullptr, nullptr);  // the terminating zero included
    if (size == 0) return name;
    OleString path(size, L'\0');
    const DWORD length = GetFullPathNameW(name.c_str(), size, path.data(), nullptr);
    if (length == 0 || length >= size) return name;
    path.resize(length);
    return path;
  }

  // A mutex name may not hold a backslash: a hash of the full path in upper
  // case, as the file system compares names.
  static OleString MutexName(const OleString& name) {
    OleString path = FullPath(name);
    CharUpperBuffW(path.data(), static_cast<DWORD>(path.size()));
    uint64_t hash = 14695981039346656037ull;  // FNV-1a
    for (wchar_t c : path) hash = (hash ^ static_cast<uint16_t>(c)) * 1099511628211ull;
    wchar_t digits[17];
    for (int i = 15; i >= 0; --i, hash >>= 4) digits[i] = L"0123456789ABCDEF"[hash & 15];
    digits[16] = L'\0';
    return OleString(L"Local\\Sorvin.File.") + digits;
  }

  KernelHandle mutex_;
};

}  // namespace

std::optional<std::string> ReadWholeFile(const std::string& path) {
  const OleString name = AnsiToUtf16(path);
  const FileTurn turn(name);
  // Shared for every use: other programs (an editor) are not kept out.
  const KernelHandle file(CreateFileW(name.c_str(), GENERIC_READ,
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
  const FileTurn turn(target);
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
  KernelHandle file = CreateTemporary(target, temp);
  if (!file || !WriteAll(file.Get(), bytes) || !FlushFileBuffers(file.Get())) Fail(path);
  file.Reset();
  if (!MoveFileExW(temp.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) Fail(path);
  replaced = true;
}
