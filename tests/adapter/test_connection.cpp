// The driver connection, switching the register on, and the steps each kind
// of operation takes around its work when the host has not connected.
#include "platform/codepage.h"
#include "tests/adapter/register_fixture.h"

namespace {

const std::string kNotInitialised = "Драйвер не проинициализирован";

using Connection = RegisterTest;

TEST_F(Connection, ConnectSetsUpTheDriverAndReloadsItsSettingsEveryTime) {
  EXPECT_EQ(0, Device().Int("Connect"));
  EXPECT_EQ(kConnecting, journal_.Take());  // no ApplicationHandle while it is 0

  EXPECT_EQ(0, Device().Int("Connect"));
  EXPECT_EQ(Lines{"get LoadDevicesSettings -> 0"}, journal_.Take());

  Device().Call("Disconnect");
  EXPECT_EQ(Lines{"get DeviceEnabled -> false"}, journal_.Take());
  Device().Call("SetParamValue", {3, 77});
  EXPECT_EQ(0, Device().Int("Connect"));
  EXPECT_EQ((Lines{"put ACKTimeout = 1000", "put ENQTimeout = 60000", "put ApplicationHandle = &77",
                   "get LoadDevicesSettings -> 0"}),
            journal_.Take());
}

TEST_F(Connection, FailedSettingsLoadClosesTheConnection) {
  Simulate("[Faults]\nLoadDevicesSettings=-5\n");
  EXPECT_EQ(1, Device().Int("Connect"));
  EXPECT_EQ(1, Device().ResultCode());
  EXPECT_EQ("ResultCode: -5\r\nОшибка, заданная для проверки", Device().ResultText());
  // Closed: the next operation connects again and gets the same answer.
  EXPECT_EQ(1, Device().Int("PrintText", {"x"}));
  EXPECT_EQ(2u, CountOf(journal_.Take(), "put ACKTimeout = 1000"));
}

TEST_F(Connection, WithoutADriverEveryConnectingOperationGivesFour) {
  Unregister();
  EXPECT_EQ(4, Device().Int("Connect"));
  const std::string message = Device().ResultText();
  EXPECT_FALSE(message.empty());
  EXPECT_EQ(4, Device().Int("PrintText", {"x"}));
  EXPECT_EQ(4, Device().Int("SaleItem", {1, "Хлеб", 1.0, 1.0, 1, 4, 0}));
  EXPECT_EQ("Ошибка: " + message, Device().Text("GetSerialNumber"));
  EXPECT_EQ(4, Device().ResultCode());
  EXPECT_EQ(message, Device().ResultText());

  // A later success keeps the old text beside the new code.
  Register();
  EXPECT_EQ(0, Device().Int("Connect"));
  EXPECT_EQ(message, Device().ResultText());
}

// A driver's texts may hold characters Windows-1251 lacks: they reach the
// host as they came.
TEST_F(Connection, DriverTextsReachTheHostWithEveryCharacter) {
  Simulate(
      "[State]\nSerialNumber=12★34\n[Faults]\nLoadDevicesSettings=-5\nLoadDevicesSettings.Description=Нет связи ✗\n");
  EXPECT_EQ(1, Device().Int("Connect"));
  EXPECT_EQ(OleString(OLESTR("ResultCode: -5\r\nНет связи ✗")), Device().Call("GetResultText").ToUtf16());
  Simulate("[State]\nSerialNumber=12★34\n");
  EXPECT_EQ(OleString(OLESTR("12★34")), Device().Call("GetSerialNumber").ToUtf16());
  EXPECT_EQ(0, Device().Int("TestConnection"));
  const OleString report = Device().Call("GetResultText").ToUtf16();
  EXPECT_EQ(0u, report.find(OLESTR("№ 12★34, версия: "))) << AnsiToUtf8(Utf16ToAnsi(report));
}

TEST_F(Connection, RegisterThatWillNotSwitchOnLeavesTheNewConnectionOpen) {
  Simulate("[Faults]\nDeviceEnabled=-3\n");
  EXPECT_EQ(1, Device().Int("XReport"));
  EXPECT_EQ(1, Device().ResultCode());
  EXPECT_EQ(0u, Device().ResultText().rfind("ResultCode: -3\r\n", 0));
  const Lines expected = Joined(
      {kConnecting,
       {"get DeviceEnabled -> false", "put DeviceEnabled = true", "get ResultCode -> -3", "get ResultCode -> -3"}});
  Lines seen = journal_.Take();
  ASSERT_EQ(expected.size() + 1, seen.size());  // and the description
  EXPECT_EQ(expected, Lines(seen.begin(), seen.end() - 1));
  EXPECT_EQ(0, Device().Int("Connect"));
  EXPECT_EQ(Lines{"get LoadDevicesSettings -> 0"}, journal_.Take());
}

TEST_F(Connection, StandaloneOperationPutsEverythingBackAndOnlyPrintsInsideAReceipt) {
  EXPECT_EQ(0, Device().Int("PrintText", {"Привет"}));
  EXPECT_EQ(Joined({kConnecting,
                    kSwitchingOn,
                    {"put Caption = \"Привет\"", "put Alignment = 1", "get PrintString -> 0"},
                    kSwitchingOffAndDisconnecting}),
            journal_.Take());

  EXPECT_EQ(0, Device().Int("SaleItem", {1, "Хлеб", 1.0, 10.0, 1, 4, 0}));
  journal_.Take();
  EXPECT_EQ(0, Device().Int("PrintText", {"Привет"}));
  EXPECT_EQ(
      (Lines{"get DeviceEnabled -> true", "put Caption = \"Привет\"", "put Alignment = 1", "get PrintString -> 0"}),
      journal_.Take());
}

TEST_F(Connection, QueriesAndPaymentNeverConnect) {
  EXPECT_EQ(0, Device().Int("GetLastDocNumber"));
  EXPECT_EQ(1, Device().ResultCode());
  EXPECT_EQ(kNotInitialised, Device().ResultText());
  EXPECT_EQ(0.0, Device().Number("GetLastDocSum"));
  EXPECT_EQ(1, Device().Int("Payment", {100.0, 0}));
  EXPECT_EQ(kNotInitialised, Device().ResultText());
  EXPECT_TRUE(journal_.Take().empty());
}

TEST_F(Connection, CloseKeepsTheHostsConnectionButCancelAlwaysDropsIt) {
  EXPECT_EQ(0, Device().Int("Connect"));
  EXPECT_EQ(0, Device().Int("SaleItem", {1, "Хлеб", 1.0, 10.0, 1, 4, 0}));
  EXPECT_EQ(0, Device().Int("Payment", {10.0, 0}));
  journal_.Take();
  EXPECT_EQ(0, Device().Int("CloseReceipt"));
  EXPECT_EQ("put DeviceEnabled = false", journal_.Take().back());  // switched off, not disconnected
  EXPECT_EQ(0, Device().Int("Connect"));
  EXPECT_EQ(Lines{"get LoadDevicesSettings -> 0"}, journal_.Take());

  EXPECT_EQ(0, Device().Int("SaleItem", {1, "Хлеб", 1.0, 10.0, 1, 4, 0}));
  EXPECT_EQ(0, Device().Int("CancelReceipt"));
  EXPECT_EQ(1, Device().Int("Payment", {10.0, 0}));  // no connection any more
  EXPECT_EQ(kNotInitialised, Device().ResultText());
}

TEST_F(Connection, SetupWindowShowsAndSavesTheDriverSettingsWithTheRegisterOff) {
  Device().Call("SetParamValue", {4, 0});
  EXPECT_EQ(
      Joined({kConnecting, {"call ShowProperties -> 0", "get SaveDevicesSettings -> 0", "get DeviceEnabled -> false"}}),
      journal_.Take());
  EXPECT_EQ(0, Device().ResultCode());

  Simulate("[Faults]\nSaveDevicesSettings=-7\n");
  EXPECT_EQ(0, Device().Int("Connect"));
  journal_.Take();
  Device().Call("SetParamValue", {4, 0});
  EXPECT_EQ(1, Device().ResultCode());
  EXPECT_EQ("ResultCode: -7\r\nОшибка, заданная для проверки", Device().ResultText());
  // The failed save closed the host's connection.
  EXPECT_EQ(1, Device().Int("Payment", {10.0, 0}));
}

TEST_F(Connection, ReleasingTheObjectLeavesTheRegisterOn) {
  EXPECT_EQ(0, Device().Int("SaleItem", {1, "Хлеб", 1.0, 10.0, 1, 4, 0}));
  journal_.Take();
  Device() = HostDevice(ComPtr<IFiscalDevice>());
  EXPECT_TRUE(journal_.Take().empty());
}

}  // namespace
