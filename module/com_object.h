// The frame of every component object we make: QueryInterface over the
// interfaces a class implements, and for objects on the heap the reference
// count that deletes them and keeps the module loaded while they live.
#pragma once

#include "contract/fiscal_device.h"
#include "module/ref_counted.h"
#include "platform/com.h"

// The interface ids an interface answers to, its bases' included.
template <class Interface>
bool AnswersTo(REFIID riid);

template <>
inline bool AnswersTo<IUnknown>(REFIID riid) {
  return SameGuid(riid, IID_IUnknown);
}
template <>
inline bool AnswersTo<IDispatch>(REFIID riid) {
  return AnswersTo<IUnknown>(riid) || SameGuid(riid, IID_IDispatch);
}
template <>
inline bool AnswersTo<IFiscalDevice>(REFIID riid) {
  return AnswersTo<IDispatch>(riid) || SameGuid(riid, IID_IFiscalDevice);
}
template <>
inline bool AnswersTo<ISupportErrorInfo>(REFIID riid) {
  return AnswersTo<IUnknown>(riid) || SameGuid(riid, IID_ISupportErrorInfo);
}
template <>
inline bool AnswersTo<IClassFactory>(REFIID riid) {
  return AnswersTo<IUnknown>(riid) || SameGuid(riid, IID_IClassFactory);
}

// QueryInterface of `self`, which implements `Interfaces`. They are asked in
// order, so IUnknown is always the first one's: one identity per object.
template <class... Interfaces, class Self>
HRESULT QueryInterfaceOf(Self* self, REFIID riid, void** object) {
  if (!object) return E_POINTER;
  *object = nullptr;
  const bool found = ((AnswersTo<Interfaces>(riid) && (*object = static_cast<Interfaces*>(self))) || ...);
  if (!found) return E_NOINTERFACE;
  self->AddRef();
  return S_OK;
}

// An object on the heap, created with one reference and deleted at its last
// Release.
template <class... Interfaces>
class ComObject : public Interfaces... {
 public:
  ComObject(const ComObject&) = delete;
  ComObject& operator=(const ComObject&) = delete;

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** object) override {
    return QueryInterfaceOf<Interfaces...>(this, riid, object);
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return refs_.Add(); }
  ULONG STDMETHODCALLTYPE Release() override {
    const ULONG left = refs_.Release();
    if (left == 0) delete this;
    return left;
  }

 protected:
  ComObject() = default;
  virtual ~ComObject() = default;

 private:
  RefCount refs_;
};
