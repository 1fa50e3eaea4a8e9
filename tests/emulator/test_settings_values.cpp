// The counters as text in the settings file.
#include <gtest/gtest.h>

#include "emulator/settings_values.h"

namespace {

TEST(SelvaneReceiptNumber, DecimalIntegersOnly) {
  struct Case {
    const char* text;
    int32_t number;
  };
  for (const Case& c :
       {Case{"42", 42}, Case{" 42 ", 42}, Case{"+7", 7}, Case{"-3", -3}, Case{"2147483647", 2147483647},
        Case{"2147483648", 0}, Case{"abc", 0}, Case{"42abc", 0}, Case{"4.5", 0}, Case{"", 0}, Case{"0x10", 0}}) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(c.number, ParseReceiptNumber(c.text));
  }
}

TEST(SelvaneCashSum, CommaOrPointAndNothingElse) {
  struct Case {
    const char* text;
    double sum;
  };
  for (const Case& c :
       {Case{"1520,5", 1520.5}, Case{"1520.5", 1520.5}, Case{"12,50", 12.5}, Case{" -3,25 ", -3.25}, Case{"+4", 4},
        Case{"1,5E+20", 1.5e20}, Case{"1e-05", 1e-5}, Case{"abc", 0}, Case{"", 0}, Case{"1,5,0", 0}, Case{"1.520,5", 0},
        Case{"1 520,5", 0}, Case{"inf", 0}, Case{"nan", 0}, Case{"1e400", 0}}) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(c.sum, ParseCashSum(c.text));
  }
}

TEST(SelvaneCashSumFormat, ShortestFormWithTheLocaleSeparator) {
  EXPECT_EQ("1520,5", FormatCashSum(1520.5, ','));
  EXPECT_EQ("1520.5", FormatCashSum(1520.5, '.'));
  EXPECT_EQ("0", FormatCashSum(0, ','));
  EXPECT_EQ("-12", FormatCashSum(-12, ','));
  EXPECT_EQ("0,3", FormatCashSum(0.1 + 0.2, ','));
  EXPECT_EQ("123456789012,35", FormatCashSum(123456789012.35, ','));
  for (double sum : {1520.5, 0.01, 1e-7, 1.5e20, -99999.99, 123456789012345.0}) {
    SCOPED_TRACE(sum);
    EXPECT_EQ(sum, ParseCashSum(FormatCashSum(sum, ',')));
    EXPECT_EQ(sum, ParseCashSum(FormatCashSum(sum, '.')));
  }
}

}  // namespace
