// Dates checked against the system's own conversion, written in the user's locale.
#include "platform/clock.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <cmath>
#include <regex>

#include "platform/ansi.h"
#include "platform/error.h"

namespace {

bool RussianUser() { return PRIMARYLANGID(LANGIDFROMLCID(GetUserDefaultLCID())) == LANG_RUSSIAN; }

// Our calendar makes the dates; the system's own conversion must agree,
// or a date would mean another day to the host than to the module.
TEST(WindowsClock, DatesAgreeWithTheSystemsOwnConversion) {
  const WORD dates[][6] = {{1899, 12, 30, 0, 0, 0},   {1899, 12, 29, 6, 0, 0},   {1900, 2, 28, 12, 0, 0},
                           {2018, 3, 5, 9, 7, 0},     {2024, 2, 29, 23, 59, 59}, {100, 1, 1, 0, 0, 1},
                           {9999, 12, 31, 23, 59, 59}};
  for (const auto& d : dates) {
    SYSTEMTIME time{};
    time.wYear = d[0];
    time.wMonth = d[1];
    time.wDay = d[2];
    time.wHour = d[3];
    time.wMinute = d[4];
    time.wSecond = d[5];
    DATE system = 0;
    ASSERT_TRUE(SystemTimeToVariantTime(&time, &system));
    EXPECT_NEAR(system, EncodeDateTime(d[0], d[1], d[2], d[3], d[4], d[5]), 1e-9) << d[0] << "-" << d[1] << "-" << d[2];
  }
}

TEST(WindowsClock, RefusesWhatIsNoDateWithOverflow) {
  const int invalid[][6] = {{2023, 2, 29, 0, 0, 0}, {2018, 13, 1, 0, 0, 0}, {2018, 3, 5, 24, 0, 0},
                            {2018, 3, 5, 9, 60, 0}, {2018, 3, 5, 9, 7, 60}, {0, 3, 5, 0, 0, 0},
                            {10000, 1, 1, 0, 0, 0}, {2018, 0, 5, 0, 0, 0},  {2018, 3, -1, 0, 0, 0}};
  for (const auto& p : invalid) {
    try {
      EncodeDateTime(p[0], p[1], p[2], p[3], p[4], p[5]);
      ADD_FAILURE() << p[0] << "-" << p[1] << "-" << p[2] << " " << p[3] << ":" << p[4] << ":" << p[5];
    } catch (const ComError& e) {
      EXPECT_EQ(DISP_E_OVERFLOW, e.Status());
      EXPECT_EQ(std::string("Недопустимая дата или время"_ansi), e.what());
    }
  }
}

TEST(WindowsClock, FormatsInTheUsersLocaleWithoutTimeAtMidnight) {
  if (!RussianUser()) GTEST_SKIP() << "needs a Russian user locale (LC_ALL=ru_RU.UTF-8 under Wine)";
  EXPECT_EQ("05.03.2018", FormatDateTime(EncodeDateTime(2018, 3, 5, 0, 0, 0)));
  // Windows writes the hour without a leading zero, Wine with one.
  EXPECT_TRUE(
      std::regex_match(FormatDateTime(EncodeDateTime(2018, 3, 5, 9, 7, 0)), std::regex("05\\.03\\.2018 0?9:07:00")));
  // A time kept a hair below its second still shows that second.
  EXPECT_TRUE(std::regex_match(FormatDateTime(EncodeDateTime(2018, 3, 5, 14, 5, 9) - 1e-9),
                               std::regex("05\\.03\\.2018 14:05:09")));
  EXPECT_EQ(',', LocaleDecimalSeparator());
}

TEST(WindowsClock, NoDateToShowOutsideTheCalendar) {
  EXPECT_EQ("", FormatDateTime(1e9));
  EXPECT_EQ("", FormatDateTime(-1e9));
  EXPECT_EQ("", FormatDateTime(std::nan("")));
}

TEST(WindowsClock, AFixedClockPinsNowForTestsAndDemonstrations) {
  ASSERT_TRUE(SetEnvironmentVariableA("SORVIN_FIXED_CLOCK", "2018-03-05 09:07:05"));
  EXPECT_EQ(EncodeDateTime(2018, 3, 5, 9, 7, 5), LocalNow());
  // A value that is no valid time leaves the real clock running.
  ASSERT_TRUE(SetEnvironmentVariableA("SORVIN_FIXED_CLOCK", "2018-02-30 09:07:05"));
  EXPECT_GT(LocalNow(), EncodeDateTime(2020, 1, 1, 0, 0, 0));
  SetEnvironmentVariableA("SORVIN_FIXED_CLOCK", nullptr);
}

}  // namespace
