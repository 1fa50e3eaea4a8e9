#include "platform/variant.h"

#include <utility>

#include "platform/bstr.h"
#include "platform/error.h"

namespace {

// The value converted by the platform's own rules.
Variant Converted(const VARIANT& value, VARTYPE type) {
  Variant result;
  if (HRESULT hr = VariantChangeType(result.Get(), &value, 0, type); FAILED(hr)) throw ComError(hr, StatusMessage(hr));
  return result;
}

}  // namespace

Variant::Variant(LONG number) : Variant() {
  value_.vt = VT_I4;
  value_.lVal = number;
}

Variant::Variant(double number) : Variant() {
  value_.vt = VT_R8;
  value_.dblVal = number;
}

Variant::Variant(bool flag) : Variant() {
  value_.vt = VT_BOOL;
  value_.boolVal = flag ? VARIANT_TRUE : VARIANT_FALSE;
}

Variant Variant::Text(std::string_view ansi) {
  Variant text;
  text.value_.bstrVal = AnsiToBstr(ansi).Detach();
  text.value_.vt = VT_BSTR;
  return text;
}

Variant Variant::Copy(const VARIANT& source) {
  Variant copy;
  if (HRESULT hr = VariantCopy(&copy.value_, &source); FAILED(hr)) throw ComError(hr, StatusMessage(hr));
  return copy;
}

Variant Variant::Attach(VARIANT& raw) {
  Variant owner;
  owner.value_ = raw;
  VariantInit(&raw);  // the value has one owner now
  return owner;
}

Variant::Variant(Variant&& other) noexcept : value_(other.value_) { VariantInit(&other.value_); }

Variant& Variant::operator=(Variant&& other) noexcept {
  std::swap(value_, other.value_);
  return *this;
}

void Variant::DetachTo(VARIANT* out) {
  VariantClear(out);
  *out = value_;
  VariantInit(&value_);
}

LONG Variant::ToInt() const { return VariantToInt(value_); }
double Variant::ToDouble() const { return VariantToDouble(value_); }
bool Variant::ToBool() const { return VariantToBool(value_); }
std::string Variant::ToAnsi() const { return VariantToAnsi(value_); }
OleString Variant::ToUtf16() const { return VariantToUtf16(value_); }

LONG VariantToInt(const VARIANT& value) { return Converted(value, VT_I4).Ref().lVal; }

double VariantToDouble(const VARIANT& value) { return Converted(value, VT_R8).Ref().dblVal; }

bool VariantToBool(const VARIANT& value) { return Converted(value, VT_BOOL).Ref().boolVal != VARIANT_FALSE; }

std::string VariantToAnsi(const VARIANT& value) { return BstrToAnsi(Converted(value, VT_BSTR).Ref().bstrVal); }

OleString VariantToUtf16(const VARIANT& value) { return OleString(BstrView(Converted(value, VT_BSTR).Ref().bstrVal)); }
