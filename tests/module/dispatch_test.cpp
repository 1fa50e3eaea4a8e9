// The interface boundary: calls by name through IDispatch, argument
// conversion, failure statuses and their messages, null out pointers and
// numbers that are not finite.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "contract/operations.h"
#include "platform/bstr.h"
#include "platform/codepage.h"
#include "platform/excep_info.h"
#include "tests/support/host_module.h"
#include "tests/support/temp_dir.h"

namespace {

class Dispatch : public ::testing::Test {
 protected:
  IsolatedConfig config;
  HostModule module{"Selvane.xhw"};
  HostDevice device{module.CreateDevice()};

  DISPID IdOf(const OLECHAR* name) {
    OleString text(name);
    LPOLESTR names[] = {text.data()};
    DISPID id = 0;
    EXPECT_EQ(S_OK, device->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id));
    return id;
  }

  HRESULT InvokeRaw(DISPID id, std::vector<VARIANT> reversedArgs, Variant* result, UINT* argErr = nullptr,
                    EXCEPINFO* info = nullptr) {
    DISPPARAMS params{reversedArgs.data(), nullptr, static_cast<UINT>(reversedArgs.size()), 0};
    UINT ignoredArg = 0;
    return device->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD | DISPATCH_PROPERTYGET, &params,
                          result ? result->Get() : nullptr, info, argErr ? argErr : &ignoredArg);
  }
};

TEST_F(Dispatch, EveryOperationHasItsSlotNumberAsIdWhateverTheCase) {
  for (const Operation& op : Operations()) {
    OleString name = AnsiToUtf16(op.name);
    OleString lower;
    for (auto c : name) lower.push_back(c >= u'A' && c <= u'Z' ? c - u'A' + u'a' : c);
    LPOLESTR names[] = {lower.data()};
    DISPID id = 0;
    EXPECT_EQ(S_OK, device->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id)) << op.name;
    EXPECT_EQ(op.id, id) << op.name;
  }
  EXPECT_EQ(42u, Operations().size());
  EXPECT_EQ(1, IdOf(OLESTR("GetDeviceStatus")));
  EXPECT_EQ(25, IdOf(OLESTR("CloseReceipt")));
  EXPECT_EQ(42, IdOf(OLESTR("SetTaxSystem")));
}

TEST_F(Dispatch, UnknownNamesAndIdsAreRefused) {
  OleString name(OLESTR("PrintCheque"));
  LPOLESTR names[] = {name.data()};
  DISPID id = 0;
  EXPECT_EQ(DISP_E_UNKNOWNNAME, device->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id));
  EXPECT_EQ(DISPID_UNKNOWN, id);
  EXPECT_EQ(DISP_E_MEMBERNOTFOUND, InvokeRaw(43, {}, nullptr));
  EXPECT_EQ(DISP_E_MEMBERNOTFOUND, InvokeRaw(0, {}, nullptr));
}

TEST_F(Dispatch, ArgumentsArriveReversedAndConverted) {
  // SetTaxSystem(Code): the integer may come as a short, a double or a text.
  Variant asShort;
  asShort.Get()->vt = VT_I2;
  asShort.Get()->iVal = 3;
  ASSERT_EQ(S_OK, InvokeRaw(42, {asShort.Ref()}, nullptr));
  EXPECT_EQ(3, device.Int("GetTaxSystem"));

  ASSERT_EQ(S_OK, InvokeRaw(42, {Variant(4.0).Ref()}, nullptr));
  EXPECT_EQ(4, device.Int("GetTaxSystem"));

  Variant text = Variant::Text("12");
  ASSERT_EQ(S_OK, InvokeRaw(42, {text.Ref()}, nullptr));
  EXPECT_EQ(12, device.Int("GetTaxSystem"));

  LONG referenced = 5;
  VARIANT byRef{};
  byRef.vt = VT_I4 | VT_BYREF;
  byRef.plVal = &referenced;
  ASSERT_EQ(S_OK, InvokeRaw(42, {byRef}, nullptr));
  EXPECT_EQ(5, device.Int("GetTaxSystem"));

  // SetParamValue(Index, Value): the last argument comes first.
  Variant name = Variant::Text(Ansi("Магазин"));
  ASSERT_EQ(S_OK, InvokeRaw(8, {name.Ref(), Variant(LONG{1}).Ref()}, nullptr));
  EXPECT_EQ("Магазин", device.Text("GetParamValue", {1}));

  Variant out;
  ASSERT_EQ(S_OK, InvokeRaw(19, {}, &out));
  EXPECT_EQ(VT_BSTR, out.Type());
  EXPECT_EQ("Sorvin_emulator", out.ToAnsi());
}

