// A module file loaded into the process, and what the operating system
// keeps for it. Only module_loader.cpp talks to the system's loader, so a
// Windows version (LoadLibrary) can stand beside it.
#pragma once

#include <stdexcept>
#include <string>

#include "platform/com_ptr.h"

// The module cannot be used: not loaded, an export missing, no object.
class ModuleError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

class LoadedLibrary {
 public:
  // Throws a ModuleError with the loader's reason.
  explicit LoadedLibrary(const std::string& path);
  LoadedLibrary(const LoadedLibrary&) = delete;
  LoadedLibrary& operator=(const LoadedLibrary&) = delete;
  ~LoadedLibrary();

  const std::string& Path() const { return path_; }
  // The exported symbol, or null when the module has none by that name.
  void* Symbol(const char* name) const;

 private:
  std::string path_;
  void* handle_ = nullptr;
};

// The error information that the module's last failing call left on this
// thread (taken away, so it is not found again), or null.
ComPtr<IErrorInfo> TakeErrorInfo(const LoadedLibrary& library);
