// Receipt files that cannot be opened or written: what each writer reports
// and that a failed write changes no counter.
#include "tests/emulator/emulator_fixture.h"

#ifndef _WIN32
#include "tests/support/child_process.h"
#endif

namespace {

TEST_F(SelvaneTest, UnopenableFileGivesThreeAndChangesNothing) {
  WriteFileBytes(files_.File("plain"), "");
  for (const std::string& path : {files_.File("missing/receipts.txt"), files_.File("plain/receipts.txt")}) {
    SCOPED_TRACE(path);
    WriteSettings("Summa=100\r\nLastnum=41\r\n");
    device_.Call("LoadSettings");
    ConnectTo(path);
    ASSERT_EQ(0, device_.Int("SaleItem", {1, "Хлеб", 1.0, 10.0, 0, 0, 0}));
    device_.Call("SetTaxSystem", {1});
    EXPECT_EQ(3, device_.Int("CloseReceipt"));
    EXPECT_EQ(1, device_.Int("GetTaxSystem"));
    EXPECT_EQ(3, device_.Int("CashIn", {5.0}));
    EXPECT_EQ(3, device_.Int("CashOut", {5.0}));
    EXPECT_EQ(3, device_.Int("PrintText", {"текст"}));
    EXPECT_EQ(8, device_.Int("FeedLines", {0}));
    EXPECT_EQ(kFileError, device_.ResultText());
    EXPECT_EQ(41, device_.Int("GetLastDocNumber"));
    EXPECT_EQ("100", StoredCash());
    device_.Int("CancelReceipt");
  }
}

// Windows has neither /dev/full nor fork and per-process file-size limits.
#ifndef _WIN32
TEST_F(SelvaneTest, FullDeviceFailsEveryWriterAndChangesNothing) {
  WriteSettings("Summa=100\r\nLastnum=41\r\n");
  device_.Call("LoadSettings");
  ConnectTo("/dev/full");
  AddSampleLines();
  ASSERT_EQ(0, device_.Int("Payment", {200.0, 0}));
  for (const char* writer : {"CloseReceipt", "CashIn", "CashOut", "PrintText", "FeedLines"}) {
    SCOPED_TRACE(writer);
    EXPECT_EQ(8, CallWriter(writer));
    EXPECT_EQ(8, device_.ResultCode());
    EXPECT_EQ(kFileError, device_.ResultText());
  }
  EXPECT_EQ(41, device_.Int("GetLastDocNumber"));
  EXPECT_EQ(0.0, device_.Number("GetLastDocSum"));
  EXPECT_EQ(0.0, device_.Number("GetLastDocDateTime"));
  EXPECT_EQ("100", StoredCash());

  // The model survived: the same receipt closes on a working file.
  Connect();
  ASSERT_EQ(0, device_.Int("CloseReceipt"));
  EXPECT_TRUE(Receipts().starts_with(Ansi("Чек №42 ")));
  EXPECT_EQ("280.9", StoredCash());
}

// What a forked child saw of a close that hit the file-size limit, and of
// the close after it without the limit.
struct LimitedClose {
  int failedResult;
  int failedCode;
  bool failedText;
  int numberAfterFailure;
  double sumAfterFailure;
  double dateAfterFailure;
  int retryResult;
  int numberAfterRetry;
};

class SelvaneWriteLimitTest : public SelvaneTest {
 protected:
  void SetUp() override {
    WriteSettings("Lastnum=41\r\nSumma=100\r\nTitle=Магазин\r\nBottom=Спасибо за покупку\r\n");
    device_.Call("LoadSettings");
    Connect();
    ASSERT_EQ(0, device_.Int("AddHeaderLine", {"Добро пожаловать"}));
    ASSERT_EQ(0, device_.Int("AddFooterLine", {"Приходите ещё"}));
    AddSampleLines();
    ASSERT_EQ(0, device_.Int("AddDiscount", {10.9}));
    ASSERT_EQ(0, device_.Int("Payment", {200.0, 1}));
    SetOneShotValues();
  }

