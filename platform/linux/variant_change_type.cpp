// VariantChangeType where the system has no runtime to do it: the value is
// read out of the source, converted, and only then put in the destination,
// which may be the source itself.
#include <cstdint>
#include <limits>
#include <new>

#include "platform/com.h"
#include "platform/linux/variant_conversions.h"
#include "platform/linux/variant_source.h"

namespace {

using oleaut::SourceValue;

template <class Whole>
HRESULT ToWhole(const SourceValue& s, Whole& out) {
  int64_t value = 0;
  HRESULT hr = oleaut::ToInteger(s, std::numeric_limits<Whole>::min(), std::numeric_limits<Whole>::max(), value);
  out = static_cast<Whole>(value);
  return hr;
}

HRESULT ToVariantBool(const SourceValue& s, VARIANT_BOOL& out) {
  bool flag = false;
  HRESULT hr = oleaut::ToFlag(s, flag);
  out = flag ? VARIANT_TRUE : VARIANT_FALSE;
  return hr;
}

HRESULT ToBstr(const SourceValue& s, BSTR& out) {
  OleString text;
  if (HRESULT hr = oleaut::ToText(s, text); FAILED(hr)) return hr;
  out = SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
  return out ? S_OK : E_OUTOFMEMORY;
}

HRESULT ConvertValue(const SourceValue& s, VARTYPE type, VARIANT& result) {
  switch (type) {
    case VT_I2:
      return ToWhole(s, result.iVal);
    case VT_I4:
      return ToWhole(s, result.lVal);
    case VT_R8:
      return oleaut::ToReal(s, result.dblVal);
    case VT_DATE:
      return oleaut::ToDate(s, result.date);
    case VT_BOOL:
      return ToVariantBool(s, result.boolVal);
    case VT_BSTR:
      return ToBstr(s, result.bstrVal);
    default:
      return DISP_E_BADVARTYPE;
  }
}

// Builds the converted value in `result` (empty on entry).
HRESULT Convert(const VARIANT& source, VARTYPE type, VARIANT& result) {
  if (source.vt == type) return VariantCopy(&result, &source);
  if (type == VT_EMPTY) return S_OK;
  SourceValue s;
  if (HRESULT hr = oleaut::ReadSource(source, s); FAILED(hr)) return hr;
  HRESULT hr = ConvertValue(s, type, result);
  if (SUCCEEDED(hr)) result.vt = type;
  return hr;
}

}  // namespace

HRESULT VariantChangeType(VARIANTARG* destination, const VARIANTARG* source, USHORT, VARTYPE type) {
  if (!destination || !source) return E_INVALIDARG;
  VARIANT result;
  VariantInit(&result);
  HRESULT hr;
  try {
    hr = Convert(*source, type, result);
  } catch (const std::bad_alloc&) {
    hr = E_OUTOFMEMORY;
  }
  // The source is fully read by now, so clearing the destination is safe
  // even when it is the source itself.
  if (SUCCEEDED(hr)) hr = VariantClear(destination);
  if (FAILED(hr)) {
    VariantClear(&result);
    return hr;
  }
  *destination = result;
  return S_OK;
}
