#include "platform/windows/error_info.h"

ComPtr<IErrorInfo> MakeErrorInfo(OleStringView source, OleStringView description) {
  // The runtime copies zero-terminated texts.
  OleString sourceText(source);
  OleString descriptionText(description);
  ComPtr<ICreateErrorInfo> creator;
  ComPtr<IErrorInfo> info;
  if (FAILED(CreateErrorInfo(creator.Put())) || FAILED(creator->SetSource(sourceText.data())) ||
      FAILED(creator->SetDescription(descriptionText.data())) ||
      FAILED(creator->QueryInterface(IID_IErrorInfo, info.PutVoid()))) {
    return {};
  }
  return info;
}

HRESULT GetThreadErrorInfo(IErrorInfo** info) {
  if (!info) return E_INVALIDARG;
  return GetErrorInfo(0, info);
}