  void SetOneShotValues() const {
    device_.Call("SetTaxSystem", {2});
    device_.Call("SetCustomerContact", {"+79001234567"});
  }

  // Closes in a child whose files may not grow beyond `limit` bytes, then
  // closes again without the limit.
  LimitedClose CloseInChild(unsigned long long limit) const {
    return RunInChild([&] {
      const unsigned long long unlimited = LimitFileSize(limit);
      LimitedClose seen{};
      seen.failedResult = Result("CloseReceipt");
      seen.failedCode = Result("GetResultCode");
      Variant text;
      device_.TryCall("GetResultText", {}, &text);
      seen.failedText = text.ToAnsi() == Ansi(kFileError);
      seen.numberAfterFailure = Result("GetLastDocNumber");
      Variant value;
      device_.TryCall("GetLastDocSum", {}, &value);
      seen.sumAfterFailure = value.ToDouble();
      device_.TryCall("GetLastDocDateTime", {}, &value);
      seen.dateAfterFailure = value.ToDouble();
      LimitFileSize(unlimited);
      SetOneShotValues();
      seen.retryResult = Result("CloseReceipt");
      seen.numberAfterRetry = Result("GetLastDocNumber");
      device_.TryCall("SaveSettings", {});
      return seen;
    });
  }

  int Result(const char* op) const {
    Variant out;
    device_.TryCall(op, {}, &out);
    return out.ToInt();
  }
};

TEST_F(SelvaneWriteLimitTest, FailureInAnyLineUsesUpNothing) {
  const std::string receipt = Lines({ReceiptTitle(42),
                                     "Магазин",
                                     "Добро пожаловать",
                                     "ПРОДАЖА",
                                     "Секция №1",
                                     "Хлеб                     45.50 x      2.00 -      0.00",
                                     "                         91.00",
                                     "Признак предмета расчета: 1 - ТОВАР",
                                     "Признак способа расчета : 4 - ПОЛНЫЙ РАСЧЕТ",
                                     "НДС: 3 - 18%",
                                     "Секция №1",
                                     "Молоко                   89.90 x      1.00 -      0.00",
                                     "                         89.90",
                                     "Признак предмета расчета: 1 - ТОВАР",
                                     "Признак способа расчета : 4 - ПОЛНЫЙ РАСЧЕТ",
                                     "НДС: 2 - 10%",
                                     "СКИДКА                   10.90",
                                     "ИТОГО                   170.00",
                                     "Получено                200.00",
                                     "СДАЧА                    30.00",
                                     "Тип платежа: 1",
                                     "СНО: Упрощенная Доход минус Расход",
                                     "Тел. покупателя: +79001234567",
                                     "Приходите ещё",
                                     "Спасибо за покупку",
                                     kSep});
  // A byte inside every line in turn, the final separator and its line end
  // included.
  std::vector<std::size_t> cuts;
  for (std::size_t start = 0; start < receipt.size(); start = receipt.find('\n', start) + 1) cuts.push_back(start + 1);
  cuts.push_back(receipt.size() - 1);
  for (std::size_t cut : cuts) {
    SCOPED_TRACE(cut);
    WriteFileBytes(ReceiptPath(), "");
    LimitedClose seen = CloseInChild(cut);
    EXPECT_EQ(8, seen.failedResult);
    EXPECT_EQ(8, seen.failedCode);
    EXPECT_TRUE(seen.failedText);
    EXPECT_EQ(41, seen.numberAfterFailure);
    EXPECT_EQ(0.0, seen.sumAfterFailure);
    EXPECT_EQ(0.0, seen.dateAfterFailure);
    EXPECT_EQ(0, seen.retryResult);
    EXPECT_EQ(42, seen.numberAfterRetry);
    EXPECT_EQ(receipt.substr(0, cut) + receipt, Receipts());
    EXPECT_NE(std::string::npos, SettingsText().find("Summa=270\r\n"));
  }
}
#endif

}  // namespace
