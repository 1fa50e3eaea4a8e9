// The module's one class factory. It lives as long as the module; its
// references count towards DllCanUnloadNow all the same.
#pragma once

#include "platform/com.h"

class ClassFactory final : public IClassFactory {
 public:
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** object) override;
  ULONG STDMETHODCALLTYPE AddRef() override;
  ULONG STDMETHODCALLTYPE Release() override;
  HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* outer, REFIID riid, void** object) override;
  HRESULT STDMETHODCALLTYPE LockServer(BOOL lock) override;
};

// The factory of this module (created at start-up, never freed before it).
ClassFactory& ModuleClassFactory();
