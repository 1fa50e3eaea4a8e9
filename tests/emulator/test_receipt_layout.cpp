// The receipt layout's own functions: rounding, the amount field and the
// label tables at their edges, and the amounts of the item lines.
#include <gtest/gtest.h>

#include <cfenv>
#include <cmath>
#include <limits>

#include "emulator/receipt_fields.h"
#include "emulator/receipt_layout.h"
#include "platform/ansi.h"

namespace {

TEST(SelvaneRoundTo2, TiesGoToEvenAndOverflowGivesZero) {
  struct Case {
    long double value;
    long double rounded;
  };
  for (const Case& c : {Case{0.125L, 0.12L}, Case{0.375L, 0.38L}, Case{-0.125L, -0.12L}, Case{2.5L, 2.5L},
                        Case{1.005, 1.0L},  // the double lies just below 1.005
                        Case{0.0049L, 0}, Case{9e16L, 9e16L}, Case{1e17L, 0}, Case{-1e17L, 0},
                        Case{std::numeric_limits<long double>::infinity(), 0},
                        Case{std::numeric_limits<long double>::quiet_NaN(), 0}}) {
    SCOPED_TRACE(static_cast<double>(c.value));
    EXPECT_EQ(static_cast<double>(c.rounded), static_cast<double>(RoundTo2(c.value)));
  }
}

TEST(SelvaneRoundTo2, IgnoresTheRoundingModeOfTheHost) {
  const int mode = std::fegetround();
  std::fesetround(FE_UPWARD);
  long double down = RoundTo2(0.125L);
  std::fesetround(FE_DOWNWARD);
  long double up = RoundTo2(0.375L);
  std::fesetround(mode);
  EXPECT_EQ(0.12, static_cast<double>(down));
  EXPECT_EQ(0.38, static_cast<double>(up));
}

TEST(SelvaneAmountField, TwoDecimalsRightAlignedOrInFull) {
  struct Case {
    long double value;
    const char* text;
  };
  for (const Case& c :
       {Case{0, "      0.00"}, Case{180.9L, "    180.90"}, Case{-5, "     -5.00"}, Case{-0.001L, "      0.00"},
        Case{1.234L, "      1.23"}, Case{9999999.99L, "9999999.99"}, Case{12345678.9L, "12345678.90"},
        Case{-12345678.9L, "-12345678.90"}, Case{1e20L, "100000000000000000000.00"}}) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(c.text, std::string_view(AmountField(c.value)));
  }
}

TEST(SelvanePadRight, PadsShortTextsOnly) {
  const auto padded = [](std::string_view text, int32_t width) {
    std::string out = "|";
    PadRight(out, text, width);
    return out;
  };
  EXPECT_EQ("|ab   ", padded("ab", 5));
  EXPECT_EQ("|abcde", padded("abcde", 5));
  EXPECT_EQ("|abcdefg", padded("abcdefg", 5));
  EXPECT_EQ("|ab", padded("ab", -1));
}

TEST(SelvaneLabels, CodesAtTheEdgesOfEachTable) {
  EXPECT_EQ(std::nullopt, ItemTypeLabel(0));
  EXPECT_EQ("ТОВАР"_ansi, ItemTypeLabel(1));
  EXPECT_EQ("ИНОЙ ПРЕДМЕТ РАСЧЕТА"_ansi, ItemTypeLabel(13));
  EXPECT_EQ(std::nullopt, ItemTypeLabel(14));
  EXPECT_EQ(std::nullopt, ItemTypeLabel(std::numeric_limits<int32_t>::min()));
  EXPECT_EQ("ПРЕДОПЛАТА 100%"_ansi, PaymentModeLabel(1));
  EXPECT_EQ("«ОПЛАТА КРЕДИТА"_ansi, PaymentModeLabel(7));
  EXPECT_EQ(std::nullopt, PaymentModeLabel(8));
  EXPECT_EQ("Соответствует секции"_ansi, TaxTypeLabel(0));
  EXPECT_EQ("18/118", TaxTypeLabel(6));
  EXPECT_EQ(std::nullopt, TaxTypeLabel(7));
  EXPECT_EQ(std::nullopt, TaxTypeLabel(-1));
  EXPECT_EQ("Общая"_ansi, TaxSystemLabel(0));
  EXPECT_EQ("Патентная"_ansi, TaxSystemLabel(5));
  EXPECT_EQ("", TaxSystemLabel(6));
  EXPECT_EQ("", TaxSystemLabel(-1));
  EXPECT_EQ("-2147483648", std::string_view(IntegerField(std::numeric_limits<int32_t>::min())));
}

TEST(SelvaneReceiptTotal, RoundsEachLineThenTheReceiptDiscount) {
  TMyArray lines;
  EXPECT_EQ(-5.0, static_cast<double>(ReceiptTotal(lines, 5)));
  TReceiptItem half;
  half.Price = 0.125;
  half.Quantity = 1;
  lines.Add(half);
  lines.Add(half);
  // 0.12 + 0.12, not R(0.25).
  EXPECT_EQ(0.24, static_cast<double>(RoundTo2(ReceiptTotal(lines, 0))));
  half.Discount = 0.375;
  lines.Add(half);
  // 0.24 + (0.12 - 0.38) - R(0.125)
  EXPECT_EQ(-0.14, static_cast<double>(RoundTo2(ReceiptTotal(lines, 0.125))));
}

// Each amount of an item is rounded as RoundTo2 rounds it: ties to even,
// and a sum too large for it shows as 0.00; the quantity shows as given.
TEST(SelvaneItemLines, ShowTheAmountsRoundedOnce) {
  TMyArray lines;
  lines.Add({1, "x", 0.125, 3, 0.375, 0, 0, 0});
  lines.Add({1, "y", 1e17, 1e20, 0, 0, 0, 0});
  const std::vector<std::string> none;
  ReceiptContent content;
  content.headerLines = &none;
  content.footerLines = &none;
  content.lines = &lines;
  content.isSale = true;
  const std::string text = RenderReceipt(content);
  EXPECT_NE(std::string::npos, text.find("x                         0.12 x      3.00 -      0.38\r\n"
                                         "                          0.00\r\n"))
      << text;
  EXPECT_NE(std::string::npos, text.find("y                         0.00 x100000000000000000000.00 -      0.00\r\n"
                                         "                          0.00\r\n"))
      << text;
}

}  // namespace
