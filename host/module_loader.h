// A module file loaded into the process, and what the operating system
// keeps for it. Only module_loader.cpp (dlopen) and module_loader_windows.cpp
// (LoadLibrary) talk to the system's loader.
#pragma once

#include <stdexcept>
#include <string>

#include "platform/com_ptr.h"
#include "platform/library_handle.h"

// The module cannot be used: not loaded, an export missing, no object.
class ModuleError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

class LoadedLibrary {
 public:
  // Throws a ModuleError with the loader's reason.
  explicit LoadedLibrary(const std::string& path);

  const std::string& Path() const { return path_; }
  // The exported symbol, or null when the module has none by that name.
  void* Symbol(const char* name) const;

 private:
  std::string path_;
  LibraryHandle handle_;
};

// The error information that the module's last failing call left on this
// thread (taken away, so it is not found again), or null.
ComPtr<IErrorInfo> TakeErrorInfo(const LoadedLibrary& library);

// The component runtime on the host's thread for as long as the host runs:
// a module may create objects through it (Tarnvik its register driver), as
// it would inside the trade application. Nothing to do without the runtime.
// On Windows the console also shows xhw's UTF-8 output while the host runs.
class HostRuntime {
 public:
  HostRuntime();
  HostRuntime(const HostRuntime&) = delete;
  HostRuntime& operator=(const HostRuntime&) = delete;
  ~HostRuntime();

 private:
  // Only Windows has anything to give back.
  [[maybe_unused]] bool initialized_ = false;
  [[maybe_unused]] unsigned consoleCodePage_ = 0;  // 0: not changed
};
