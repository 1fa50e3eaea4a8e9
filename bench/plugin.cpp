#include "bench/plugin.h"

#include <dlfcn.h>

#include <cstdlib>
#include <stdexcept>

#include "platform/guid.h"

namespace {

std::string ModulePath(const std::string& fileName) {
  const char* dir = std::getenv("SORVIN_MODULE_DIR");
  return std::string(dir && *dir ? dir : SORVIN_BUILT_MODULE_DIR) + "/" + fileName;
}

}  // namespace

Plugin::Plugin(const std::string& fileName) : path_(ModulePath(fileName)) {
  handle_ = dlopen(path_.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (!handle_) throw std::runtime_error("cannot load " + path_ + ": " + dlerror());
}

Plugin::~Plugin() { dlclose(handle_); }

void* Plugin::Export(const char* name) const {
  void* symbol = dlsym(handle_, name);
  if (!symbol) throw std::runtime_error(path_ + " does not export " + name);
  return symbol;
}

ComPtr<IFiscalDevice> Plugin::CreateDevice() const {
  auto classString = reinterpret_cast<const char* (*)(int32_t)>(Export("GetHardwareClassString"));
  auto getClassObject = reinterpret_cast<HRESULT (*)(REFCLSID, REFIID, void**)>(Export("DllGetClassObject"));
  const auto clsid = ParseGuid(classString(0));
  if (!clsid) throw std::runtime_error(path_ + " gives no class id");
  ComPtr<IClassFactory> factory;
  ComPtr<IFiscalDevice> device;
  if (FAILED(getClassObject(*clsid, IID_IClassFactory, factory.PutVoid())) ||
      FAILED(factory->CreateInstance(nullptr, IID_IFiscalDevice, device.PutVoid()))) {
    throw std::runtime_error(path_ + " created no device object");
  }
  return device;
}

void Plugin::RegisterServer() const {
  auto registerServer = reinterpret_cast<HRESULT (*)()>(Export("DllRegisterServer"));
  if (FAILED(registerServer())) throw std::runtime_error(path_ + " could not register its class");
}
