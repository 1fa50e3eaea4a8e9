#include <gtest/gtest.h>

#include <cmath>

#include "host/output.h"
#include "host/script.h"
#include "platform/ansi.h"
#include "platform/variant.h"

TEST(OutputFormat, NumbersInTheirShortestExactForm) {
  EXPECT_EQ("2", FormatNumber(2.0));
  EXPECT_EQ("45.5", FormatNumber(45.5));
  EXPECT_EQ("180.9", FormatNumber(180.9));
  EXPECT_EQ("-0.01", FormatNumber(-0.01));
  EXPECT_EQ("0.30000000000000004", FormatNumber(0.1 + 0.2));
  EXPECT_EQ("1000000", FormatNumber(1e6));
  EXPECT_EQ("0.000001", FormatNumber(1e-6));
  EXPECT_EQ("1e+15", FormatNumber(1e15));
}

TEST(OutputFormat, DatesFromDaysSince1899) {
  EXPECT_EQ("1899-12-30 00:00:00", FormatDate(0));
  EXPECT_EQ("2024-05-01 12:30:00", FormatDate(45413 + 12.5 / 24));
  EXPECT_EQ("2024-02-29 23:59:59", FormatDate(45351 + 86399.0 / 86400));
  // Before 1899 the time still runs forward from the day's midnight.
  EXPECT_EQ("1899-12-29 06:00:00", FormatDate(-1.25));
  // A time that rounds up to midnight belongs to the next day.
  EXPECT_EQ("2024-05-02 00:00:00", FormatDate(45413.9999999999));
  EXPECT_EQ("1899-12-30 00:00:00", FormatDate(-1.9999999999));
  EXPECT_EQ("9999-12-31 00:00:00", FormatDate(2958465));
  EXPECT_EQ("3000000", FormatDate(3e6));
  EXPECT_EQ("nan", FormatDate(std::nan("")));
}

TEST(OutputFormat, TextsAreEscapedSoEachValueStaysOnItsLine) {
  EXPECT_EQ(R"("a \"b\" \\ c\r\nd\te\x01")", EscapeText("a \"b\" \\ c\r\nd\te\x01", true));
  EXPECT_EQ(R"(ResultCode: -3800\r\nНет "денег")", EscapeText("ResultCode: -3800\r\nНет \"денег\"", false));
}

TEST(OutputFormat, VariantsByTheirType) {
  EXPECT_EQ("empty", FormatVariant(Variant().Ref()));
  EXPECT_EQ("true", FormatVariant(Variant(true).Ref()));
  EXPECT_EQ("-7", FormatVariant(Variant(LONG{-7}).Ref()));
  EXPECT_EQ("180.9", FormatVariant(Variant(180.9).Ref()));
  EXPECT_EQ("\"Эмулятор ККМ\"", FormatVariant(Variant::Text("Эмулятор ККМ"_ansi).Ref()));
  VARIANT date{};
  date.vt = VT_DATE;
  date.date = 45413.5;
  EXPECT_EQ("2024-05-01 12:00:00", FormatVariant(date));
}

TEST(OutputFormat, AnEchoedCallReadsBackAsTheSameCall) {
  const std::string line = R"(SaleItem 1 "Хлеб \"Бородинский\" \\ 1\t2" 2 45.5 1 4 3)";
  ParsedScript first = ParseScript("saleitem 1 \"Хлеб \\\"Бородинский\\\" \\\\ 1\\t2\" 2.0 45.50 +1 4 3");
  ASSERT_EQ(1u, first.calls.size());
  EXPECT_EQ(line, FormatCall(first.calls[0]));
  ParsedScript again = ParseScript(FormatCall(first.calls[0]));
  ASSERT_EQ(1u, again.calls.size());
  EXPECT_EQ(first.calls[0].arguments, again.calls[0].arguments);
}
