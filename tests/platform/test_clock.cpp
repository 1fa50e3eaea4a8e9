#include <gtest/gtest.h>
#include <locale.h>

#include <cmath>
#include <ctime>
#include <limits>

#include "platform/clock.h"
#include "platform/error.h"
#include "tests/support/temp_dir.h"

namespace {

constexpr double kSecond = 1.0 / 86400;

TEST(Clock, EncodesExactOleDates) {
  EXPECT_EQ(EncodeDateTime(1899, 12, 30, 0, 0, 0), 0.0);
  EXPECT_EQ(EncodeDateTime(1900, 1, 1, 0, 0, 0), 2.0);
  EXPECT_EQ(EncodeDateTime(2018, 3, 5, 0, 0, 0), 43164.0);
  EXPECT_EQ(EncodeDateTime(2018, 3, 5, 12, 0, 0), 43164.5);
  EXPECT_EQ(EncodeDateTime(100, 1, 1, 0, 0, 0), -657434.0);
  EXPECT_EQ(EncodeDateTime(9999, 12, 31, 0, 0, 0), 2958465.0);
  // Before the epoch the fraction still counts forward in the day.
  EXPECT_EQ(EncodeDateTime(1899, 12, 29, 6, 0, 0), -1.25);
  EXPECT_NEAR(EncodeDateTime(2026, 12, 8, 14, 5, 9), 46364 + (14 * 3600 + 5 * 60 + 9) * kSecond, 1e-9);
}

TEST(Clock, RejectsImpossibleDatesAndTimes) {
  EXPECT_NO_THROW(EncodeDateTime(2024, 2, 29, 23, 59, 59));
  EXPECT_NO_THROW(EncodeDateTime(2000, 2, 29, 0, 0, 0));
  EXPECT_NO_THROW(EncodeDateTime(1, 1, 1, 0, 0, 0));
  const int bad[][6] = {{2023, 2, 29, 0, 0, 0}, {1900, 2, 29, 0, 0, 0}, {2023, 4, 31, 0, 0, 0}, {2023, 0, 1, 0, 0, 0},
                        {2023, 13, 1, 0, 0, 0}, {2023, 1, 0, 0, 0, 0},  {0, 1, 1, 0, 0, 0},     {10000, 1, 1, 0, 0, 0},
                        {2023, 1, 1, 24, 0, 0}, {2023, 1, 1, 0, 60, 0}, {2023, 1, 1, 0, 0, 60}, {2023, 1, 1, -1, 0, 0}};
  for (const auto& p : bad) {
    try {
      EncodeDateTime(p[0], p[1], p[2], p[3], p[4], p[5]);
      ADD_FAILURE() << p[0] << "-" << p[1] << "-" << p[2] << " " << p[3] << ":" << p[4] << ":" << p[5];
    } catch (const ComError& error) {
      EXPECT_EQ(error.Status(), DISP_E_OVERFLOW);
    }
  }
}

TEST(Clock, FormatsTheRussianShortDateAndLongTime) {
  EXPECT_EQ(FormatDateTime(EncodeDateTime(2026, 12, 8, 14, 5, 9)), "08.12.2026 14:05:09");
  EXPECT_EQ(FormatDateTime(EncodeDateTime(2018, 3, 5, 9, 7, 0)), "05.03.2018 9:07:00");
  EXPECT_EQ(FormatDateTime(EncodeDateTime(2018, 3, 5, 0, 0, 1)), "05.03.2018 0:00:01");
  EXPECT_EQ(FormatDateTime(EncodeDateTime(2018, 3, 5, 0, 0, 0)), "05.03.2018");
  EXPECT_EQ(FormatDateTime(0), "30.12.1899");
  EXPECT_EQ(FormatDateTime(-1.25), "29.12.1899 6:00:00");
  EXPECT_EQ(FormatDateTime(EncodeDateTime(9999, 12, 31, 23, 59, 59)), "31.12.9999 23:59:59");
}

TEST(Clock, FormatRoundsToTheNearestSecond) {
  double nine = EncodeDateTime(2026, 12, 8, 14, 5, 9);
  EXPECT_EQ(FormatDateTime(nine - kSecond / 1000), "08.12.2026 14:05:09");
  EXPECT_EQ(FormatDateTime(nine + kSecond / 1000), "08.12.2026 14:05:09");
  // Just short of midnight rounds into the next day, shown without a time.
  EXPECT_EQ(FormatDateTime(EncodeDateTime(2026, 12, 9, 0, 0, 0) - kSecond / 1000), "09.12.2026");
  EXPECT_EQ(FormatDateTime(EncodeDateTime(2026, 12, 31, 23, 59, 59) + kSecond * 0.7), "01.01.2027");
}

TEST(Clock, FormatSurvivesValuesWithoutADate) {
  for (double value : {std::numeric_limits<double>::quiet_NaN(), std::numeric_limits<double>::infinity(),
                       -std::numeric_limits<double>::infinity(), 1e300, -1e300, 3e6, -7e5}) {
    EXPECT_EQ(FormatDateTime(value), "") << value;
  }
}

TEST(Clock, FixedClockReplacesTheSystemClockWhenWellFormed) {
  {
    ScopedEnv fixed("SORVIN_FIXED_CLOCK", "2018-03-05 14:30:15");
    EXPECT_EQ(LocalNow(), EncodeDateTime(2018, 3, 5, 14, 30, 15));
  }
  for (const char* malformed : {"2018-3-5 14:30:15", "2018-02-30 10:00:00", "2018-03-05 24:00:00",
                                "2018-03-05T14:30:15", "2018-03-05 14:30:15 ", ""}) {
    ScopedEnv fixed("SORVIN_FIXED_CLOCK", malformed);
    std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    double expected = EncodeDateTime(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, local.tm_hour, local.tm_min,
                                     local.tm_sec);
    EXPECT_NEAR(LocalNow(), expected, 5 * kSecond) << malformed;
  }
}

TEST(Clock, DecimalSeparatorFollowsTheNumericLocale) {
  {
    ScopedEnv all("LC_ALL", "C");
    EXPECT_EQ(LocaleDecimalSeparator(), '.');
  }
  locale_t russian = newlocale(LC_NUMERIC_MASK, "ru_RU.UTF-8", static_cast<locale_t>(0));
  if (russian == static_cast<locale_t>(0)) GTEST_SKIP() << "ru_RU.UTF-8 is not installed";
  freelocale(russian);
  ScopedEnv all("LC_ALL", "ru_RU.UTF-8");
  EXPECT_EQ(LocaleDecimalSeparator(), ',');
}

}  // namespace
