// The receipt file: a text file bound to a name, opened for appending for
// one writing operation at a time. Writes are not buffered by us, so each
// Write tells whether its bytes really reached the file.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "platform/file_handle.h"

class TextFile {
 public:
  TextFile() = default;
  TextFile(const TextFile&) = delete;
  TextFile& operator=(const TextFile&) = delete;

  // Binds the file to a name (closing a file still open). The names "nul"
  // and "NUL", in any case, are the null device.
  void Assign(std::string_view name);
  bool IsAssigned() const { return assigned_; }

  // Opens the bound file for appending at its end, creating it when it is
  // missing; an existing file is never truncated. A file still open is
  // closed first. False when the file is not bound or cannot be opened.
  bool OpenAppend();

  // Writes all of `bytes`; true only when every byte reached the file.
  // After a failure the bytes before the failing one stay in the file.
  bool Write(std::string_view bytes);

  bool IsOpen() const { return static_cast<bool>(file_); }
  void Close() { file_.Reset(); }

  // The size of the open file; 0 when none is open or the system cannot say.
  std::uint64_t Size() const;
  // Closes the file and gives it the name `newName` (module text), replacing
  // a file of that name; the object stays bound to the old name, where the
  // next OpenAppend begins a new file. False when the rename failed.
  bool RenameTo(std::string_view newName);

 private:
  std::string path_;
  bool assigned_ = false;
  FileHandle file_;
};
