// Whole files on descriptors: a replacement is written to a temporary file
// beside the old one, flushed, and renamed over it.
#include "platform/whole_file.h"

#include <fcntl.h>
#include <sys/stat.h>

#include <cstdlib>
#include <filesystem>

#include "platform/codepage.h"
#include "platform/linux/file_descriptor.h"
#include "platform/linux/system_error.h"
#include "platform/on_exit.h"

namespace {

std::string FolderOf(const std::string& path) {
  const std::size_t slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  return slash == 0 ? "/" : path.substr(0, slash);
}

[[noreturn]] void Fail(const std::string& path) { ThrowErrno(Utf8ToAnsi(path)); }

}  // namespace

std::optional<std::string> ReadWholeFile(const std::string& path) {
  const FileDescriptor file(open(path.c_str(), O_RDONLY | O_CLOEXEC));
  if (!file) {
    if (errno == ENOENT) return std::nullopt;
    Fail(path);
  }
  std::string bytes;
  char buffer[8192];
  for (;;) {
    const ssize_t got = read(file.Get(), buffer, sizeof buffer);
    if (got > 0) {
      bytes.append(buffer, static_cast<std::size_t>(got));
    } else if (got == 0) {
      return bytes;
    } else if (errno != EINTR) {
      Fail(path);
    }
  }
}

void ReplaceWholeFile(const std::string& path, std::string_view bytes) {
  const std::string folder = FolderOf(path);
  std::error_code ignored;
  std::filesystem::create_directories(folder, ignored);  // a failure shows at the file itself

  // The new file keeps the old one's permissions.
  struct stat old {};
  const mode_t mode = stat(path.c_str(), &old) == 0 ? (old.st_mode & 07777) : 0644;

  std::string temp = path + ".XXXXXX";
  FileDescriptor file(mkostemp(temp.data(), O_CLOEXEC));
  if (!file) Fail(path);
  bool replaced = false;
  const OnExit removeTemp([&] {
    if (!replaced) unlink(temp.c_str());
  });
  if (!WriteAll(file.Get(), bytes) || fchmod(file.Get(), mode) != 0 || fsync(file.Get()) != 0) Fail(path);
  if (close(file.Release()) != 0 || rename(temp.c_str(), path.c_str()) != 0) Fail(path);
  replaced = true;

  // Make the rename itself durable; the new content is already in place.
  const FileDescriptor dir(open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  if (dir) fsync(dir.Get());
}
