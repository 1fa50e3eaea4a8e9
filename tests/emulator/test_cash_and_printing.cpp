// Cash movements, free text, empty lines and the operations the emulator
// does not support.
#ifdef _WIN32
#include <windows.h>
#endif

#include <filesystem>

#include "tests/emulator/emulator_fixture.h"

namespace {

class SelvaneCashTest : public SelvaneTest {
 protected:
  void SetUp() override { Connect(); }

  // Leaves a refused sale line (8) as the last result.
  void RefuseALine() const {
    ASSERT_EQ(0, device_.Int("SaleItem", {1, "Хлеб", 1.0, 1.0, 0, 0, 0}));
    ASSERT_EQ(8, device_.Int("ReturnItem", {1, "Хлеб", 1.0, 1.0, 0, 0, 0}));
  }

  // Whether this process holds the receipt file open.
  bool ReceiptFileIsOpen() const {
#ifdef _WIN32
    // While any handle is open, an open that shares nothing is refused.
    HANDLE file = CreateFileA(ReceiptPath().c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return GetLastError() == ERROR_SHARING_VIOLATION;
    CloseHandle(file);
    return false;
#else
    for (const auto& fd : std::filesystem::directory_iterator("/proc/self/fd")) {
      std::error_code ignored;
      if (std::filesystem::read_symlink(fd.path(), ignored) == ReceiptPath()) return true;
    }
    return false;
#endif
  }
};

TEST_F(SelvaneCashTest, DepositAndWithdrawal) {
  ASSERT_EQ(0, device_.Int("CashIn", {1500.0}));
  ASSERT_EQ(0, device_.Int("CashOut", {250.0}));
  EXPECT_EQ(Lines({"Внесение суммы         1500.00", kSep, "Снятие суммы            250.00", kSep}), Receipts());
  EXPECT_EQ("1250", StoredCash());
}

TEST_F(SelvaneCashTest, WithdrawalUpToTheDrawer) {
  EXPECT_EQ(7, device_.Int("CashOut", {0.01}));
  ASSERT_EQ(0, device_.Int("CashIn", {100.0}));
  RefuseALine();
  EXPECT_EQ(7, device_.Int("CashOut", {100.01}));
  // Not recorded, and its text is empty.
  EXPECT_EQ(8, device_.ResultCode());
  EXPECT_EQ("", device_.ResultText());
  EXPECT_EQ(0, device_.Int("CashOut", {100.0}));
  EXPECT_EQ(Lines({"Внесение суммы          100.00", kSep, "Снятие суммы            100.00", kSep}), Receipts());
  EXPECT_EQ("0", StoredCash());
}

// 0.3 + 0.6 leaves 0.8999999999999999 in a binary drawer; a receipt shows
// 0.90, and 0.90 can be taken out.
TEST_F(SelvaneCashTest, WithdrawalOfTheDrawerAsPrinted) {
  ASSERT_EQ(0, device_.Int("CashIn", {0.3}));
  ASSERT_EQ(0, device_.Int("CashIn", {0.6}));
  EXPECT_EQ(7, device_.Int("CashOut", {0.91}));
  EXPECT_EQ(0, device_.Int("CashOut", {0.9}));
  EXPECT_EQ(7, device_.Int("CashOut", {0.01}));
}

// Beyond 10^13 roubles the drawer would lose its kopecks (and two deposits
// of 1.7e308 once made it infinite): what would take it there is refused,
// and nothing changes.
TEST_F(SelvaneCashTest, TheDrawerStaysWithinTheMoneyLimit) {
  constexpr double kMost = 9999999999999.99;
  ASSERT_EQ(0, device_.Int("CashIn", {kMost}));
  const std::string before = Receipts();
  EXPECT_EQ(E_INVALIDARG, device_.TryCall("CashIn", {0.01}));
  EXPECT_EQ(E_INVALIDARG, device_.TryCall("CashOut", {-0.01}));
  ASSERT_EQ(0, device_.Int("SaleItem", {1, "Хлеб", 1.0, 0.01, 0, 0, 0}));
  device_.Call("SetTaxSystem", {1});
  EXPECT_EQ(E_INVALIDARG, device_.TryCall("CloseReceipt", {}));
  EXPECT_EQ(1, device_.Int("GetTaxSystem"));
  EXPECT_EQ(before, Receipts());
  EXPECT_EQ("9999999999999.99", StoredCash());
  // A return brings it back within the limit.
  ASSERT_EQ(0, device_.Int("CancelReceipt"));
  ASSERT_EQ(0, device_.Int("ReturnItem", {1, "Хлеб", 1.0, kMost, 0, 0, 0}));
  EXPECT_EQ(0, device_.Int("CloseReceipt"));
  EXPECT_EQ("0", StoredCash());

  // The discounts of one receipt add up to the same limit.
  ASSERT_EQ(0, device_.Int("AddDiscount", {kMost}));
  EXPECT_EQ(E_INVALIDARG, device_.TryCall("AddDiscount", {0.01}));
  ASSERT_EQ(0, device_.Int("SaleItem", {1, "Хлеб", 1.0, kMost, 0, 0, 0}));
  EXPECT_EQ(0, device_.Int("CloseReceipt"));
  EXPECT_EQ(0.0, device_.Number("GetLastDocSum"));
}

TEST_F(SelvaneCashTest, WideAndNegativeAmounts) {
  ASSERT_EQ(0, device_.Int("CashIn", {12345678.9}));
  ASSERT_EQ(0, device_.Int("CashIn", {-45.5}));
  ASSERT_EQ(0, device_.Int("CashOut", {-4.5}));
  // Amounts are not rounded by the cash operations themselves.
  ASSERT_EQ(0, device_.Int("CashIn", {0.125}));
  EXPECT_EQ(Lines({"Внесение суммы      12345678.90", kSep, "Внесение суммы          -45.50", kSep,
                   "Снятие суммы             -4.50", kSep, "Внесение суммы            0.12", kSep}),
            Receipts());
  EXPECT_EQ("12345638.025", StoredCash());
}

TEST_F(SelvaneCashTest, SuccessfulCashMovementsRecordNothing) {
  RefuseALine();
  ASSERT_EQ(0, device_.Int("CashIn", {1.0}));
  ASSERT_EQ(0, device_.Int("CashOut", {1.0}));
  EXPECT_EQ(8, device_.ResultCode());
}

TEST_F(SelvaneCashTest, FeedLinesLeavesTheFileOpen) {
  ASSERT_EQ(0, device_.Int("FeedLines", {3}));
  EXPECT_EQ("\r\n\r\n\r\n", Receipts());
  EXPECT_TRUE(ReceiptFileIsOpen());
  RefuseALine();
  EXPECT_EQ(0, device_.Int("FeedLines", {0}));
  EXPECT_EQ(0, device_.ResultCode());
  EXPECT_EQ(0, device_.Int("FeedLines", {-1}));
  ASSERT_EQ(0, device_.Int("CashIn", {10.0}));
  EXPECT_FALSE(ReceiptFileIsOpen());
  EXPECT_EQ("\r\n\r\n\r\n" + Lines({"Внесение суммы           10.00", kSep}), Receipts());

  ASSERT_EQ(0, device_.Int("FeedLines", {10000}));
  EXPECT_EQ(20000u + Lines({"Внесение суммы           10.00", kSep}).size() + 6, Receipts().size());
  // Connect closes it as well.
  ASSERT_EQ(0, device_.Int("Connect"));
  EXPECT_FALSE(ReceiptFileIsOpen());
}

TEST_F(SelvaneCashTest, PrintTextWritesTheTextAsItIs) {
  RefuseALine();
  ASSERT_EQ(0, device_.Int("PrintText", {""}));
  EXPECT_EQ(0, device_.ResultCode());
  ASSERT_EQ(0, device_.Int("PrintText", {"  две\nстроки  "}));
  EXPECT_EQ(Lines({"", kSep, "  две\nстроки  ", kSep}), Receipts());
}

TEST_F(SelvaneCashTest, UnsupportedOperationsKeepTheResultAndEmptyItsText) {
  ASSERT_EQ(0, device_.Int("PrintText", {"x"}));
  const std::string before = Receipts();
  for (const char* op : {"XReport", "ZReport", "PrintBarcode"}) {
    SCOPED_TRACE(op);
    RefuseALine();
    Variant out;
    ASSERT_EQ(S_OK, std::string_view(op) == "PrintBarcode" ? device_.TryCall(op, {"4600000000000", 1}, &out)
                                                           : device_.TryCall(op, {}, &out));
    EXPECT_EQ(6, out.ToInt());
    EXPECT_EQ(8, device_.ResultCode());
    EXPECT_EQ("", device_.ResultText());
  }
  EXPECT_EQ(before, Receipts());
}

}  // namespace
