// The receipt file: a text file bound to a name, opened for appending for
// one writing operation at a time. Writes are not buffered by us, so each
// Write tells whether its bytes really reached the file.
#pragma once

#include <string>
#include <string_view>

class TextFile {
 public:
  TextFile() = default;
  TextFile(const TextFile&) = delete;
  TextFile& operator=(const TextFile&) = delete;
  ~TextFile();

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

  bool IsOpen() const;
  void Close();

 private:
  std::string path_;
  bool assigned_ = false;
#ifdef _WIN32
  void* handle_ = nullptr;
#else
  int fd_ = -1;
#endif
};
