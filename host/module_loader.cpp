#include "host/module_loader.h"

#include <dlfcn.h>

#include "module/exports.h"

LoadedLibrary::LoadedLibrary(const std::string& path) : path_(path) {
  // A bare file name would be looked up in the system's library folders;
  // the user means the file in the current folder.
  const std::string file = path.find('/') == std::string::npos ? "./" + path : path;
  handle_.Reset(dlopen(file.c_str(), RTLD_NOW | RTLD_LOCAL));
  if (!handle_) {
    const char* reason = dlerror();
    throw ModuleError("cannot load " + path + ": " + (reason ? reason : "unknown reason"));
  }
}

void* LoadedLibrary::Symbol(const char* name) const { return dlsym(handle_.Get(), name); }

// Without the runtime, each module keeps its own per-thread error
// information and hands it out through its GetErrorInfo export.
ComPtr<IErrorInfo> TakeErrorInfo(const LoadedLibrary& library) {
  using GetErrorInfoFunction = HRESULT SORVIN_CALL(ULONG, IErrorInfo**);
  ComPtr<IErrorInfo> info;
  auto* get = reinterpret_cast<GetErrorInfoFunction*>(library.Symbol("GetErrorInfo"));
  if (!get || get(0, info.Put()) != S_OK) info.Reset();
  return info;
}

HostRuntime::HostRuntime() = default;
HostRuntime::~HostRuntime() = default;
