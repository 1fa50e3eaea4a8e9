// Which operations leave their result as the last one (GetResultCode) and
// which leave the earlier one standing: hosts read it after a call, so a
// change here changes what a till shows.
#include <functional>

#include "tests/emulator/emulator_fixture.h"

namespace {

struct Step {
  const char* name;
  std::function<LONG(const HostDevice&)> call;
  bool keepsItsResult;
};

// Each operation runs after a failure (3: the receipt file's folder is
// missing) and either replaces that result with its own or leaves it.
TEST_F(SelvaneTest, EachOperationKeepsItsResultOrLeavesTheLastOne) {
  const Step steps[] = {
      {"TestConnection", [](const HostDevice& d) { return d.Int("TestConnection"); }, true},
      {"GetSerialNumber", [](const HostDevice& d) { return d.Text("GetSerialNumber").empty() ? -1 : 0; }, true},
      {"GetLastDocNumber", [](const HostDevice& d) { return d.Int("GetLastDocNumber") * 0; }, true},
      {"GetLastDocSum", [](const HostDevice& d) { return static_cast<LONG>(d.Number("GetLastDocSum")); }, true},
      {"SaleItem", [](const HostDevice& d) { return d.Int("SaleItem", {1, "Хлеб", 1.0, 10.0, 0, 0, 0}); }, true},
      {"AddDiscount", [](const HostDevice& d) { return d.Int("AddDiscount", {1.0}); }, true},
      {"Payment", [](const HostDevice& d) { return d.Int("Payment", {20.0, 0}); }, true},
      {"CancelReceipt", [](const HostDevice& d) { return d.Int("CancelReceipt"); }, true},
      {"ReturnItemExt",
       [](const HostDevice& d) { return d.Int("ReturnItemExt", {1, "Хлеб", 1.0, 10.0, 0, 0, 0, 0.0}); }, true},
      {"AddHeaderLine", [](const HostDevice& d) { return d.Int("AddHeaderLine", {"шапка"}); }, true},
      {"AddFooterLine", [](const HostDevice& d) { return d.Int("AddFooterLine", {"подвал"}); }, true},
      {"Connect", [](const HostDevice& d) { return d.Int("Connect"); }, false},
      {"GetDeviceStatus", [](const HostDevice& d) { return d.Int("GetDeviceStatus"); }, false},
      {"XReport", [](const HostDevice& d) { return d.Int("XReport") - 6; }, false},
      {"PrintBarcode", [](const HostDevice& d) { return d.Int("PrintBarcode", {"4600000000000", 1}) - 6; }, false},
      {"GetLastDocDateTime", [](const HostDevice& d) { return static_cast<LONG>(d.Number("GetLastDocDateTime")); },
       false},
      {"SetTaxSystem", [](const HostDevice& d) { return d.Call("SetTaxSystem", {2}), LONG{0}; }, false},
      {"GetParamCount", [](const HostDevice& d) { return d.Int("GetParamCount") > 0 ? 0 : -1; }, false},
  };
  ConnectTo(files_.File("missing/receipts.txt"));
  for (const Step& step : steps) {
    SCOPED_TRACE(step.name);
    device_.Int("CancelReceipt");
    ASSERT_EQ(3, device_.Int("PrintText", {"текст"}));
    EXPECT_EQ(0, step.call(device_));
    EXPECT_EQ(step.keepsItsResult ? 0 : 3, device_.ResultCode());
  }
}

// A cash movement keeps a failure of its file but neither its success nor
// the drawer's refusal.
TEST_F(SelvaneTest, CashMovementKeepsOnlyAFileFailure) {
  ConnectTo(files_.File("missing/receipts.txt"));
  EXPECT_EQ(3, device_.Int("CashIn", {5.0}));
  EXPECT_EQ(3, device_.ResultCode());
  Connect();
  ASSERT_EQ(0, device_.Int("ReturnItem", {1, "Хлеб", 1.0, 10.0, 0, 0, 0}));
  ASSERT_EQ(7, device_.Int("CloseReceipt"));  // an empty drawer pays out no return
  EXPECT_EQ(0, device_.Int("CashIn", {5.0}));
  EXPECT_EQ(7, device_.ResultCode());
  EXPECT_EQ(7, device_.Int("CashOut", {50.0}));
  EXPECT_EQ(0, device_.Int("CashOut", {5.0}));
  EXPECT_EQ(7, device_.ResultCode());
}

}  // namespace
