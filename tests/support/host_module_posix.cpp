#include <dlfcn.h>

#include <cstdlib>
#include <stdexcept>

#include "module/exports.h"
#include "tests/support/host_module.h"

const char* const kSimulatorModule = "FprnM8Sim.so";

HostThread::HostThread() = default;
HostThread::~HostThread() = default;

std::string HostModule::PathOf(const std::string& fileName) {
  const char* dir = std::getenv("SORVIN_MODULE_DIR");
  return std::string(dir ? dir : ".") + "/" + fileName;
}

HostModule::HostModule(const std::string& fileName) : path_(PathOf(fileName)) {
  handle_ = dlopen(path_.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (!handle_) throw std::runtime_error(std::string("cannot load ") + path_ + ": " + dlerror());
}

HostModule::~HostModule() { dlclose(handle_); }

void* HostModule::Symbol(const char* name) const { return dlsym(handle_, name); }

ComPtr<IErrorInfo> HostModule::TakeErrorInfo() const {
  ComPtr<IErrorInfo> info;
  if (Export<HRESULT SORVIN_CALL(ULONG, IErrorInfo**)>("GetErrorInfo")(0, info.Put()) != S_OK) info.Reset();
  return info;
}
