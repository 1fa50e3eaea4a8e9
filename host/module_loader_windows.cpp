#include "host/module_loader.h"
#include "platform/codepage.h"
#include "platform/system_path.h"
#include "platform/windows/system_error.h"

LoadedLibrary::LoadedLibrary(const std::string& path) : path_(path) {
  // A bare file name would be looked up in the program's and the system's
  // folders first; the user means the file in the current folder.
  const std::string file = path.find_first_of("\\/:") == std::string::npos ? ".\\" + path : path;
  handle_.Reset(LoadLibraryW(AnsiToUtf16(file).c_str()));
  if (!handle_) {
    const HRESULT status = LastErrorStatus();
    throw ModuleError("cannot load " + SystemPathToUtf8(path) + ": " + AnsiToUtf8(SystemMessage(status)));
  }
}

void* LoadedLibrary::Symbol(const char* name) const {
  return reinterpret_cast<void*>(GetProcAddress(handle_.Get(), name));
}

// The runtime keeps one error information per thread for every module.
ComPtr<IErrorInfo> TakeErrorInfo(const LoadedLibrary&) {
  ComPtr<IErrorInfo> info;
  if (GetThreadErrorInfo(info.Put()) != S_OK) info.Reset();
  return info;
}

HostRuntime::HostRuntime() {
  initialized_ = SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED));
  const UINT codePage = GetConsoleOutputCP();  // 0 without a console
  if (codePage != 0 && codePage != CP_UTF8 && SetConsoleOutputCP(CP_UTF8)) consoleCodePage_ = codePage;
}

HostRuntime::~HostRuntime() {
  if (consoleCodePage_ != 0) SetConsoleOutputCP(consoleCodePage_);
  if (initialized_) CoUninitialize();
}
