// An open file descriptor, closed when its owner goes, and the loop that
// writes all of a text to one.
#pragma once

#include <unistd.h>

#include <cerrno>
#include <string_view>

#include "platform/unique_handle.h"

struct FileDescriptorTraits {
  using Value = int;
  static int Empty() { return -1; }
  static bool IsEmpty(int fd) { return fd < 0; }
  static void Free(int fd) { close(fd); }
};
using FileDescriptor = UniqueHandle<FileDescriptorTraits>;

// Writes all of `bytes`, however many writes it takes; false, with errno
// telling why, when one fails. The bytes before the failing one stay written.
inline bool WriteAll(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t done = write(fd, bytes.data(), bytes.size());
    if (done < 0 && errno == EINTR) continue;
    if (done <= 0) {
      if (done == 0) errno = EIO;  // no progress and no reason given
      return false;
    }
    bytes.remove_prefix(static_cast<std::size_t>(done));
  }
  return true;
}
