#include "platform/linux/error_info.h"

#include <atomic>

#include "platform/bstr.h"

namespace {

class ErrorInfo final : public IErrorInfo {
 public:
  ErrorInfo(OleStringView source, OleStringView description) : source_(source), description_(description) {}

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** object) override {
    if (!object) return E_POINTER;
    if (SameGuid(riid, IID_IUnknown) || SameGuid(riid, IID_IErrorInfo)) {
      AddRef();
      *object = static_cast<IErrorInfo*>(this);
      return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return ++references_; }
  ULONG STDMETHODCALLTYPE Release() override {
    const ULONG left = --references_;
    if (left == 0) delete this;
    return left;
  }

  HRESULT STDMETHODCALLTYPE GetGUID(GUID* guid) override {
    if (!guid) return E_POINTER;
    *guid = IID_NULL;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetSource(BSTR* source) override { return HandOut(source_, source); }
  HRESULT STDMETHODCALLTYPE GetDescription(BSTR* description) override { return HandOut(description_, description); }
  HRESULT STDMETHODCALLTYPE GetHelpFile(BSTR* helpFile) override {
    if (!helpFile) return E_POINTER;
    *helpFile = nullptr;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetHelpContext(DWORD* helpContext) override {
    if (!helpContext) return E_POINTER;
    *helpContext = 0;
    return S_OK;
  }

 private:
  ~ErrorInfo() = default;

  // The caller owns the copy it gets.
  static HRESULT HandOut(const Bstr& text, BSTR* out) {
    if (!out) return E_POINTER;
    *out = SysAllocStringLen(text.Get(), SysStringLen(text.Get()));
    return *out ? S_OK : E_OUTOFMEMORY;
  }

  std::atomic<ULONG> references_{1};
  Bstr source_;
  Bstr description_;
};

// The error information of the calling thread, as the runtime keeps it.
thread_local ComPtr<IErrorInfo> threadErrorInfo;

}  // namespace

ComPtr<IErrorInfo> MakeErrorInfo(OleStringView source, OleStringView description) {
  return ComPtr<IErrorInfo>::Attach(new ErrorInfo(source, description));
}

HRESULT SetErrorInfo(ULONG, IErrorInfo* info) {
  threadErrorInfo = ComPtr<IErrorInfo>::Share(info);
  return S_OK;
}

// Hands the reference over and empties the slot: error information is read once.
HRESULT GetThreadErrorInfo(IErrorInfo** info) {
  if (!info) return E_INVALIDARG;
  *info = threadErrorInfo.Detach();
  return *info ? S_OK : S_FALSE;
}
