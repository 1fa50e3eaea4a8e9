// Loads a built module through xhw's loader, the way a host does (dlopen or
// LoadLibrary, discovery exports, DllGetClassObject, the class factory), and
// calls its operations through the vtable (Call) or by name through
// IDispatch (Invoke). Where the tests find the modules is in
// host_module_posix.cpp and host_module_windows.cpp.
#pragma once

#include <initializer_list>
#include <string>
#include <string_view>

#include "contract/fiscal_device.h"
#include "host/plugin_module.h"
#include "platform/com_ptr.h"
#include "platform/variant.h"

class HostModule {
 public:
  // `fileName` is looked up in SORVIN_MODULE_DIR (set by CTest; under Wine a
  // Linux path, reached through drive Z:), else on Windows in the program's
  // own folder.
  explicit HostModule(const std::string& fileName) : module_(PathOf(fileName)) {}

  static std::string PathOf(const std::string& fileName);
  const std::string& Path() const { return module_.Library().Path(); }
  void* Symbol(const char* name) const { return module_.Library().Symbol(name); }
  template <class F>
  F* Export(const char* name) const {
    return reinterpret_cast<F*>(Symbol(name));
  }

  int32_t HardwareCount() const { return module_.HardwareCount(); }
  // UTF-8; a module that hands out a null pointer fails the test.
  std::string HardwareName(int32_t index) const;
  std::string HardwareClassString(int32_t index) const;
  HRESULT GetClassObject(REFCLSID clsid, REFIID riid, void** object) const {
    return module_.GetClassObject(clsid, riid, object);
  }
  HRESULT CanUnloadNow() const { return module_.CanUnloadNow(); }
  HRESULT RegisterServer() const { return module_.RegisterServer(); }
  HRESULT UnregisterServer() const { return module_.UnregisterServer(); }
  // The description and the source of the last failure on this thread
  // (UTF-8), or "". Either takes the error information off the thread.
  std::string LastErrorMessage() const;
  std::string LastErrorSource() const;

  ComPtr<IClassFactory> Factory() const { return module_.Factory(); }
  ComPtr<IFiscalDevice> CreateDevice() const { return module_.CreateDevice(); }

 private:
  // One text of the error information on this thread (UTF-8), or "" without any.
  std::string TakeErrorText(decltype(&IErrorInfo::GetSource) text) const;

  PluginModule module_;
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
