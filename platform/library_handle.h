// A library loaded into the process (dlopen, or LoadLibrary on Windows),
// unloaded when its owner goes.
#pragma once

#include "platform/unique_handle.h"

#ifdef _WIN32
#include <windows.h>

struct LibraryHandleTraits {
  using Value = HMODULE;
  static HMODULE Empty() { return nullptr; }
  static bool IsEmpty(HMODULE library) { return !library; }
  static void Free(HMODULE library) { FreeLibrary(library); }
};
#else
#include <dlfcn.h>

struct LibraryHandleTraits {
  using Value = void*;
  static void* Empty() { return nullptr; }
  static bool IsEmpty(void* library) { return !library; }
  static void Free(void* library) { dlclose(library); }
};
#endif

using LibraryHandle = UniqueHandle<LibraryHandleTraits>;
