#include <gtest/gtest.h>

#include <map>
#include <optional>
#include <string>

#include "platform/ansi.h"
#include "platform/automation.h"
#include "platform/bstr.h"
#include "platform/error.h"

namespace {

// A driver stand-in that records what reaches it. Members: Value (1, a
// property), Beep (2, a method), Fail (3, raises a server exception),
// Broken (4, fails without one).
class FakeDriver : public IDispatch {
 public:
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID, void**) override { return E_NOINTERFACE; }
  ULONG STDMETHODCALLTYPE AddRef() override { return static_cast<ULONG>(++references); }
  ULONG STDMETHODCALLTYPE Release() override { return static_cast<ULONG>(--references); }
  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
    *count = 0;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }

  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID, DISPID* ids) override {
    ++lookups;
    static const std::map<std::u16string, DISPID> kMembers = {
        {u"Value", 1}, {u"Beep", 2}, {u"Fail", 3}, {u"Broken", 4}};
    auto found = count == 1 ? kMembers.find(names[0]) : kMembers.end();
    if (found == kMembers.end()) return DISP_E_UNKNOWNNAME;
    ids[0] = found->second;
    return S_OK;
  }

  HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS* params, VARIANT* result,
                                   EXCEPINFO* info, UINT*) override {
    lastId = id;
    lastFlags = flags;
    lastArgs = params->cArgs;
    lastNamed = params->cNamedArgs == 1 ? std::optional(params->rgdispidNamedArgs[0]) : std::nullopt;
    if (params->cArgs == 1) {
      const VARIANT& arg = params->rgvarg[0];
      byReference = arg.vt == (VT_BYREF | VT_VARIANT);
      const VARIANT& value = byReference ? *arg.pvarVal : arg;
      if (value.vt == VT_I4) stored = value.lVal;
    }
    switch (id) {
      case 1:
        if (flags & DISPATCH_PROPERTYGET) {
          result->vt = VT_I4;
          result->lVal = stored;
        }
        return S_OK;
      case 2:
        return S_OK;
      case 3:
        info->bstrSource = AnsiToBstr("Driver").Detach();
        info->bstrDescription = Bstr(OLESTR("Нет связи с ККМ ✗")).Detach();
        info->scode = static_cast<SCODE>(0x80040203);
        return DISP_E_EXCEPTION;
      default:
        return DISP_E_MEMBERNOTFOUND;
    }
  }

  int references = 0;
  int lookups = 0;
  DISPID lastId = 0;
  WORD lastFlags = 0;
  UINT lastArgs = 0;
  std::optional<DISPID> lastNamed;
  bool byReference = false;
  LONG stored = 7;
};

constexpr std::string_view kMembers[] = {"Value", "Beep"};

class AutomationObjectTest : public ::testing::Test {
 protected:
  FakeDriver driver;
  std::optional<AutomationObject> object{
      AutomationObject(ServerObject{ServerLibrary(), ComPtr<IDispatch>::Share(&driver)}, kMembers)};
};

TEST_F(AutomationObjectTest, GetCallAndPutUseTheDispatchConventions) {
  EXPECT_EQ(object->Get("Value").ToInt(), 7);
  EXPECT_EQ(driver.lastFlags, DISPATCH_METHOD | DISPATCH_PROPERTYGET);
  EXPECT_EQ(driver.lastArgs, 0u);

  object->Call("Beep");
  EXPECT_EQ(driver.lastId, 2);
  EXPECT_EQ(driver.lastFlags, DISPATCH_METHOD);

  object->Put("Value", Variant(LONG{42}));
  EXPECT_EQ(driver.lastFlags, DISPATCH_PROPERTYPUT);
  EXPECT_EQ(driver.lastNamed, DISPID_PROPERTYPUT);
  EXPECT_FALSE(driver.byReference);
  EXPECT_EQ(driver.stored, 42);

  object->Put("Value", Variant(LONG{43}), true);
  EXPECT_TRUE(driver.byReference);
  EXPECT_EQ(driver.stored, 43);
  EXPECT_EQ(object->Get("Value").ToInt(), 43);
}

TEST_F(AutomationObjectTest, LooksUpEachMemberOfTheTableOnce) {
  EXPECT_EQ(object->Get(0).ToInt(), 7);
  object->Put(0, Variant(LONG{1}));
  object->Call(1);
  object->Call(1);
  EXPECT_EQ(driver.lookups, 2);
  EXPECT_EQ(driver.lastId, 2);
  // A name outside the table is looked up every time.
  object->Get("Value");
  EXPECT_EQ(driver.lookups, 3);
}

TEST_F(AutomationObjectTest, FailuresNameTheMemberOrCarryTheServerText) {
  try {
    object->Get("CheckState");
    FAIL();
  } catch (const ComError& error) {
    EXPECT_EQ(error.Status(), DISP_E_UNKNOWNNAME);
    EXPECT_NE(std::string(error.what()).find("CheckState"), std::string::npos) << error.what();
  }
  try {
    object->Call("Fail");
    FAIL();
  } catch (const ComError& error) {
    EXPECT_EQ(error.Status(), static_cast<HRESULT>(0x80040203));
    // The server's text keeps every character; Windows-1251 has no "✗".
    EXPECT_EQ(error.WideMessage(), OLESTR("Нет связи с ККМ ✗"));
    EXPECT_EQ(std::string(error.what()), "Нет связи с ККМ ?"_ansi);
  }
  try {
    object->Put("Broken", Variant(true));
    FAIL();
  } catch (const ComError& error) {
    EXPECT_EQ(error.Status(), DISP_E_MEMBERNOTFOUND);
    EXPECT_NE(std::string(error.what()).find("Broken"), std::string::npos) << error.what();
  }
}

TEST_F(AutomationObjectTest, ReleasesTheObjectOnce) {
  EXPECT_EQ(driver.references, 1);
  object.reset();
  EXPECT_EQ(driver.references, 0);
}

}  // namespace
