#include "platform/linux/variant_source.h"

#include <cstring>

namespace oleaut {
namespace {

using Kind = SourceValue::Kind;

template <class T>
T Load(const void* data) {
  T value;
  std::memcpy(&value, data, sizeof value);
  return value;
}

template <class T>
SourceValue Signed(const void* data) {
  return {.kind = Kind::kSigned, .whole = Load<T>(data)};
}

template <class T>
SourceValue Unsigned(const void* data) {
  return {.kind = Kind::kUnsigned, .natural = Load<T>(data)};
}

SourceValue Real(const void* data) { return {.kind = Kind::kReal, .real = Load<DOUBLE>(data)}; }
SourceValue ShortReal(const void* data) { return {.kind = Kind::kReal, .real = Load<FLOAT>(data), .digits = 7}; }
SourceValue Date(const void* data) { return {.kind = Kind::kDate, .real = Load<DATE>(data)}; }
SourceValue Currency(const void* data) { return {.kind = Kind::kCurrency, .whole = Load<int64_t>(data)}; }
SourceValue Flag(const void* data) { return {.kind = Kind::kFlag, .flag = Load<VARIANT_BOOL>(data) != VARIANT_FALSE}; }

SourceValue Text(const void* data) {
  const BSTR text = Load<BSTR>(data);
  return {.kind = Kind::kText, .text = text ? OleStringView(text, SysStringLen(text)) : OleStringView()};
}

// How the value of each type that holds one is read from where it lies.
struct TypeReader {
  VARTYPE type;
  SourceValue (*read)(const void* data);
};
constexpr TypeReader kReaders[] = {
    {VT_I1, Signed<int8_t>},
    {VT_I2, Signed<SHORT>},
    {VT_I4, Signed<LONG>},
    {VT_INT, Signed<LONG>},
    {VT_I8, Signed<LONGLONG>},
    {VT_UI1, Unsigned<BYTE>},
    {VT_UI2, Unsigned<USHORT>},
    {VT_UI4, Unsigned<ULONG>},
    {VT_UINT, Unsigned<ULONG>},
    {VT_UI8, Unsigned<ULONGLONG>},
    {VT_R4, ShortReal},
    {VT_R8, Real},
    {VT_DATE, Date},
    {VT_CY, Currency},
    {VT_BOOL, Flag},
    {VT_BSTR, Text},
};

HRESULT ValueAt(VARTYPE type, const void* data, SourceValue& out) {
  for (const TypeReader& reader : kReaders) {
    if (reader.type == type) {
      out = reader.read(data);
      return S_OK;
    }
  }
  return DISP_E_TYPEMISMATCH;  // null, error, interfaces, arrays: no value to convert
}

}  // namespace

HRESULT ReadSource(const VARIANT& variant, SourceValue& out) {
  const VARIANT* v = &variant;
  if (v->vt == (VT_VARIANT | VT_BYREF)) {
    v = v->pvarVal;
    if (!v || v->vt == (VT_VARIANT | VT_BYREF)) return DISP_E_TYPEMISMATCH;
  }
  if (v->vt == VT_EMPTY) {
    out = {};
    return S_OK;
  }
  // Every union member starts at the same address, so one pointer serves
  // for a value held in place and for one held by reference.
  const bool byReference = (v->vt & VT_BYREF) != 0;
  const void* data = byReference ? v->byref : static_cast<const void*>(&v->llVal);
  if (!data) return DISP_E_TYPEMISMATCH;
  return ValueAt(static_cast<VARTYPE>(v->vt & ~VT_BYREF), data, out);
}

}  // namespace oleaut
