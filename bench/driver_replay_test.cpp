// The replay hands the driver what the adapter handed it: the same member,
// access flags, named argument and value, by reference where it went so.
#include "bench/driver_replay.h"

#include <gtest/gtest.h>

#include <map>
#include <stdexcept>
#include <string>
#include <vector>

#include "platform/ansi.h"
#include "platform/codepage.h"

namespace {

struct Received {
  DISPID id;
  WORD flags;
  UINT arguments;
  UINT named;
  DISPID firstNamed;
  VARTYPE given;  // the argument's own type, VT_BYREF included
  Variant value;  // what it holds, a reference followed
};

// An automation object that keeps every Invoke it receives.
class RecordingDriver final : public IDispatch {
 public:
  std::vector<Received> received;
  DISPID failing = DISPID_UNKNOWN;

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID, void** object) override {
    *object = nullptr;
    return E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return 1; }
  ULONG STDMETHODCALLTYPE Release() override { return 1; }
  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
    *count = 0;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR* names, UINT, LCID, DISPID* ids) override {
    auto known = kIds.find(Utf16ToAnsi(OleStringView(names[0])));
    if (known == kIds.end()) return DISP_E_UNKNOWNNAME;
    *ids = known->second;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS* params, VARIANT*, EXCEPINFO*,
                                   UINT*) override {
    Received call{id, flags, params->cArgs, params->cNamedArgs, DISPID_UNKNOWN, VT_EMPTY, Variant()};
    if (params->cNamedArgs > 0) call.firstNamed = params->rgdispidNamedArgs[0];
    if (params->cArgs > 0) {
      const VARIANT& given = params->rgvarg[0];
      call.given = given.vt;
      call.value = Variant::Copy(given.vt == (VT_BYREF | VT_VARIANT) ? *given.pvarVal : given);
    }
    received.push_back(std::move(call));
    return id == failing ? E_FAIL : S_OK;
  }

 private:
  const std::map<std::string, DISPID> kIds{{"CheckState", 4}, {"OpenCheck", 53}, {"Price", 37},
                                           {"Name", 39},      {"Mode", 23},      {"Quantity", 38}};
};

TEST(DriverReplay, PassesEachAccessAsRecorded) {
  RecordingDriver driver;
  DriverReplay replay(driver, {{AccessKind::Get, "CheckState", "0"},
                               {AccessKind::Call, "OpenCheck", "0"},
                               {AccessKind::Put, "Price", "10", true},
                               {AccessKind::Put, "Name", "\"Хлеб\""},
                               {AccessKind::Put, "Mode", "1"}});
  ASSERT_TRUE(replay.Run());
  ASSERT_EQ(5u, driver.received.size());

  const Received& get = driver.received[0];
  EXPECT_EQ(4, get.id);
  EXPECT_EQ(DISPATCH_METHOD | DISPATCH_PROPERTYGET, get.flags);
  EXPECT_EQ(0u, get.arguments);
  EXPECT_EQ(DISPATCH_METHOD, driver.received[1].flags);

  const Received& price = driver.received[2];
  EXPECT_EQ(DISPATCH_PROPERTYPUT, price.flags);
  EXPECT_EQ(1u, price.arguments);
  EXPECT_EQ(1u, price.named);
  EXPECT_EQ(DISPID_PROPERTYPUT, price.firstNamed);
  EXPECT_EQ(VT_BYREF | VT_VARIANT, price.given);
  EXPECT_EQ(VT_R8, price.value.Type());
  EXPECT_EQ(10.0, price.value.ToDouble());

  EXPECT_EQ(VT_BSTR, driver.received[3].given);
  EXPECT_EQ("Хлеб"_ansi, driver.received[3].value.ToAnsi());
  EXPECT_EQ(VT_I4, driver.received[4].given);
}

TEST(DriverReplay, ArgumentsStayValidOverManyAccessesAndRuns) {
  // Every step's argument points into the step itself: enough steps to move
  // a growing list, replayed twice, must still hand over the right values.
  std::vector<DriverAccess> accesses;
  for (int i = 0; i < 100; ++i) accesses.push_back({AccessKind::Put, "Quantity", std::to_string(i) + ".5", true});
  RecordingDriver driver;
  DriverReplay replay(driver, accesses);
  ASSERT_TRUE(replay.Run());
  ASSERT_TRUE(replay.Run());
  ASSERT_EQ(200u, driver.received.size());
  for (int i = 0; i < 200; ++i) EXPECT_EQ(i % 100 + 0.5, driver.received[i].value.ToDouble()) << i;
}

TEST(DriverReplay, StopsAtTheFirstFailureAndRefusesUnknownMembers) {
  RecordingDriver driver;
  driver.failing = 53;
  DriverReplay replay(driver, {{AccessKind::Call, "OpenCheck", "0"}, {AccessKind::Put, "Mode", "1"}});
  EXPECT_FALSE(replay.Run());
  EXPECT_EQ(1u, driver.received.size());

  EXPECT_THROW(DriverReplay(driver, {{AccessKind::Get, "NoSuchMember", "0"}}), std::runtime_error);
}

}  // namespace
