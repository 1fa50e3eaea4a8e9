// A handle of the system's kernel (a file, a mutex), closed when its owner
// goes, and the loop that writes all of a text to a file.
#pragma once

#include <windows.h>

#include <algorithm>
#include <string_view>

#include "platform/unique_handle.h"

struct KernelHandleTraits {
  using Value = HANDLE;
  static HANDLE Empty() { return INVALID_HANDLE_VALUE; }
  // Files fail as INVALID_HANDLE_VALUE, mutexes as null.
  static bool IsEmpty(HANDLE handle) { return handle == INVALID_HANDLE_VALUE || handle == nullptr; }
  static void Free(HANDLE handle) { CloseHandle(handle); }
};
using KernelHandle = UniqueHandle<KernelHandleTraits>;

// Writes all of `bytes`, however many writes it takes; false, with the
// thread's last error telling why, when one fails. The bytes before the
// failing one stay written.
inline bool WriteAll(HANDLE file, std::string_view bytes) {
  while (!bytes.empty()) {
    const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size(), MAXDWORD));
    DWORD written = 0;
    if (!WriteFile(file, bytes.data(), chunk, &written, nullptr)) return false;
    if (written == 0) {
      SetLastError(ERROR_WRITE_FAULT);  // no progress and no reason given
      return false;
    }
    bytes.remove_prefix(written);
  }
  return true;
}
