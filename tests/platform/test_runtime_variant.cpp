#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "platform/bstr.h"
#include "platform/error.h"
#include "platform/variant.h"

namespace {

VARIANT Real(double value) {
  VARIANT v;
  VariantInit(&v);
  v.vt = VT_R8;
  v.dblVal = value;
  return v;
}

// Converts and hands back the status; the result is left in `out`.
HRESULT Change(const VARIANT& source, VARTYPE type, Variant& out) {
  return VariantChangeType(out.Get(), &source, 0, type);
}

LONG ToI4(const VARIANT& source) {
  Variant out;
  EXPECT_EQ(Change(source, VT_I4, out), S_OK);
  return out.Ref().lVal;
}

OleString ToText(const VARIANT& source) {
  Variant out;
  EXPECT_EQ(Change(source, VT_BSTR, out), S_OK);
  return OleString(BstrView(out.Ref().bstrVal));
}

HRESULT StatusOf(const VARIANT& source, VARTYPE type) {
  Variant out;
  return Change(source, type, out);
}

TEST(VariantChangeType, RoundsHalfWayToEven) {
  EXPECT_EQ(ToI4(Real(2.5)), 2);
  EXPECT_EQ(ToI4(Real(3.5)), 4);
  EXPECT_EQ(ToI4(Real(-2.5)), -2);
  EXPECT_EQ(ToI4(Real(2.5000001)), 3);
  EXPECT_EQ(ToI4(Real(-0.4)), 0);
  EXPECT_EQ(ToI4(Variant::Text("2,5").Ref()), 2);
  EXPECT_EQ(ToI4(Variant::Text(" 12 ").Ref()), 12);
  VARIANT cy;
  VariantInit(&cy);
  cy.vt = VT_CY;
  cy.cyVal.int64 = 35000;  // 3.5
  EXPECT_EQ(ToI4(cy), 4);
  cy.cyVal.int64 = -25000;
  EXPECT_EQ(ToI4(cy), -2);
}

TEST(VariantChangeType, ReportsValuesOutOfRange) {
  EXPECT_EQ(StatusOf(Real(2147483647.5), VT_I4), DISP_E_OVERFLOW);  // rounds up past the maximum
  EXPECT_EQ(ToI4(Real(-2147483648.4)), std::numeric_limits<LONG>::min());
  EXPECT_EQ(StatusOf(Real(std::nan("")), VT_I4), DISP_E_OVERFLOW);
  EXPECT_EQ(StatusOf(Real(INFINITY), VT_I4), DISP_E_OVERFLOW);
  EXPECT_EQ(StatusOf(Variant(LONG{40000}).Ref(), VT_I2), DISP_E_OVERFLOW);
  VARIANT big;
  VariantInit(&big);
  big.vt = VT_UI4;
  big.ulVal = 0xFFFFFFFF;
  EXPECT_EQ(StatusOf(big, VT_I4), DISP_E_OVERFLOW);
  EXPECT_EQ(StatusOf(Variant::Text("1e400").Ref(), VT_R8), DISP_E_OVERFLOW);
  EXPECT_EQ(StatusOf(Real(1e7), VT_DATE), DISP_E_OVERFLOW);
  EXPECT_DOUBLE_EQ(VariantToDouble(Variant::Text("1e-400").Ref()), 0.0);  // too small is zero, not an error
}

TEST(VariantChangeType, ParsesNumbersInEitherNotation) {
  EXPECT_DOUBLE_EQ(VariantToDouble(Variant::Text(" 12,5 ").Ref()), 12.5);
  EXPECT_DOUBLE_EQ(VariantToDouble(Variant::Text("-1.5E3").Ref()), -1500);
  EXPECT_DOUBLE_EQ(VariantToDouble(Variant::Text("+.25").Ref()), 0.25);
  EXPECT_DOUBLE_EQ(VariantToDouble(Variant::Text("7.").Ref()), 7);
  for (const char* text : {"", " ", "12a", "1 2", "1.2.3", "e5", "1e", "--1", ".", "0x10", "1,5,", "inf"}) {
    EXPECT_EQ(StatusOf(Variant::Text(text).Ref(), VT_R8), DISP_E_TYPEMISMATCH) << '"' << text << '"';
  }
}

TEST(VariantChangeType, BooleansAsNumbersAndWords) {
  EXPECT_TRUE(VariantToBool(Variant::Text("TRUE").Ref()));
  EXPECT_FALSE(VariantToBool(Variant::Text(" False ").Ref()));
  EXPECT_TRUE(VariantToBool(Variant::Text("2").Ref()));
  EXPECT_FALSE(VariantToBool(Variant::Text("0,0").Ref()));
  EXPECT_EQ(StatusOf(Variant::Text("yes").Ref(), VT_BOOL), DISP_E_TYPEMISMATCH);
  EXPECT_EQ(ToText(Variant(true).Ref()), u"True");
  EXPECT_EQ(ToText(Variant(false).Ref()), u"False");
  EXPECT_EQ(ToI4(Variant(true).Ref()), -1);
  EXPECT_DOUBLE_EQ(VariantToDouble(Variant(true).Ref()), -1.0);
}

TEST(VariantChangeType, EmptyIsZeroAndNullIsNothing) {
  Variant empty;
  EXPECT_EQ(ToI4(empty.Ref()), 0);
  EXPECT_FALSE(VariantToBool(empty.Ref()));
  Variant text;
  ASSERT_EQ(Change(empty.Ref(), VT_BSTR, text), S_OK);
  EXPECT_NE(text.Ref().bstrVal, nullptr);
  EXPECT_EQ(SysStringLen(text.Ref().bstrVal), 0u);

  VARIANT null;
  VariantInit(&null);
  null.vt = VT_NULL;
  for (VARTYPE type : {VT_I4, VT_R8, VT_BOOL, VT_BSTR, VT_I2, VT_DATE})
    EXPECT_EQ(StatusOf(null, type), DISP_E_TYPEMISMATCH);
}

TEST(VariantChangeType, NumbersAsText) {
  EXPECT_EQ(ToText(Real(12.5)), u"12.5");
  EXPECT_EQ(ToText(Real(0.1 + 0.2)), u"0.3");  // at most 15 significant digits
  EXPECT_EQ(ToText(Real(100)), u"100");
  EXPECT_EQ(ToText(Real(-0.001)), u"-0.001");
  EXPECT_EQ(ToText(Real(123456789012345.0)), u"123456789012345");
  EXPECT_EQ(ToText(Real(1e20)), u"1E+20");
  EXPECT_EQ(ToText(Real(-0.0)), u"0");
  EXPECT_EQ(ToText(Variant(LONG{-42}).Ref()), u"-42");
  VARIANT other;
  VariantInit(&other);
  other.vt = VT_R4;
  other.fltVal = 0.1f;
  EXPECT_EQ(ToText(other), u"0.1");
  other.vt = VT_UI8;
  other.ullVal = 18446744073709551615ull;
  EXPECT_EQ(ToText(other), u"18446744073709551615");
  other.vt = VT_CY;
  other.cyVal.int64 = -125000;
  EXPECT_EQ(ToText(other), u"-12.5");
}

TEST(VariantChangeType, DatesAndTheirText) {
  Variant date;
  ASSERT_EQ(Change(Variant::Text("01.02.2024 10:30").Ref(), VT_DATE, date), S_OK);
  EXPECT_DOUBLE_EQ(date.Ref().date, 45323 + 10.5 / 24);
  EXPECT_EQ(ToText(date.Ref()), u"01.02.2024 10:30:00");
  ASSERT_EQ(Change(Variant::Text("2024-02-29").Ref(), VT_DATE, date), S_OK);
  EXPECT_EQ(ToText(date.Ref()), u"29.02.2024");

  VARIANT raw = Real(0.5);
  raw.vt = VT_DATE;
  EXPECT_EQ(ToText(raw), u"12:00:00");
  raw.date = -1.25;  // before day 0 the fraction still counts forward
  EXPECT_EQ(ToText(raw), u"29.12.1899 6:00:00");
  for (const char* text : {"31.02.2024", "2023-02-29", "01.02.2024 24:00", "01.02.202410:00", "10:61", "tomorrow"}) {
    EXPECT_EQ(StatusOf(Variant::Text(text).Ref(), VT_DATE), DISP_E_TYPEMISMATCH) << text;
  }
}

TEST(VariantChangeType, FollowsReferences) {
  LONG number = 42;
  VARIANT ref;
  VariantInit(&ref);
  ref.vt = VT_I4 | VT_BYREF;
  ref.plVal = &number;
  EXPECT_EQ(ToText(ref), u"42");

  Variant text = Variant::Text("7");
  VARIANT outer;
  VariantInit(&outer);
  outer.vt = VT_VARIANT | VT_BYREF;
  outer.pvarVal = text.Get();
  EXPECT_EQ(ToI4(outer), 7);

  BSTR none = nullptr;
  ref.vt = VT_BSTR | VT_BYREF;
  ref.pbstrVal = &none;
  EXPECT_EQ(ToText(ref), u"");

  ref.pbstrVal = nullptr;
  EXPECT_EQ(StatusOf(ref, VT_BSTR), DISP_E_TYPEMISMATCH);
  outer.pvarVal = nullptr;
  EXPECT_EQ(StatusOf(outer, VT_I4), DISP_E_TYPEMISMATCH);
}

TEST(VariantChangeType, InPlaceAndFailureLeaveConsistentValues) {
  Variant value = Variant::Text("15");
  ASSERT_EQ(VariantChangeType(value.Get(), value.Get(), 0, VT_I4), S_OK);
  EXPECT_EQ(value.Type(), VT_I4);
  EXPECT_EQ(value.Ref().lVal, 15);

  Variant kept(LONG{7});
  EXPECT_EQ(VariantChangeType(kept.Get(), Variant::Text("abc").Get(), 0, VT_I4), DISP_E_TYPEMISMATCH);
  EXPECT_EQ(kept.Type(), VT_I4);
  EXPECT_EQ(kept.Ref().lVal, 7);
}

// An object that counts its references.
struct Counted final : IUnknown {
  ULONG references = 1;
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID, void**) override { return E_NOINTERFACE; }
  ULONG STDMETHODCALLTYPE AddRef() override { return ++references; }
  ULONG STDMETHODCALLTYPE Release() override { return --references; }
};