TEST_F(Dispatch, WrongArgumentsAreRefusedBeforeTheCall) {
  EXPECT_EQ(DISP_E_BADPARAMCOUNT, InvokeRaw(42, {}, nullptr));
  EXPECT_EQ(DISP_E_BADPARAMCOUNT, InvokeRaw(19, {Variant(LONG{1}).Ref()}, nullptr));

  device.Call("SetTaxSystem", {2});
  Variant junk = Variant::Text("двенадцать");
  UINT argErr = 99;
  // Payment(Sum, Kind): Kind is the first of the reversed arguments.
  EXPECT_EQ(DISP_E_TYPEMISMATCH, InvokeRaw(23, {junk.Ref(), Variant(10.0).Ref()}, nullptr, &argErr));
  EXPECT_EQ(0u, argErr);
  EXPECT_EQ(DISP_E_TYPEMISMATCH, InvokeRaw(42, {junk.Ref()}, nullptr, &argErr));
  EXPECT_EQ(2, device.Int("GetTaxSystem"));

  DISPPARAMS named{nullptr, nullptr, 0, 1};
  EXPECT_EQ(DISP_E_NONAMEDARGS, device->Invoke(19, IID_NULL, 0, DISPATCH_METHOD, &named, nullptr, nullptr, nullptr));
}

TEST_F(Dispatch, AFailureInsideTheOperationComesBackWithItsMessage) {
  Variant nan(std::numeric_limits<double>::quiet_NaN());
  ExceptionInfo info;
  EXPECT_EQ(DISP_E_EXCEPTION, InvokeRaw(9, {nan.Ref()}, nullptr, nullptr, info.Put()));
  EXPECT_EQ(E_INVALIDARG, info.Get().scode);
  EXPECT_EQ("Selvane", AnsiToUtf8(BstrToAnsi(info.Get().bstrSource)));
  EXPECT_NE("", AnsiToUtf8(BstrToAnsi(info.Get().bstrDescription)));
}

TEST_F(Dispatch, NumbersThatAreNotFiniteChangeNothing) {
  device.Call("Connect");
  const double kBad[] = {std::numeric_limits<double>::quiet_NaN(), std::numeric_limits<double>::infinity(),
                         -std::numeric_limits<double>::infinity()};
  for (double bad : kBad) {
    Variant out;
    EXPECT_EQ(E_INVALIDARG, device.TryCall("CashIn", {bad}, &out));
    EXPECT_NE("", module.LastErrorMessage());
    EXPECT_EQ(E_INVALIDARG, device.TryCall("SaleItem", {1, "Хлеб", 1.0, bad, 0, 0, 0}, &out));
    EXPECT_EQ(E_INVALIDARG, device.TryCall("SaleItemExt", {1, "Хлеб", 1.0, 2.0, 0, 0, 0, bad}, &out));
    EXPECT_EQ(E_INVALIDARG, device.TryCall("Payment", {bad, 0}, &out));
  }
  // The drawer never saw them: a withdrawal of one kopeck is still refused.
  EXPECT_EQ(7, device.Int("CashOut", {0.01}));
}

TEST_F(Dispatch, NullOutPointersAreRefusedNotFollowed) {
  EXPECT_EQ(E_POINTER, device->GetResultCode(nullptr));
  EXPECT_EQ(E_POINTER, device->GetResultText(nullptr));
  EXPECT_EQ(E_POINTER, device->GetParamValue(0, nullptr));
  EXPECT_EQ(E_POINTER, device->GetLastDocSum(nullptr));
  EXPECT_NE("", module.LastErrorMessage());
  // The object stays usable.
  EXPECT_EQ("Sorvin_emulator", device.Text("GetSerialNumber"));
}

TEST_F(Dispatch, OutValuesAreSetEmptyOnEntry) {
  BSTR text = SysAllocString(OLESTR("stale"));
  BSTR kept = text;
  ASSERT_EQ(S_OK, device->GetCustomerContact(&text));
  EXPECT_EQ(0u, SysStringLen(text));
  SysFreeString(text);
  SysFreeString(kept);

  VARIANT value;
  value.vt = VT_I4;
  value.lVal = 77;
  ASSERT_EQ(S_OK, device->GetParamValue(9, &value));
  EXPECT_EQ(VT_EMPTY, value.vt);
}

}  // namespace
