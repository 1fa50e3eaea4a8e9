// The runtime's table of class objects registered for the process. On
// Windows it lives once in the system's runtime library; here every module
// carries its own copy of the platform layer, so the table an executable
// exports (xhw does) is the one all copies use, found by name in the
// process's global scope. A process that exports none has one table per
// copy, which is all a single binary needs.
#include "platform/linux/class_objects.h"

#include <dlfcn.h>

#include <cstring>
#include <iterator>

#include "platform/codepage.h"
#include "platform/guid.h"

namespace {

// A plain layout, the same in every copy of this file.
struct ClassObjectTable {
  struct Entry {
    CLSID clsid;
    IUnknown* object;  // a reference held; null: a free entry
    DWORD cookie;
  };
  Entry entries[16];
  DWORD lastCookie;
};

}  // namespace

extern "C" __attribute__((visibility("default"))) ClassObjectTable* SorvinProcessClassObjects() {
  static ClassObjectTable table{};
  return &table;
}

namespace {

ClassObjectTable& Table() {
  using Get = ClassObjectTable* (*)();
  const auto exported = reinterpret_cast<Get>(dlsym(RTLD_DEFAULT, "SorvinProcessClassObjects"));
  return *(exported ? exported : &SorvinProcessClassObjects)();
}

}  // namespace

HRESULT CLSIDFromProgID(LPCOLESTR progId, CLSID* clsid) {
  if (!progId || !clsid) return E_INVALIDARG;
  const auto found = RegisteredClassOfProgId(Utf16ToAnsi(OleStringView(progId)));
  if (!found) return CO_E_CLASSSTRING;
  *clsid = *found;
  return S_OK;
}

HRESULT CoRegisterClassObject(REFCLSID clsid, IUnknown* object, DWORD, DWORD, DWORD* cookie) {
  if (!object || !cookie) return E_INVALIDARG;
  ClassObjectTable& table = Table();
  for (ClassObjectTable::Entry& entry : table.entries) {
    if (entry.object) continue;
    object->AddRef();
    entry = {clsid, object, ++table.lastCookie};
    *cookie = entry.cookie;
    return S_OK;
  }
  return E_OUTOFMEMORY;
}

HRESULT CoRevokeClassObject(DWORD cookie) {
  for (ClassObjectTable::Entry& entry : Table().entries) {
    if (!entry.object || entry.cookie != cookie) continue;
    IUnknown* object = entry.object;
    entry = {};
    object->Release();
    return S_OK;
  }
  return E_INVALIDARG;
}

ComPtr<IClassFactory> ProcessClassFactory(const CLSID& clsid) {
  ComPtr<IClassFactory> factory;
  for (const ClassObjectTable::Entry& entry : Table().entries) {
    if (entry.object && SameGuid(entry.clsid, clsid)) {
      entry.object->QueryInterface(IID_IClassFactory, factory.PutVoid());
      break;
    }
  }
  return factory;
}
