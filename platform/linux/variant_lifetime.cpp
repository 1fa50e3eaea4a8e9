// What a variant owns, and so what clearing and copying it involve, where
// the system has no runtime to do it.
#include <algorithm>
#include <cstring>

#include "platform/com.h"

namespace {

enum class Ownership { kNothing, kString, kInterface, kUnknownType };

// The types whose value lies in the variant itself, owning nothing.
bool HoldsPlainValue(VARTYPE type) {
  static constexpr VARTYPE kPlain[] = {VT_EMPTY, VT_NULL, VT_I1,   VT_I2,    VT_I4,     VT_I8, VT_INT,
                                       VT_UI1,   VT_UI2,  VT_UI4,  VT_UI8,   VT_UINT,   VT_R4, VT_R8,
                                       VT_CY,    VT_DATE, VT_BOOL, VT_ERROR, VT_DECIMAL};
  return std::find(std::begin(kPlain), std::end(kPlain), type) != std::end(kPlain);
}

Ownership OwnershipOf(VARTYPE type) {
  if (type & VT_BYREF) return Ownership::kNothing;  // the referenced value stays the caller's
  if (type == VT_BSTR) return Ownership::kString;
  if (type == VT_DISPATCH || type == VT_UNKNOWN) return Ownership::kInterface;
  return HoldsPlainValue(type) ? Ownership::kNothing : Ownership::kUnknownType;
}

// The source's own share of what it owns: a copy of its text, one more
// reference to its interface.
HRESULT TakeShare(VARIANT& copy) {
  switch (OwnershipOf(copy.vt)) {
    case Ownership::kUnknownType:
      return DISP_E_BADVARTYPE;
    case Ownership::kString:
      if (copy.bstrVal) {
        copy.bstrVal = SysAllocStringLen(copy.bstrVal, SysStringLen(copy.bstrVal));
        if (!copy.bstrVal) return E_OUTOFMEMORY;
      }
      break;
    case Ownership::kInterface:
      if (copy.punkVal) copy.punkVal->AddRef();
      break;
    case Ownership::kNothing:
      break;
  }
  return S_OK;
}

}  // namespace

void VariantInit(VARIANTARG* value) { std::memset(value, 0, sizeof *value); }

HRESULT VariantClear(VARIANTARG* value) {
  if (!value) return E_INVALIDARG;
  switch (OwnershipOf(value->vt)) {
    case Ownership::kUnknownType:
      return DISP_E_BADVARTYPE;
    case Ownership::kString:
      SysFreeString(value->bstrVal);
      break;
    case Ownership::kInterface:
      if (value->punkVal) value->punkVal->Release();
      break;
    case Ownership::kNothing:
      break;
  }
  VariantInit(value);
  return S_OK;
}

HRESULT VariantCopy(VARIANTARG* destination, const VARIANTARG* source) {
  if (!destination || !source) return E_INVALIDARG;
  if (destination == source) return S_OK;
  VARIANT copy = *source;
  if (HRESULT hr = TakeShare(copy); FAILED(hr)) return hr;
  if (HRESULT hr = VariantClear(destination); FAILED(hr)) {
    VariantClear(&copy);
    return hr;
  }
  *destination = copy;
  return S_OK;
}
