#include "simulator/variant_value.h"

#include "platform/bstr.h"
#include "platform/codepage.h"
#include "platform/variant.h"
#include "simulator/utf8.h"

namespace {

VARIANT Unfollowable() {
  VARIANT view;
  VariantInit(&view);
  view.vt = VT_ERROR;
  view.scode = DISP_E_TYPEMISMATCH;
  return view;
}

std::string TextOf(const VARIANT& view) {
  if (view.vt == VT_BSTR) return Utf16ToUtf8(BstrView(view.bstrVal));
  return AnsiToUtf8(VariantToAnsi(view));
}

}  // namespace

VARIANT ValueView(const VARIANT& given) {
  if (!(given.vt & VT_BYREF)) return given;
  if (!given.byref) return Unfollowable();
  VARIANT view;
  VariantInit(&view);
  view.vt = given.vt & ~VT_BYREF;
  switch (view.vt) {
    case VT_VARIANT:
      return ValueView(*given.pvarVal);
    case VT_I1:
    case VT_UI1:
      view.bVal = *given.pbVal;
      break;
    case VT_I2:
    case VT_UI2:
    case VT_BOOL:
      view.iVal = *given.piVal;
      break;
    case VT_I4:
    case VT_UI4:
    case VT_INT:
    case VT_UINT:
    case VT_R4:
    case VT_ERROR:
      view.lVal = *given.plVal;
      break;
    case VT_I8:
    case VT_UI8:
    case VT_R8:
    case VT_DATE:
    case VT_CY:
      view.llVal = *given.pllVal;
      break;
    case VT_BSTR:
      view.bstrVal = *given.pbstrVal;
      break;
    default:
      return Unfollowable();
  }
  return view;
}

RegisterValue GivenValue(const VARIANT& view) {
  switch (view.vt) {
    case VT_EMPTY:
      return {};
    case VT_BOOL:
      return view.boolVal != VARIANT_FALSE;
    case VT_BSTR:
      return Utf16ToUtf8(BstrView(view.bstrVal));
    case VT_R4:
      return static_cast<double>(view.fltVal);
    case VT_R8:
    case VT_DATE:
      return view.dblVal;
    case VT_I1:
      return static_cast<long long>(view.cVal);
    case VT_UI1:
      return static_cast<long long>(view.bVal);
    case VT_I2:
      return static_cast<long long>(view.iVal);
    case VT_UI2:
      return static_cast<long long>(view.uiVal);
    case VT_I4:
    case VT_INT:
      return static_cast<long long>(view.lVal);
    case VT_UI4:
    case VT_UINT:
      return static_cast<long long>(view.ulVal);
    case VT_I8:
      return static_cast<long long>(view.llVal);
    default:
      return "<VARTYPE " + std::to_string(view.vt) + ">";
  }
}

RegisterValue MemberValue(const VARIANT& view, ValueType type) {
  switch (type) {
    case ValueType::Integer:
      return static_cast<long long>(VariantToInt(view));
    case ValueType::Float:
      return VariantToDouble(view);
    case ValueType::Boolean:
      return VariantToBool(view);
    case ValueType::Text:
      return TextOf(view);
    case ValueType::IntegerOrText:
      if (view.vt == VT_BSTR) return TextOf(view);
      return static_cast<long long>(VariantToInt(view));
  }
  return {};
}

void ToVariant(const RegisterValue& value, VARIANT* out) {
  VariantInit(out);
  if (const auto* number = std::get_if<long long>(&value)) {
    out->vt = VT_I4;
    out->lVal = static_cast<LONG>(*number);
  } else if (const auto* real = std::get_if<double>(&value)) {
    out->vt = VT_R8;
    out->dblVal = *real;
  } else if (const auto* flag = std::get_if<bool>(&value)) {
    out->vt = VT_BOOL;
    out->boolVal = *flag ? VARIANT_TRUE : VARIANT_FALSE;
  } else if (const auto* text = std::get_if<std::string>(&value)) {
    out->vt = VT_BSTR;
    out->bstrVal = Bstr(Utf8ToUtf16(*text)).Detach();
  }
}
