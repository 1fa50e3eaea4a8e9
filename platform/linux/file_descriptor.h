// An open file descriptor, closed when its owner goes.
#pragma once

#include <unistd.h>

#include "platform/unique_handle.h"

struct FileDescriptorTraits {
  using Value = int;
  static int Empty() { return -1; }
  static bool IsEmpty(int fd) { return fd < 0; }
  static void Free(int fd) { close(fd); }
};
using FileDescriptor = UniqueHandle<FileDescriptorTraits>;