TEST(VariantOwnership, CopyAndClearBalanceReferencesAndStrings) {
  Counted object;
  {
    VARIANT holder;
    VariantInit(&holder);
    holder.vt = VT_UNKNOWN;
    holder.punkVal = &object;
    object.AddRef();
    Variant owner = Variant::Attach(holder);
    EXPECT_EQ(holder.vt, VT_EMPTY);  // the value has moved
    Variant copy = Variant::Copy(owner.Ref());
    EXPECT_EQ(object.references, 3u);
    Variant changed;
    ASSERT_EQ(Change(owner.Ref(), VT_UNKNOWN, changed), S_OK);
    EXPECT_EQ(object.references, 4u);
    EXPECT_EQ(Change(owner.Ref(), VT_I4, changed), DISP_E_TYPEMISMATCH);
  }
  EXPECT_EQ(object.references, 1u);

  Variant text = Variant::Text("abc");
  Variant copy = Variant::Copy(text.Ref());
  EXPECT_NE(copy.Ref().bstrVal, text.Ref().bstrVal);
  EXPECT_EQ(copy.ToAnsi(), "abc");

  LONG number = 5;
  VARIANT ref;
  VariantInit(&ref);
  ref.vt = VT_I4 | VT_BYREF;
  ref.plVal = &number;
  Variant refCopy = Variant::Copy(ref);
  EXPECT_EQ(refCopy.Ref().plVal, &number);  // references are copied as they are

  VARIANT out;
  VariantInit(&out);
  copy.DetachTo(&out);
  EXPECT_EQ(copy.Type(), VT_EMPTY);
  EXPECT_EQ(out.vt, VT_BSTR);
  EXPECT_EQ(VariantClear(&out), S_OK);
  EXPECT_EQ(out.vt, VT_EMPTY);
}

TEST(VariantAccess, FailedConversionsThrowTheStatus) {
  try {
    VariantToInt(Variant::Text("twelve").Ref());
    FAIL() << "no exception";
  } catch (const ComError& e) {
    EXPECT_EQ(e.Status(), DISP_E_TYPEMISMATCH);
    EXPECT_STREQ(e.what(), "Type mismatch.");
  }
  EXPECT_THROW(Variant(1e10).ToInt(), ComError);
  EXPECT_EQ(Variant::Text("\xC8\xF2\xEE\xE3\xEE").ToAnsi(), "\xC8\xF2\xEE\xE3\xEE");  // "Итого"
  EXPECT_EQ(Variant(2.5).ToAnsi(), "2.5");
}

}  // namespace
