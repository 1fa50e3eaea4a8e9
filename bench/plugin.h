// A built module loaded the way the host loads it: dlopen, the class from
// the discovery exports, objects from the class factory. Nothing here sits
// between the benchmark and the object's own vtable.
#pragma once

#include <string>

#include "contract/fiscal_device.h"
#include "platform/com_ptr.h"

class Plugin {
 public:
  // `fileName` is looked up in SORVIN_MODULE_DIR, else in the build's module
  // folder. Throws std::runtime_error when it cannot be loaded.
  explicit Plugin(const std::string& fileName);
  Plugin(const Plugin&) = delete;
  Plugin& operator=(const Plugin&) = delete;
  ~Plugin();

  // A new fiscal-device object of the module's one class.
  ComPtr<IFiscalDevice> CreateDevice() const;
  // Adds the module's class to the class registry; throws on failure.
  void RegisterServer() const;

 private:
  void* Export(const char* name) const;

  std::string path_;
  void* handle_ = nullptr;
};
