#include "module/dispatch.h"

#include <array>

#include "contract/operations.h"
#include "module/module_identity.h"
#include "platform/bstr.h"
#include "platform/com_ptr.h"

namespace {

// The failure the operation left in the thread's error information, moved
// into the caller's EXCEPINFO.
void FillExceptionInfo(EXCEPINFO* excepInfo, HRESULT status) {
  if (!excepInfo) return;
  *excepInfo = EXCEPINFO{};
  excepInfo->scode = status;
  ComPtr<IErrorInfo> info;
  if (GetThreadErrorInfo(info.Put()) == S_OK && info) {
    info->GetSource(&excepInfo->bstrSource);
    info->GetDescription(&excepInfo->bstrDescription);
  } else {
    excepInfo->bstrSource = AnsiToBstr(ThisModule().libraryName).Detach();
  }
}

}  // namespace

HRESULT GetOperationIds(LPOLESTR* names, UINT count, DISPID* ids) {
  if (count == 0) return S_OK;
  if (!names || !ids) return E_POINTER;
  // Only the operation's own name is known; names of its parameters are not.
  for (UINT i = 0; i < count; ++i) ids[i] = DISPID_UNKNOWN;
  // Names come as plain zero-terminated strings, not BSTRs.
  const Operation* op = names[0] ? FindOperation(OleStringView(names[0])) : nullptr;
  if (!op) return DISP_E_UNKNOWNNAME;
  ids[0] = op->id;
  return count == 1 ? S_OK : DISP_E_UNKNOWNNAME;
}

HRESULT InvokeOperation(IFiscalDevice& device, DISPID id, WORD flags, DISPPARAMS* params, VARIANT* result,
                        EXCEPINFO* excepInfo, UINT* argErr) {
  const Operation* op = FindOperation(id);
  if (!op) return DISP_E_MEMBERNOTFOUND;
  if (!(flags & (DISPATCH_METHOD | DISPATCH_PROPERTYGET))) return DISP_E_MEMBERNOTFOUND;
  const UINT given = params ? params->cArgs : 0;
  if (params && params->cNamedArgs != 0) return DISP_E_NONAMEDARGS;
  if (given != op->arguments.size()) return DISP_E_BADPARAMCOUNT;
  if (given != 0 && !params->rgvarg) return E_POINTER;

  // The caller passes the arguments last first; the table wants call order.
  std::array<VARIANT, kMostOperationArguments> inOrder{};
  for (UINT i = 0; i < given; ++i) inOrder[i] = params->rgvarg[given - 1 - i];

  if (result) VariantInit(result);
  constexpr UINT kAllConverted = ~0u;
  UINT badArgument = kAllConverted;
  HRESULT hr = op->call(device, inOrder.data(), result, badArgument);
  if (badArgument != kAllConverted) {
    if (argErr) *argErr = given - 1 - badArgument;
    return hr;
  }
  if (FAILED(hr)) {
    FillExceptionInfo(excepInfo, hr);
    return DISP_E_EXCEPTION;
  }
  return S_OK;
}
