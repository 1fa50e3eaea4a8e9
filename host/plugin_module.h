// A hardware plug-in module as the host sees it: the discovery exports,
// the in-process server entry points and the device object they create.
// Exports are looked up when first needed, so a module that is only a
// server (the register simulator) can still be registered. xhw, the tests
// and the benchmarks all load modules through this.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "contract/fiscal_device.h"
#include "host/module_loader.h"
#include "platform/com_ptr.h"

class PluginModule {
 public:
  explicit PluginModule(const std::string& path) : library_(path) {}

  int32_t HardwareCount() const;
  // UTF-8; nothing when the module hands out a null pointer.
  std::optional<std::string> HardwareName(int32_t index) const;
  std::optional<std::string> HardwareClassString(int32_t index) const;

  HRESULT GetClassObject(REFCLSID classId, REFIID interfaceId, void** object) const;
  // The factory of the class GetHardwareClassString(0) names. Throws a
  // ModuleError that says which step failed.
  ComPtr<IClassFactory> Factory() const;
  // An object of that class through its factory; a ModuleError likewise.
  ComPtr<IFiscalDevice> CreateDevice() const;

  HRESULT RegisterServer() const;
  HRESULT UnregisterServer() const;
  HRESULT CanUnloadNow() const;
  // DllCanUnloadNow says no: objects or factory references still alive.
  bool InUse() const;

  // The description of the module's last failure on this thread (UTF-8);
  // the platform's wording for `status` when the module left none.
  std::string FailureMessage(HRESULT status) const;

  const LoadedLibrary& Library() const { return library_; }

 private:
  // The export, or a ModuleError naming the one that is missing.
  void* Require(const char* name) const;
  template <class Function>
  Function* Export(const char* name) const {
    return reinterpret_cast<Function*>(Require(name));
  }

  LoadedLibrary library_;
};
