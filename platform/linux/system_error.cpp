#include "platform/linux/system_error.h"

#include <cerrno>
#include <cstdint>
#include <cstring>

#include "platform/codepage.h"
#include "platform/com.h"
#include "platform/error.h"

namespace {

struct Win32Error {
  int error;
  uint32_t code;
};

// The failures of file operations, each with the Win32 error that Windows
// gives for the same cause.
constexpr Win32Error kWin32Errors[] = {
    {ENOENT, 2},         // ERROR_FILE_NOT_FOUND
    {ENOTDIR, 3},        // ERROR_PATH_NOT_FOUND
    {EMFILE, 4},         // ERROR_TOO_MANY_OPEN_FILES
    {ENFILE, 4},         // ERROR_TOO_MANY_OPEN_FILES
    {EACCES, 5},         // ERROR_ACCESS_DENIED
    {EPERM, 5},          // ERROR_ACCESS_DENIED
    {EISDIR, 5},         // ERROR_ACCESS_DENIED, as opening a folder as a file gives
    {EBADF, 6},          // ERROR_INVALID_HANDLE
    {ENOMEM, 8},         // ERROR_NOT_ENOUGH_MEMORY
    {EXDEV, 17},         // ERROR_NOT_SAME_DEVICE
    {EROFS, 19},         // ERROR_WRITE_PROTECT
    {ETXTBSY, 32},       // ERROR_SHARING_VIOLATION
    {EEXIST, 80},        // ERROR_FILE_EXISTS
    {EINVAL, 87},        // ERROR_INVALID_PARAMETER
    {ENOSPC, 112},       // ERROR_DISK_FULL
    {ENOTEMPTY, 145},    // ERROR_DIR_NOT_EMPTY
    {EBUSY, 170},        // ERROR_BUSY
    {ENAMETOOLONG, 206}, // ERROR_FILENAME_EXCED_RANGE
    {EFBIG, 223},        // ERROR_FILE_TOO_LARGE
    {EIO, 1117},         // ERROR_IO_DEVICE
    {EDQUOT, 1295},      // ERROR_DISK_QUOTA_EXCEEDED
    {ELOOP, 1921},       // ERROR_CANT_RESOLVE_FILENAME
};

HRESULT ErrnoStatus(int error) {
  for (const Win32Error& known : kWin32Errors) {
    if (known.error == error) return static_cast<HRESULT>(0x80070000u | known.code);
  }
  return E_UNEXPECTED;
}

// In the process's language, which the C library gives in UTF-8.
std::string ErrnoMessage(int error) {
  char text[256];
  return Utf8ToAnsi(strerror_r(error, text, sizeof text));
}

}  // namespace

void ThrowErrno(const std::string& what) {
  const int error = errno;  // before anything else can change it
  throw ComError(ErrnoStatus(error), what + ": " + ErrnoMessage(error));
}
