#include "tests/windows/com_server.h"

#include <windows.h>

#include <stdexcept>

#include "platform/error.h"
#include "tests/support/host_module.h"

RegisteredServer::RegisteredServer(const std::string& fileName) : path_(HostModule::PathOf(fileName)) {
  if (int status = RunRegsvr32('"' + path_ + '"'); status != 0) {
    throw std::runtime_error("regsvr32 " + path_ + " exited with " + std::to_string(status));
  }
  registered_ = true;
}

RegisteredServer::~RegisteredServer() {
  if (registered_) Unregister();
}

int RegisteredServer::Unregister() {
  registered_ = false;
  return RunRegsvr32("/u \"" + path_ + '"');
}

int RunRegsvr32(const std::string& arguments) {
  std::string commandLine = "regsvr32.exe /s " + arguments;
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  if (!CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process)) {
    throw std::runtime_error("cannot start regsvr32: error " + std::to_string(GetLastError()));
  }
  WaitForSingleObject(process.hProcess, INFINITE);
  DWORD status = 0;
  GetExitCodeProcess(process.hProcess, &status);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return static_cast<int>(status);
}

std::optional<std::string> ClassesValue(const std::string& key, const char* name) {
  char value[1024];
  DWORD size = sizeof value;
  if (RegGetValueA(HKEY_CLASSES_ROOT, key.c_str(), name, RRF_RT_REG_SZ, nullptr, value, &size) != ERROR_SUCCESS) {
    return std::nullopt;
  }
  return std::string(value);
}

bool ClassesKeyExists(const std::string& key) {
  HKEY handle = nullptr;
  if (RegOpenKeyExA(HKEY_CLASSES_ROOT, key.c_str(), 0, KEY_READ, &handle) != ERROR_SUCCESS) return false;
  RegCloseKey(handle);
  return true;
}

ComPtr<IFiscalDevice> CreateRegisteredDevice(const CLSID& clsid) {
  ComPtr<IFiscalDevice> device;
  HRESULT status = CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, IID_IFiscalDevice, device.PutVoid());
  if (FAILED(status)) throw std::runtime_error("CoCreateInstance: " + StatusMessage(status));
  return device;
}
