// The receipt file on a plain descriptor: every Write goes straight to the
// kernel, so its result says whether the bytes reached the file.
#include "platform/text_file.h"

#include <fcntl.h>
#include <sys/stat.h>

#include <cstdio>

#include "platform/ascii.h"
#include "platform/codepage.h"

namespace {

constexpr const char* kNullDevice = "/dev/null";

// "nul" is the Windows null device in any case; a name with a folder is an
// ordinary file that happens to be called so.
bool IsNullDevice(std::string_view name) { return SameAsciiName(name, std::string_view("nul")); }

}  // namespace

void TextFile::Assign(std::string_view name) {
  Close();
  // The name is module text (Windows-1251); the file system wants UTF-8.
  path_ = IsNullDevice(name) ? kNullDevice : AnsiToUtf8(name);
  assigned_ = true;
}

bool TextFile::OpenAppend() {
  Close();
  if (!assigned_) return false;
  // Never O_TRUNC: what the file already holds must survive any opening.
  file_.Reset(open(path_.c_str(), O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC, 0644));
  return IsOpen();
}

bool TextFile::Write(std::string_view bytes) { return IsOpen() && WriteAll(file_.Get(), bytes); }

// Only a regular file has a size worth acting on: a device or a pipe says 0.
std::uint64_t TextFile::Size() const {
  struct stat status {};
  if (!IsOpen() || fstat(file_.Get(), &status) != 0 || !S_ISREG(status.st_mode)) return 0;
  return static_cast<std::uint64_t>(status.st_size);
}

bool TextFile::RenameTo(std::string_view newName) {
  Close();
  if (!assigned_ || path_ == kNullDevice) return false;
  return std::rename(path_.c_str(), AnsiToUtf8(newName).c_str()) == 0;
}
