// The class registry as an INI file, and object creation the way the
// Windows runtime does it for an in-process server: find the module, load
// it, ask its class factory for the object.
#include "platform/class_registry.h"

#include <dlfcn.h>

#include <cstdlib>
#include <filesystem>
#include <utility>

#include "platform/codepage.h"
#include "platform/error.h"
#include "platform/guid.h"
#include "platform/linux/class_objects.h"
#include "platform/linux/registry_file.h"
#include "platform/profile.h"

ProfileFile ClassRegistryFile() {
  const char* named = std::getenv("SORVIN_REGISTRY");
  // Profile file names are module text (Windows-1251); these paths come from the system.
  if (!named || !*named) return ProfileFile(Utf8ToAnsi(SettingsFolder() + "/registry.ini"));
  std::string path(named);
  // A bare name is relative to the working folder, not the settings folder.
  return ProfileFile(Utf8ToAnsi(path.find('/') == std::string::npos ? "./" + path : path));
}

namespace {

constexpr std::string_view kServers = "InprocServer32";
constexpr std::string_view kProgIds = "ProgID";
// The module was found and loaded but does not behave as a server.
constexpr HRESULT CO_E_ERRORINDLL = static_cast<HRESULT>(0x800401F9);

using GetClassObjectFunction = HRESULT (*)(REFCLSID, REFIID, void**);

std::string Failure(HRESULT status, std::string_view detail) {
  return StatusMessage(status) + ": " + std::string(detail);
}

std::string LastLoaderError() {
  const char* error = dlerror();
  return error ? error : "";
}

}  // namespace

void RegisterServerClass(const CLSID& clsid, std::string_view modulePath, std::string_view progId) {
  // The loader resolves a relative path against whatever folder the creating
  // process is in; an absolute one finds the module from anywhere.
  std::error_code ignored;
  std::string absolute = std::filesystem::absolute(std::filesystem::path(modulePath), ignored).string();
  ProfileFile registry = ClassRegistryFile();
  std::string classId = GuidToString(clsid);
  registry.WriteString(kServers, classId, absolute.empty() ? std::string(modulePath) : absolute);
  if (!progId.empty()) registry.WriteString(kProgIds, progId, classId);
}

void UnregisterServerClass(const CLSID& clsid, std::string_view progId) {
  ProfileFile registry = ClassRegistryFile();
  registry.DeleteKey(kServers, GuidToString(clsid));
  if (progId.empty()) return;
  // A ProgID that another class has taken over since stays with that class.
  auto current = ParseGuid(registry.ReadString(kProgIds, progId, ""));
  if (current && SameGuid(*current, clsid)) registry.DeleteKey(kProgIds, progId);
}

std::optional<CLSID> RegisteredClassOfProgId(std::string_view progId) {
  return ParseGuid(ClassRegistryFile().ReadString(kProgIds, progId, ""));
}

ServerObject CreateObjectByProgId(std::string_view progId) {
  ProfileFile registry = ClassRegistryFile();
  auto clsid = ParseGuid(registry.ReadString(kProgIds, progId, ""));
  if (!clsid) throw ComError(CO_E_CLASSSTRING, StatusMessage(CO_E_CLASSSTRING));
  // A class object registered by this process comes before any server.
  ServerObject server;
  if (ComPtr<IClassFactory> registered = ProcessClassFactory(*clsid)) {
    const HRESULT status = registered->CreateInstance(nullptr, IID_IDispatch, server.object.PutVoid());
    if (FAILED(status)) throw ComError(status, StatusMessage(status));
    return server;
  }
  std::string path = registry.ReadString(kServers, GuidToString(*clsid), "");
  if (path.empty()) throw ComError(REGDB_E_CLASSNOTREG, StatusMessage(REGDB_E_CLASSNOTREG));

  server.library = ServerLibrary(dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL));
  if (!server.library) throw ComError(CO_E_DLLNOTFOUND, Failure(CO_E_DLLNOTFOUND, LastLoaderError()));
  auto getClassObject = reinterpret_cast<GetClassObjectFunction>(dlsym(server.library.Get(), "DllGetClassObject"));
  if (!getClassObject) throw ComError(CO_E_ERRORINDLL, Failure(CO_E_ERRORINDLL, path));

  // Released before `server` goes, so before the library can be unloaded.
  ComPtr<IClassFactory> factory;
  HRESULT status = getClassObject(*clsid, IID_IClassFactory, factory.PutVoid());
  if (FAILED(status)) throw ComError(status, StatusMessage(status));
  status = factory->CreateInstance(nullptr, IID_IDispatch, server.object.PutVoid());
  if (FAILED(status)) throw ComError(status, StatusMessage(status));
  return server;
}
