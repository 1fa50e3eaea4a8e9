// Receipts from the model to the file: layout, checks of payment and cash,
// and what a close changes.
#include "platform/clock.h"
#include "tests/emulator/emulator_fixture.h"

namespace {

class SelvaneReceiptTest : public SelvaneTest {
 protected:
  void SetUp() override {
    WriteSettings("Lastnum=41\r\nTitle=Магазин\r\nBottom=Спасибо за покупку\r\n");
    device_.Call("LoadSettings");
    Connect();
  }

  bool FileHas(std::initializer_list<std::string_view> lines) const {
    return Receipts().find(Lines(lines)) != std::string::npos;
  }
};

TEST_F(SelvaneReceiptTest, SampleSaleReceiptThenAnEmptyOne) {
  AddSampleLines();
  ASSERT_EQ(0, device_.Int("Payment", {200.0, 0}));
  device_.Call("SetTaxSystem", {0});
  ASSERT_EQ(0, device_.Int("CloseReceipt"));
  EXPECT_EQ(Lines({ReceiptTitle(42),
                   "Магазин",
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
                   "ИТОГО                   180.90",
                   "Получено                200.00",
                   "СДАЧА                    19.10",
                   "Тип платежа: 0",
                   "СНО: Общая",
                   "Спасибо за покупку",
                   kSep}),
            Receipts());
  EXPECT_EQ(0, device_.ResultCode());
  EXPECT_EQ(42, device_.Int("GetLastDocNumber"));
  EXPECT_DOUBLE_EQ(180.9, device_.Number("GetLastDocSum"));
  EXPECT_EQ(EncodeDateTime(2026, 12, 8, 14, 5, 9), device_.Number("GetLastDocDateTime"));
  EXPECT_EQ("180.9", StoredCash());
  EXPECT_EQ(-1, device_.Int("GetTaxSystem"));

  // The model was emptied; an empty model closes as a receipt without lines
  // and still uses up a number.
  const std::string first = Receipts();
  ASSERT_EQ(0, device_.Int("CloseReceiptAlt"));
  EXPECT_EQ(first + Lines({ReceiptTitle(43), "Магазин", "ИТОГО                     0.00", "Тип платежа: 0",
                           "СНО: ", "Спасибо за покупку", kSep}),
            Receipts());
  EXPECT_EQ(43, device_.Int("GetLastDocNumber"));
}

TEST_F(SelvaneReceiptTest, SalesAndReturnsDoNotMix) {
  ASSERT_EQ(0, device_.Int("ReturnItem", {1, "Хлеб", 1.0, 10.0, 0, 0, 0}));
  EXPECT_EQ(8, device_.Int("SaleItem", {1, "Молоко", 1.0, 20.0, 0, 0, 0}));
  EXPECT_EQ("Продажа не возможна - в чеке есть возврат", device_.ResultText());
  EXPECT_EQ(8, device_.Int("SaleItemExt", {1, "Молоко", 1.0, 20.0, 0, 0, 0, 1.0}));
  ASSERT_EQ(0, device_.Int("ReturnItemExt", {1, "Сыр", 1.0, 5.0, 0, 0, 0, 1.0}));
  EXPECT_EQ("", device_.ResultText());
  ASSERT_EQ(0, device_.Int("CashIn", {100.0}));
  ASSERT_EQ(0, device_.Int("CloseReceipt"));
  EXPECT_DOUBLE_EQ(-14.0, device_.Number("GetLastDocSum"));
  EXPECT_FALSE(FileHas({"Молоко"}));

  ASSERT_EQ(0, device_.Int("SaleItem", {1, "Молоко", 1.0, 20.0, 0, 0, 0}));
  EXPECT_EQ(8, device_.Int("ReturnItemExt", {1, "Хлеб", 1.0, 10.0, 0, 0, 0, 0.0}));
  EXPECT_EQ("Возврат не возможен - в чеке есть продажа", device_.ResultText());
  ASSERT_EQ(0, device_.Int("CancelReceipt"));
  EXPECT_EQ(0, device_.Int("ReturnItem", {1, "Хлеб", 1.0, 10.0, 0, 0, 0}));
}

struct PaymentCase {
  const char* name;
  double payment;
  int kind;
  double cash;  // in the drawer before the close
  int result;
  const char* text;
};

void PrintTo(const PaymentCase& c, std::ostream* os) { *os << c.name; }

class SelvanePaymentTest : public SelvaneReceiptTest, public ::testing::WithParamInterface<PaymentCase> {};

// A receipt of total 100 closed with one payment after another.
TEST_P(SelvanePaymentTest, ChecksPaymentAndChange) {
  const PaymentCase& c = GetParam();
  if (c.cash != 0) {
    ASSERT_EQ(0, device_.Int("CashIn", {c.cash}));
  }
  const std::string before = Receipts();
  ASSERT_EQ(0, device_.Int("SaleItem", {1, "Товар", 1.0, 100.0, 0, 0, 0}));
  ASSERT_EQ(0, device_.Int("Payment", {c.payment, c.kind}));
  device_.Call("SetTaxSystem", {1});
  device_.Call("SetCustomerContact", {"a@b.ru"});
  EXPECT_EQ(c.result, device_.Int("CloseReceipt"));
  EXPECT_EQ(c.result, device_.ResultCode());
  EXPECT_EQ(c.text, device_.ResultText());
  // Refused or not, the close uses up the one-shot values.
  EXPECT_EQ(-1, device_.Int("GetTaxSystem"));
  EXPECT_EQ("", device_.Text("GetCustomerContact"));
  if (c.result != 0) {
    EXPECT_EQ(before, Receipts());
    EXPECT_EQ(41, device_.Int("GetLastDocNumber"));
    EXPECT_EQ(0.0, device_.Number("GetLastDocSum"));
    EXPECT_EQ(0.0, device_.Number("GetLastDocDateTime"));
    // The lines stay: a corrected payment closes the same receipt.
    ASSERT_EQ(0, device_.Int("Payment", {100.0, 0}));
    ASSERT_EQ(0, device_.Int("CloseReceipt"));
    EXPECT_TRUE(FileHas({"Товар                   100.00 x      1.00 -      0.00"}));
  }
  EXPECT_EQ(42, device_.Int("GetLastDocNumber"));
}

INSTANTIATE_TEST_SUITE_P(
    Selvane, SelvanePaymentTest,
    ::testing::Values(PaymentCase{"Exact", 100.0, 1, 0, 0, ""}, PaymentCase{"WithinTolerance", 99.99995, 1, 0, 0, ""},
                      PaymentCase{"CentShort", 99.99, 0, 0, 8, "Сумма оплаты слишком мала"},
                      PaymentCase{"CashChangeFromEmptyDrawer", 1000.0, 0, 0, 0, ""},
                      PaymentCase{"CardChangeAboveDrawer", 1000.0, 1, 500, 7, "В кассе нет денег для сдачи"},
                      PaymentCase{"CardChangeEqualsDrawer", 1000.0, 1, 900, 0, ""},
                      // 0.3 + 0.6 in binary: a drawer of 0.90 as a receipt shows it.
                      PaymentCase{"CardChangeOfTheDrawerAsPrinted", 100.9, 1, 0.8999999999999999, 0, ""},
                      PaymentCase{"CardChangeAKopeckAboveTheDrawer", 100.91, 1, 0.8999999999999999, 7,
                                  "В кассе нет денег для сдачи"}),
    [](const ::testing::TestParamInfo<PaymentCase>& info) { return std::string(info.param.name); });

TEST_F(SelvaneReceiptTest, ChangeLinesOnlyWithAPayment) {
  for (double payment : {1000.0, 0.0}) {
    ASSERT_EQ(0, device_.Int("SaleItem", {1, "Товар", 1.0, 100.0, 0, 0, 0}));
    ASSERT_EQ(0, device_.Int("Payment", {payment, 0}));
    ASSERT_EQ(0, device_.Int("CloseReceipt"));
  }
  const std::string item =
      Lines({"ПРОДАЖА", "Секция №1", "Товар                   100.00 x      1.00 -      0.00",
             "                        100.00", "НДС: 0 - Соответствует секции", "ИТОГО                   100.00"});
  EXPECT_EQ(Lines({ReceiptTitle(42), "Магазин"}) + item +
                Lines({"Получено               1000.00", "СДАЧА                   900.00", "Тип платежа: 0",
                       "СНО: ", "Спасибо за покупку", kSep, ReceiptTitle(43), "Магазин"}) +
                item + Lines({"Тип платежа: 0", "СНО: ", "Спасибо за покупку", kSep}),
            Receipts());
  // Every sale adds its total to the drawer, whatever was paid.
  EXPECT_EQ("200", StoredCash());
}

TEST_F(SelvaneReceiptTest, ReturnReceiptTakesCashFromTheDrawer) {
  ASSERT_EQ(0, device_.Int("ReturnItem", {1, "Хлеб", 3.0, 50.0, 1, 4, 3}));
  ASSERT_EQ(0, device_.Int("Payment", {150.0, 1}));
  EXPECT_EQ(7, device_.Int("CloseReceipt"));
  EXPECT_EQ("", device_.ResultText());
  EXPECT_EQ("", Receipts());

  ASSERT_EQ(0, device_.Int("CashIn", {500.0}));
  const std::string before = Receipts();
  ASSERT_EQ(0, device_.Int("CloseReceipt"));
  // Return lines keep no attribute codes; the total shows positive.
  EXPECT_EQ(before + Lines({ReceiptTitle(42), "Магазин", "ВОЗВРАТ", "Секция №1",
                            "Хлеб                     50.00 x      3.00 -      0.00", "                        150.00",
                            "НДС: 0 - Соответствует секции", "ИТОГО                   150.00", "Тип платежа: 1",
                            "СНО: ", "Спасибо за покупку", kSep}),
            Receipts());
  EXPECT_DOUBLE_EQ(-150.0, device_.Number("GetLastDocSum"));
  EXPECT_EQ("350", StoredCash());
}

// The drawer of 0.3 + 0.6 is 0.8999999999999999 in binary and 0.90 on paper.
TEST_F(SelvaneReceiptTest, AReturnMayTakeTheDrawerAsPrinted) {
  ASSERT_EQ(0, device_.Int("CashIn", {0.3}));
  ASSERT_EQ(0, device_.Int("CashIn", {0.6}));
  ASSERT_EQ(0, device_.Int("ReturnItem", {1, "Хлеб", 1.0, 0.91, 0, 0, 0}));
  EXPECT_EQ(7, device_.Int("CloseReceipt"));
  ASSERT_EQ(0, device_.Int("CancelReceipt"));
  ASSERT_EQ(0, device_.Int("ReturnItem", {1, "Хлеб", 1.0, 0.9, 0, 0, 0}));
  EXPECT_EQ(0, device_.Int("CloseReceipt"));
  EXPECT_DOUBLE_EQ(-0.9, device_.Number("GetLastDocSum"));
}

TEST_F(SelvaneReceiptTest, AttributeLabelsAndFiscalValues) {
  ASSERT_EQ(0, device_.Int("SaleItem", {2, "А", 1.0, 1.0, 0, 0, 0}));
  ASSERT_EQ(0, device_.Int("SaleItem", {3, "Б", 1.0, 1.0, 14, 7, 7}));
  ASSERT_EQ(0, device_.Int("SaleItem", {-4, "В", 1.0, 1.0, 13, 8, 6}));
  device_.Call("SetTaxSystem", {5});
  device_.Call("SetCustomerContact", {"+79001234567"});
  ASSERT_EQ(0, device_.Int("CloseReceipt"));
  EXPECT_TRUE(FileHas({"Секция №2", "А                         1.00 x      1.00 -      0.00",
                       "                          1.00", "НДС: 0 - Соответствует секции", "Секция №3"}));
  EXPECT_TRUE(FileHas(
      {"Признак предмета расчета: 14", "Признак способа расчета : 7 - «ОПЛАТА КРЕДИТА", "НДС: 7", "Секция №-4"}));
  EXPECT_TRUE(FileHas(
      {"Признак предмета расчета: 13 - ИНОЙ ПРЕДМЕТ РАСЧЕТА", "Признак способа расчета : 8", "НДС: 6 - 18/118"}));
  EXPECT_TRUE(FileHas({"СНО: Патентная", "Тел. покупателя: +79001234567", "Спасибо за покупку"}));

  device_.Call("SetTaxSystem", {6});
  device_.Call("SetCustomerContact", {"a@b.ru"});
  ASSERT_EQ(0, device_.Int("CloseReceipt"));
  EXPECT_TRUE(FileHas({"СНО: ", "e-mail покупателя: a@b.ru", "Спасибо за покупку"}));
  EXPECT_EQ("", device_.Text("GetCustomerContact"));
}

TEST_F(SelvaneReceiptTest, LongNameAndFractionalQuantity) {
  ASSERT_EQ(0, device_.Int("SaleItem", {1, "Сыр российский весовой 45%", 1.234, 12.3, 0, 0, 0}));
  ASSERT_EQ(0, device_.Int("CloseReceipt"));
  EXPECT_TRUE(
      FileHas({"Сыр российский весовой 45%     12.30 x      1.23 -      0.00", "                         15.18"}));
}

TEST_F(SelvaneReceiptTest, EachLineIsRoundedOnItsOwn) {
  // A discount and a payment given before the first line stay for it.
  ASSERT_EQ(0, device_.Int("AddDiscount", {10.0}));
  ASSERT_EQ(0, device_.Int("AddDiscount", {5.0}));
  ASSERT_EQ(0, device_.Int("Payment", {100.0, 0}));
  ASSERT_EQ(0, device_.Int("SaleItemExt", {1, "Гвоздь", 1.0, 0.375, 0, 0, 0, 0.125}));
  ASSERT_EQ(0, device_.Int("SaleItem", {1, "Молоток", 1.0, 100.0, 0, 0, 0}));
  ASSERT_EQ(0, device_.Int("CloseReceipt"));
  // Line sum R(0.375 - 0.125) = 0.25, but the total takes R(0.375) - R(0.125) = 0.26.
  EXPECT_TRUE(FileHas({"Гвоздь                    0.38 x      1.00 -      0.12", "                          0.25"}));
  EXPECT_TRUE(FileHas({"СКИДКА                   15.00", "ИТОГО                    85.26",
                       "Получено                100.00", "СДАЧА                    14.74"}));
  EXPECT_DOUBLE_EQ(85.26, device_.Number("GetLastDocSum"));
}

TEST_F(SelvaneReceiptTest, HeaderAndFooterLinesStayUntilCleared) {
  ASSERT_EQ(0, device_.Int("AddHeaderLine", {"Добро пожаловать"}));
  ASSERT_EQ(0, device_.Int("AddHeaderLine", {"Добро пожаловать"}));
  ASSERT_EQ(0, device_.Int("AddFooterLine", {"Приходите ещё"}));
  ASSERT_EQ(0, device_.Int("CloseReceipt"));
  device_.Call("ClearHeaderLines");
  ASSERT_EQ(0, device_.Int("SaleItem", {1, "Товар", 1.0, 1.0, 0, 0, 0}));
  ASSERT_EQ(0, device_.Int("CancelReceipt"));
  ASSERT_EQ(0, device_.Int("CloseReceipt"));
  EXPECT_EQ(
      Lines({ReceiptTitle(42), "Магазин", "Добро пожаловать", "Добро пожаловать", "ИТОГО                     0.00",
             "Тип платежа: 0", "СНО: ", "Приходите ещё", "Спасибо за покупку", kSep, ReceiptTitle(43), "Магазин",
             "ИТОГО                     0.00", "Тип платежа: 0", "СНО: ", "Приходите ещё", "Спасибо за покупку", kSep}),
      Receipts());
  device_.Call("ClearFooterLines");
  ASSERT_EQ(0, device_.Int("CloseReceipt"));
  EXPECT_FALSE(Receipts().ends_with(Lines({"Приходите ещё", "Спасибо за покупку", kSep})));
}

TEST_F(SelvaneReceiptTest, NumberWrapsRoundAtTheTopOfItsRange) {
  WriteSettings("Lastnum=2147483647\r\n");
  device_.Call("LoadSettings");
  ASSERT_EQ(0, device_.Int("CloseReceipt"));
  EXPECT_TRUE(Receipts().starts_with(Ansi("Чек №-2147483648 от ")));
  EXPECT_EQ(-2147483647 - 1, device_.Int("GetLastDocNumber"));
}

}  // namespace
