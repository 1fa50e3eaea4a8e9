#include "module/class_factory.h"

#include "module/com_object.h"
#include "module/module_identity.h"
#include "module/server_counters.h"
#include "platform/com_ptr.h"

HRESULT ClassFactory::QueryInterface(REFIID riid, void** object) {
  return QueryInterfaceOf<IClassFactory>(this, riid, object);
}

ULONG ClassFactory::AddRef() {
  AddServerReference();
  return 2;
}

ULONG ClassFactory::Release() {
  ReleaseServerReference();
  return 1;
}

HRESULT ClassFactory::CreateInstance(IUnknown* outer, REFIID riid, void** object) {
  if (!object) return E_POINTER;
  *object = nullptr;
  if (outer) return CLASS_E_NOAGGREGATION;
  // The new object's one reference is ours until the caller has its own.
  ComPtr<IUnknown> created = ComPtr<IUnknown>::Attach(CreateModuleObject());
  if (!created) return E_OUTOFMEMORY;
  return created->QueryInterface(riid, object);
}

HRESULT ClassFactory::LockServer(BOOL lock) {
  if (lock) {
    AddServerReference();
  } else {
    ReleaseServerReference();
  }
  return S_OK;
}

ClassFactory& ModuleClassFactory() {
  static ClassFactory factory;
  return factory;
}
