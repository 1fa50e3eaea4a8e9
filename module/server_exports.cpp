// The in-process server entry points every module has.
#include "module/class_factory.h"
#include "module/exports.h"
#include "module/module_identity.h"
#include "module/server_counters.h"
#include "platform/class_registry.h"
#include "platform/module_path.h"
#include "platform/type_library.h"

SORVIN_EXPORT HRESULT SORVIN_CALL DllGetClassObject(REFCLSID clsid, REFIID riid, void** object) {
  if (!object) return E_POINTER;
  *object = nullptr;
  if (!SameGuid(clsid, ThisModule().classId)) return CLASS_E_CLASSNOTAVAILABLE;
  return ModuleClassFactory().QueryInterface(riid, object);
}

SORVIN_EXPORT HRESULT SORVIN_CALL DllCanUnloadNow() { return ServerInUse() ? S_FALSE : S_OK; }

SORVIN_EXPORT HRESULT SORVIN_CALL DllRegisterServer() {
  try {
    RegisterServerClass(ThisModule().classId, ThisModulePath(), ThisModule().progId);
    RegisterModuleTypeLibrary(ThisModulePath());
    return S_OK;
  } catch (...) {
    return E_FAIL;
  }
}

SORVIN_EXPORT HRESULT SORVIN_CALL DllUnregisterServer() {
  try {
    UnregisterServerClass(ThisModule().classId, ThisModule().progId);
    UnregisterModuleTypeLibrary(ThisModulePath());
    return S_OK;
  } catch (...) {
    return E_FAIL;
  }
}

#ifndef _WIN32
// Without the runtime's own GetErrorInfo, each module hands out the error
// information its operations left on the calling thread.
SORVIN_EXPORT HRESULT SORVIN_CALL GetErrorInfo(ULONG, IErrorInfo** info) {
  if (!info) return E_POINTER;
  return GetThreadErrorInfo(info);
}
#endif
