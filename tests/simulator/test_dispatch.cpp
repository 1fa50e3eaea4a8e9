// The driver's side of late binding: names and ids, the journal, faults,
// and registration under the driver's ProgID.
#include <filesystem>
#include <optional>

#include "adapter/driver_members.h"
#include "platform/bstr.h"
#include "platform/codepage.h"
#include "platform/error.h"
#include "tests/simulator/simulator_fixture.h"

namespace {

using Lines = std::vector<std::string>;

DISPID IdOf(IDispatch* object, const char16_t* name) {
  OleString text(name);
  LPOLESTR names[] = {text.data()};
  DISPID id = 0;
  EXPECT_EQ(object->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id), S_OK);
  return id;
}

HRESULT RawPut(IDispatch* object, DISPID id, VARIANT& value, UINT* argErr = nullptr) {
  DISPID named = DISPID_PROPERTYPUT;
  DISPPARAMS params{&value, &named, 1, 1};
  UINT ignored = 0;
  return object->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_PROPERTYPUT, &params, nullptr, nullptr,
                        argErr ? argErr : &ignored);
}

// The failure an access raised, as the adapter sees it: status and message (UTF-8).
template <class Access>
std::optional<std::pair<HRESULT, std::string>> Raised(Access&& access) {
  try {
    access();
    return std::nullopt;
  } catch (const ComError& e) {
    return std::make_pair(e.Status(), AnsiToUtf8(e.what()));
  }
}

TEST_F(SimulatorTest, JournalWritesEachAccessInItsExactForm) {
  AutomationObject driver = Create();
  Put(driver, "DeviceEnabled", Variant(true));
  driver.Get("ResultCode");
  Put(driver, "Mode", Long(1));
  driver.Get("SetMode");
  Put(driver, "CheckType", Long(1));
  driver.Call("OpenCheck");
  driver.Call("BeginItem");
  Put(driver, "Department", Long(3), true);
  PutText(driver, "Name", "Хлеб \"Дарницкий\" \\ 1");
  Put(driver, "Price", Variant(10.0), true);
  Put(driver, "Quantity", Variant(1.5), true);
  Put(driver, "Summ", Variant(15.0));
  driver.Get("EndItem");
  driver.Get("CheckState");
  driver.Get("ResultDescription");
  driver.Get("DeviceEnabled");
  Put(driver, "AttrValue", Variant());
  EXPECT_TRUE(Raised([&] { PutText(driver, "Price", "дорого"); }));

  EXPECT_EQ(NewJournalLines(), (Lines{
                                   "put DeviceEnabled = true",
                                   "get ResultCode -> 0",
                                   "put Mode = 1",
                                   "get SetMode -> 0",
                                   "put CheckType = 1",
                                   "call OpenCheck -> 0",
                                   "call BeginItem -> 0",
                                   "put Department = &3",
                                   "put Name = \"Хлеб \\\"Дарницкий\\\" \\\\ 1\"",
                                   "put Price = &10",
                                   "put Quantity = &1.5",
                                   "put Summ = 15",
                                   "get EndItem -> 0",
                                   "get CheckState -> 1",
                                   "get ResultDescription -> \"Ошибок нет\"",
                                   "get DeviceEnabled -> true",
                                   "put AttrValue = empty",
                                   "put Price = \"дорого\" -> raise",
                               }));
}

TEST_F(SimulatorTest, FaultsRefuseOrRaiseAtTheChosenMember) {
  AddSettings(
      "[Faults]\nCashOutcome=-3800\nreport=-3828\nEndItem=-1\nEndItem.Description=Позиция не принята\n"
      "Summ=raise\nBeep=RAISE\nMode=5");
  // A description typed in a Windows-1251 editor reads the same.
  AddSettings(Ansi("Report.Description=Смена превысила 24 часа"));
  AutomationObject driver = Create();
  SwitchOn(driver, 1);  // a code on a property (Mode) is no fault

  EXPECT_EQ(Int(driver, "CashOutcome"), -3800);
  EXPECT_EQ(Int(driver, "ResultCode"), -3800);
  EXPECT_EQ(Text(driver, "ResultDescription"), "Ошибка, заданная для проверки");
  Put(driver, "CheckType", Long(1));
  driver.Call("OpenCheck");
  driver.Call("BeginItem");
  EXPECT_EQ(Int(driver, "EndItem"), -1);
  EXPECT_EQ(Text(driver, "ResultDescription"), "Позиция не принята");
  driver.Call("CancelCheck");
  Put(driver, "Mode", Long(3));
  driver.Call("SetMode");
  Put(driver, "ReportType", Long(1));
  EXPECT_EQ(Int(driver, "Report"), -3828);
  EXPECT_EQ(Text(driver, "ResultDescription"), "Смена превысила 24 часа");
  EXPECT_EQ(Tape(), "");  // refused by fault, nothing happened
  EXPECT_EQ(State("DocNumber"), "<missing>");

  NewJournalLines();
  auto put = Raised([&] { Put(driver, "Summ", Variant(10.0), true); });
  ASSERT_TRUE(put);
  EXPECT_EQ(put->first, E_FAIL);
  EXPECT_EQ(put->second, "Сбой драйвера: Summ");
  EXPECT_TRUE(Raised([&] { driver.Get("Summ"); }));
  EXPECT_TRUE(Raised([&] { driver.Call("Beep"); }));
  EXPECT_EQ(NewJournalLines(), (Lines{"put Summ = &10 -> raise", "get Summ -> raise", "call Beep -> raise"}));
}

