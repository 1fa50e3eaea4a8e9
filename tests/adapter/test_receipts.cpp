// Receipts on the register: the exact calls of a sale, the fiscal attributes
// of the close, and what is left after failures and raised errors.
#include <string_view>

#include "tests/adapter/register_fixture.h"

namespace {

using Receipts = RegisterTest;

// The register's own word for an open receipt is not ours to fix.
Lines WithoutCheckState(const Lines& lines) {
  Lines kept;
  for (const std::string& line : lines) {
    if (line.rfind("get CheckState", 0) != 0) kept.push_back(line);
  }
  return kept;
}

// The lines of a close up to the register's close itself.
Lines BeforeClose(const Lines& lines) {
  Lines before;
  for (const std::string& line : lines) {
    if (line.rfind("get CloseCheck", 0) == 0) break;
    before.push_back(line);
  }
  return before;
}

TEST_F(Receipts, SaleFromFirstLineToClose) {
  EXPECT_EQ(0, Device().Int("SaleItem", {3, "Хлеб", 1.5, 10.0, 1, 4, 2}));
  EXPECT_EQ(Joined({kConnecting,
                    kSwitchingOn,
                    {"get CheckState -> 0", "put Mode = 1", "get SetMode -> 0", "put CheckType = 1",
                     "call OpenCheck -> 0", "call BeginItem -> 0", "put Department = &3", "put Name = \"Хлеб\"",
                     "put Price = &10", "put Quantity = &1.5", "put Summ = 15", "put ItemType = &1",
                     "put PaymentMode = &4", "put TaxTypeNumber = 0", "get EndItem -> 0"}}),
            journal_.Take());

  // Into the open receipt; without a department the host's tax type goes
  // to the register.
  EXPECT_EQ(0, Device().Int("SaleItem", {0, "Соль", 2.0, 0.5, 1, 4, 2}));
  EXPECT_EQ((Lines{"get DeviceEnabled -> true", "call BeginItem -> 0", "put Department = &0", "put Name = \"Соль\"",
                   "put Price = &0.5", "put Quantity = &2", "put Summ = 1", "put ItemType = &1", "put PaymentMode = &4",
                   "put TaxTypeNumber = &2", "get EndItem -> 0"}),
            WithoutCheckState(journal_.Take()));

  EXPECT_EQ(0, Device().Int("Payment", {0.0, 1}));  // nothing to pay: the register is not asked
  EXPECT_EQ(0, Device().Int("Payment", {20.0, 0}));
  EXPECT_EQ((Lines{"get DeviceEnabled -> true", "put Summ = &0", "put TypeClose = &1", "get DeviceEnabled -> true",
                   "put Summ = &20", "put TypeClose = &0", "get Payment -> 0"}),
            WithoutCheckState(journal_.Take()));

  Device().Call("SetTaxSystem", {3});
  Device().Call("SetCustomerContact", {"+79001234567"});
  // Once the receipt is closed the register refuses the neutral values; their
  // results are not the close's business.
  EXPECT_EQ(0, Device().Int("CloseReceipt"));
  EXPECT_EQ((Lines{"get DeviceEnabled -> true", "put AttrNumber = 1055", "put AttrValue = 8",
                   "call WriteAttribute -> 0", "put AttrNumber = 1008", "put AttrValue = &\"+79001234567\"",
                   "call WriteAttribute -> 0", "get CloseCheck -> 0", "call ResetMode -> 0", "put AttrNumber = 1055",
                   "put AttrValue = 0", "call WriteAttribute -> -3805", "put AttrNumber = 1008", "put AttrValue = \"\"",
                   "call WriteAttribute -> -3805", "get DeviceEnabled -> true", "put DeviceEnabled = false"}),
            WithoutCheckState(journal_.Take()));
  EXPECT_EQ(-1, Device().Int("GetTaxSystem"));
  EXPECT_EQ("", Device().Text("GetCustomerContact"));
}

TEST_F(Receipts, TaxSystemGoesOutAsOneBitAndAnUnknownCodeAsNothing) {
  for (int code : {0, 1, 2, 3, 4, 5, 9}) {
    SCOPED_TRACE(code);
    Device().Int("SaleItem", {1, "Хлеб", 1.0, 10.0, 1, 4, 0});
    Device().Int("Payment", {10.0, 0});
    Device().Call("SetTaxSystem", {code});
    journal_.Take();
    EXPECT_EQ(0, Device().Int("CloseReceipt"));
    const Lines close = journal_.Take();
    const Lines before = BeforeClose(close);
    if (code <= 5) {
      EXPECT_EQ(1u, CountOf(before, "put AttrValue = " + std::to_string(1 << code)));
      EXPECT_EQ(1u, CountOf(before, "put AttrNumber = 1055"));
    } else {
      EXPECT_EQ(0u, CountOf(before, "put AttrNumber = 1055"));
      EXPECT_EQ(0u, CountOf(before, "call WriteAttribute -> 0"));
    }
    EXPECT_EQ(1u, CountOf(close, "put AttrValue = 0"));  // written back to neutral after the close
    EXPECT_EQ(-1, Device().Int("GetTaxSystem"));
  }
}

TEST_F(Receipts, RefusedModeAndFailedCloseReportTheDriversText) {
  Simulate("[Faults]\nSetMode=-12\nCloseCheck=-20\n");
  EXPECT_EQ(3, Device().Int("SaleItem", {1, "Хлеб", 1.0, 10.0, 1, 4, 0}));
  EXPECT_EQ("ResultCode: -12\r\nОшибка, заданная для проверки", Device().ResultText());
  EXPECT_EQ(0u, CountOf(journal_.Take(), "call OpenCheck -> 0"));

  Device().Call("SetTaxSystem", {0});
  EXPECT_EQ(3, Device().Int("CloseReceipt"));  // no receipt open: the mode is refused again
  EXPECT_EQ(-1, Device().Int("GetTaxSystem"));
  const Lines close = journal_.Take();
  EXPECT_EQ(0u, CountOf(close, "get CloseCheck -> -20"));
  EXPECT_EQ("put DeviceEnabled = false", close.back());
}

TEST_F(Receipts, FailedCloseLeavesTheReceiptOpenButResetsTheAttributes) {
  Simulate("[Faults]\nCloseCheck=-20\n");
  Device().Int("SaleItem", {1, "Хлеб", 1.0, 10.0, 1, 4, 0});
  Device().Call("SetCustomerContact", {"a@b.ru"});
  journal_.Take();
  EXPECT_EQ(1, Device().Int("CloseReceipt"));
  EXPECT_EQ(1, Device().ResultCode());
  EXPECT_EQ("ResultCode: -20\r\nОшибка, заданная для проверки", Device().ResultText());
  const Lines close = journal_.Take();
  EXPECT_EQ(0u, CountOf(close, "call ResetMode -> 0"));
  EXPECT_EQ(1u, CountOf(close, "put AttrValue = \"\""));
  EXPECT_EQ("", Device().Text("GetCustomerContact"));
}

TEST_F(Receipts, ErrorsInsideALineOrACloseStillRecordTheResult) {
  Simulate("[Faults]\nPrintBarcode=-1\nEndItem=raise\nCloseCheck=raise\n");
  EXPECT_EQ(1, Device().Int("PrintBarcode", {"4600000000000", 0}));
  journal_.Take();
  Fails("SaleItem", {1, "Хлеб", 1.0, 10.0, 1, 4, 0});
  EXPECT_EQ(0, Device().ResultCode());
  // The line's receipt stays open on the register, still switched on.
  EXPECT_EQ(1, Device().Int("PrintBarcode", {"4600000000000", 0}));
  EXPECT_EQ(0u, CountOf(journal_.Take(), "put DeviceEnabled = false"));

  Device().Call("SetTaxSystem", {2});
  Fails("CloseReceipt");
  EXPECT_EQ(0, Device().ResultCode());
  EXPECT_EQ(-1, Device().Int("GetTaxSystem"));
  const Lines close = journal_.Take();
  EXPECT_EQ(1u, CountOf(close, "get CloseCheck -> raise"));
  EXPECT_EQ(1u, CountOf(close, "put AttrValue = 0"));
  EXPECT_EQ("put DeviceEnabled = false", close.back());
}

TEST_F(Receipts, RaisedCancelStillDropsTheConnection) {
  Simulate("[Faults]\nCancelCheck=raise\n");
  EXPECT_EQ(0, Device().Int("Connect"));
  Fails("CancelReceipt");
  EXPECT_EQ(1, Device().Int("Payment", {10.0, 0}));
}

TEST_F(Receipts, UnsupportedOperationsTouchNothing) {
  Unregister();
  EXPECT_EQ(4, Device().Int("Connect"));
  EXPECT_EQ(6, Device().Int("SaleItemExt", {1, "Хлеб", 1.0, 10.0, 1, 4, 0, 1.0}));
  EXPECT_EQ(6, Device().Int("ReturnItemExt", {1, "Хлеб", 1.0, 10.0, 1, 4, 0, 1.0}));
  EXPECT_EQ(6, Device().Int("AddDiscount", {1.0}));
  EXPECT_EQ(6, Device().Int("CloseReceiptAlt"));
  EXPECT_EQ(6, Device().Int("AddHeaderLine", {"x"}));
  EXPECT_EQ(6, Device().Int("AddFooterLine", {"x"}));
  Device().Call("ClearHeaderLines");
  Device().Call("ClearFooterLines");
  EXPECT_EQ(4, Device().ResultCode());
}

}  // namespace
