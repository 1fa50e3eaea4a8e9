// The owner of an open file as the system hands it out (a descriptor, or a
// kernel handle on Windows), closed when its owner goes.
#pragma once

#ifdef _WIN32
#include "platform/windows/kernel_handle.h"
using FileHandle = KernelHandle;
#else
#include "platform/linux/file_descriptor.h"
using FileHandle = FileDescriptor;
#endif
