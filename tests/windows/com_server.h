// A built module registered with the system for one test, as a user
// registers it (regsvr32), and objects the runtime makes from it.
#pragma once

#include <optional>
#include <string>

#include "contract/fiscal_device.h"
#include "platform/com_ptr.h"

class RegisteredServer {
 public:
  // Registers the module `fileName` from the build's module folder; throws
  // when regsvr32 reports a failure.
  explicit RegisteredServer(const std::string& fileName);
  RegisteredServer(const RegisteredServer&) = delete;
  RegisteredServer& operator=(const RegisteredServer&) = delete;
  // Unregisters a module still registered, so no test leaves it behind.
  ~RegisteredServer();

  const std::string& Path() const { return path_; }
  // regsvr32's exit status: 0 when the module's DllUnregisterServer succeeded.
  int Unregister();

 private:
  std::string path_;
  bool registered_ = false;
};

// Runs the system's regsvr32 silently with these arguments; its exit status.
int RunRegsvr32(const std::string& arguments);

// A value under HKEY_CLASSES_ROOT (nullptr: the key's default value); none
// when the key or the value is missing.
std::optional<std::string> ClassesValue(const std::string& key, const char* name = nullptr);
bool ClassesKeyExists(const std::string& key);

// CoCreateInstance of an in-process server's class for IFiscalDevice; throws
// with the runtime's status on failure.
ComPtr<IFiscalDevice> CreateRegisteredDevice(const CLSID& clsid);
