// Loads a built module the way a host does (dlopen or LoadLibrary, discovery
// exports, DllGetClassObject, the class factory) and calls its operations
// through the vtable (Call) or by name through IDispatch (Invoke). The
// loading is in host_module_posix.cpp and host_module_windows.cpp.
#pragma once

#include <initializer_list>
#include <string>
#include <string_view>

#include "contract/fiscal_device.h"
#include "platform/com_ptr.h"
#include "platform/variant.h"

class HostModule {
 public:
  // `fileName` is looked up in SORVIN_MODULE_DIR (set by CTest; under Wine a
  // Linux path, reached through drive Z:), else on Windows in the program's
  // own folder.
  explicit HostModule(const std::string& fileName);
  HostModule(const HostModule&) = delete;
  HostModule& operator=(const HostModule&) = delete;
  ~HostModule();

  static std::string PathOf(const std::string& fileName);
  const std::string& Path() const { return path_; }
  void* Symbol(const char* name) const;
  template <class F>
  F* Export(const char* name) const {
    return reinterpret_cast<F*>(Symbol(name));
  }

  int32_t HardwareCount() const;
  std::string HardwareName(int32_t index) const;         // UTF-8
  std::string HardwareClassString(int32_t index) const;  // as the module gives it
  HRESULT GetClassObject(REFCLSID clsid, REFIID riid, void** object) const;
  HRESULT CanUnloadNow() const;
  HRESULT RegisterServer() const;
  HRESULT UnregisterServer() const;
  // The description and the source of the last failure on this thread
  // (UTF-8), or "". Either takes the error information off the thread.
  std::string LastErrorMessage() const;
  std::string LastErrorSource() const;

  ComPtr<IClassFactory> Factory() const;
  ComPtr<IFiscalDevice> CreateDevice() const;

 private:
  // The error information on this thread: the module's own (its GetErrorInfo
  // export) without the runtime, the runtime's on Windows.
  ComPtr<IErrorInfo> TakeErrorInfo() const;
  // One text of that error information (UTF-8), or "" without any.
  std::string TakeErrorText(decltype(&IErrorInfo::GetSource) text) const;

  std::string path_;
  void* handle_ = nullptr;
};

// A module registered as a component server for as long as this lives: on
// Windows the registration lands in the system's registry, which outlasts
// the test.
class ServerRegistration {
 public:
  explicit ServerRegistration(const HostModule& module);
  ServerRegistration(const ServerRegistration&) = delete;
  ServerRegistration& operator=(const ServerRegistration&) = delete;
  ~ServerRegistration() { module_.UnregisterServer(); }

 private:
  const HostModule& module_;
};

// The register simulator's module file.
extern const char* const kSimulatorModule;

// The thread a host calls from: on Windows a single-threaded apartment, in
// which the adapter makes the driver object through the system's runtime.
class HostThread {
 public:
  HostThread();
  HostThread(const HostThread&) = delete;
  HostThread& operator=(const HostThread&) = delete;
  ~HostThread();
};

// One argument of an operation, from a plain C++ value (texts are UTF-8).
struct Arg {
  Arg(int value) : value(static_cast<LONG>(value)) {}
  Arg(double value) : value(value) {}
  Arg(bool value) : value(value) {}
  Arg(const char* utf8);
  Arg(const std::string& utf8) : Arg(utf8.c_str()) {}
  Arg(Variant&& v) : value(std::move(v)) {}
  Variant value;
};

// An object of a loaded module, driven as a host drives it.
class HostDevice {
 public:
  explicit HostDevice(ComPtr<IFiscalDevice> device) : device_(std::move(device)) {}
  IFiscalDevice* operator->() const { return device_.Get(); }
  IFiscalDevice* Get() const { return device_.Get(); }

  // Through the vtable: the status, and the out value in `out`.
  HRESULT TryCall(std::string_view operation, std::initializer_list<Arg> args, Variant* out = nullptr) const;
  // Through IDispatch by name, with the arguments reversed as callers do.
  HRESULT TryInvoke(std::string_view operation, std::initializer_list<Arg> args, Variant* out = nullptr,
                    EXCEPINFO* excepInfo = nullptr) const;

  // Vtable calls that must succeed: a failure status throws, failing the test.
  Variant Call(std::string_view operation, std::initializer_list<Arg> args = {}) const;
  LONG Int(std::string_view operation, std::initializer_list<Arg> args = {}) const;
  double Number(std::string_view operation, std::initializer_list<Arg> args = {}) const;
  std::string Text(std::string_view operation, std::initializer_list<Arg> args = {}) const;  // UTF-8

  // The last result and its text, as the host reads them after a call.
  LONG ResultCode() const { return Int("GetResultCode"); }
  std::string ResultText() const { return Text("GetResultText"); }

 private:
  ComPtr<IFiscalDevice> device_;
};

// Module text (Windows-1251) from UTF-8, for comparing file contents.
std::string Ansi(std::string_view utf8);