TEST_F(SimulatorTest, SwitchingOnCanBeMadeToFail) {
  AddSettings("[Faults]\nDeviceEnabled=-1\nDeviceEnabled.Description=Нет связи");
  AutomationObject driver = Create();
  Put(driver, "DeviceEnabled", Variant(true));
  EXPECT_EQ(Int(driver, "ResultCode"), -1);
  EXPECT_EQ(Text(driver, "ResultDescription"), "Нет связи");
  EXPECT_FALSE(driver.Get("DeviceEnabled").ToBool());
}

TEST_F(SimulatorTest, DispatchFollowsTheAutomationRules) {
  ComPtr<IDispatch> object = CreateRaw();
  DISPID enabled = IdOf(object.Get(), u"DeviceEnabled");
  EXPECT_EQ(IdOf(object.Get(), u"deviceENABLED"), enabled);
  EXPECT_EQ(IdOf(CreateRaw().Get(), u"DeviceEnabled"), enabled);

  OleString unknown(u"NoSuchMember");
  LPOLESTR names[] = {unknown.data()};
  DISPID id = 0;
  EXPECT_EQ(object->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id), DISP_E_UNKNOWNNAME);
  EXPECT_EQ(id, DISPID_UNKNOWN);

  // A reference straight to an integer, not through a VARIANT.
  LONG seven = 7;
  VARIANT byReference;
  VariantInit(&byReference);
  byReference.vt = VT_BYREF | VT_I4;
  byReference.plVal = &seven;
  DISPID department = IdOf(object.Get(), u"Department");
  EXPECT_EQ(RawPut(object.Get(), department, byReference), S_OK);
  VARIANT value;
  VariantInit(&value);
  DISPPARAMS none{nullptr, nullptr, 0, 0};
  ASSERT_EQ(object->Invoke(department, IID_NULL, 0, DISPATCH_PROPERTYGET, &none, &value, nullptr, nullptr), S_OK);
  EXPECT_EQ(value.vt, VT_I4);
  EXPECT_EQ(value.lVal, 7);

  Variant text = Variant::Text("abc");
  UINT argErr = 99;
  EXPECT_EQ(RawPut(object.Get(), IdOf(object.Get(), u"Price"), *text.Get(), &argErr), DISP_E_TYPEMISMATCH);
  EXPECT_EQ(argErr, 0u);
  EXPECT_EQ(RawPut(object.Get(), IdOf(object.Get(), u"SerialNumber"), *text.Get()), DISP_E_MEMBERNOTFOUND);
  DISPPARAMS oneArgument{text.Get(), nullptr, 1, 0};
  EXPECT_EQ(object->Invoke(enabled, IID_NULL, 0, DISPATCH_METHOD, &oneArgument, nullptr, nullptr, nullptr),
            DISP_E_BADPARAMCOUNT);
}

TEST_F(SimulatorTest, RegisteredUnderTheDriversProgId) {
  EXPECT_TRUE(Raised([] { AutomationObject::Create("AddIn.FprnM8"); }));
  ASSERT_EQ(module_.RegisterServer(), S_OK);
  AutomationObject driver = AutomationObject::Create("AddIn.FprnM8");
  EXPECT_EQ(Text(driver, "SerialNumber"), "00106700123456");
  ASSERT_EQ(module_.UnregisterServer(), S_OK);
  EXPECT_TRUE(Raised([] { AutomationObject::Create("AddIn.FprnM8"); }));
}

TEST_F(SimulatorTest, SettingsFileDefaultsToTheSettingsFolder) {
  ScopedEnv unnamed("SORVIN_FPRNM8_SIM", std::nullopt);
  std::filesystem::create_directories(config_.SettingsFolder());
  WriteFileBytes(config_.SettingsFolder() + "/FprnM8Sim.ini", "[State]\nSerialNumber=777\n");
  AutomationObject driver = Create();
  EXPECT_EQ(Text(driver, "SerialNumber"), "777");
}

}  // namespace

// Every method in the adapter's member table does its own work on the
// simulator: none falls through to the answer for a member it lacks.
TEST_F(SimulatorTest, EveryMethodOfTheMemberTableIsImplemented) {
  AutomationObject driver = Create();
  SwitchOn(driver, 1);
  int methods = 0;
  for (const DriverMemberInfo& member : kDriverMembers) {
    if (member.kind != MemberKind::Method) continue;
    ++methods;
    const auto raised = Raised([&] { driver.Get(member.name); });
    EXPECT_FALSE(raised) << member.name << ": " << (raised ? raised->second : "");
  }
  EXPECT_GT(methods, 0);
}
