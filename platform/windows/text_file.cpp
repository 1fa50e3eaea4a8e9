// The receipt file as a handle opened for appending only: the system puts
// every write at the current end of the file, and each WriteFile reports
// whether its bytes got there. "nul" is the system's own null device.
//
// Names reach the system as UTF-16 through the wide functions, so a
// Windows-1251 name means the same file whatever the code page for
// non-Unicode programs.
#include "platform/text_file.h"

#include "platform/codepage.h"
#include "platform/com.h"

void TextFile::Assign(std::string_view name) {
  Close();
  path_ = std::string(name);
  assigned_ = true;
}

bool TextFile::OpenAppend() {
  Close();
  if (!assigned_) return false;
  // OPEN_ALWAYS: an existing file keeps what it holds, a missing one is
  // made. Other objects (and readers) may have the same file open.
  file_.Reset(CreateFileW(AnsiToUtf16(path_).c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                          OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
  return IsOpen();
}

bool TextFile::Write(std::string_view bytes) { return IsOpen() && WriteAll(file_.Get(), bytes); }

// Only a file on disk has a size worth acting on: the null device says 0.
std::uint64_t TextFile::Size() const {
  LARGE_INTEGER size{};
  if (!IsOpen() || GetFileType(file_.Get()) != FILE_TYPE_DISK || !GetFileSizeEx(file_.Get(), &size)) return 0;
  return static_cast<std::uint64_t>(size.QuadPart);
}

bool TextFile::RenameTo(std::string_view newName) {
  Close();
  return assigned_ && MoveFileExW(AnsiToUtf16(path_).c_str(), AnsiToUtf16(newName).c_str(), MOVEFILE_REPLACE_EXISTING);
}
