#include <gtest/gtest.h>

#include <limits>
#include <string>

#include "platform/calendar.h"

namespace {

constexpr double kSecond = 1.0 / 86400;

// The calendar's reading of an OLE date as text, so failures show the date.
std::string Read(double date) {
  const auto time = calendar::FromOleDate(date);
  return time ? calendar::Format(*time) : "none";
}

double Ole(int year, int month, int day, int hour = 0, int minute = 0, int second = 0) {
  return calendar::ToOleDate({year, month, day, hour, minute, second});
}

TEST(Calendar, KnowsLeapYearsAndMonthLengths) {
  EXPECT_EQ(calendar::DaysInMonth(1900, 2), 28);
  EXPECT_EQ(calendar::DaysInMonth(2000, 2), 29);
  EXPECT_EQ(calendar::DaysInMonth(2024, 2), 29);
  EXPECT_EQ(calendar::DaysInMonth(2023, 2), 28);
  EXPECT_EQ(calendar::DaysInMonth(2024, 4), 30);
  EXPECT_EQ(calendar::DaysInMonth(2024, 12), 31);

  EXPECT_TRUE(calendar::IsValid({1, 1, 1, 0, 0, 0}));
  EXPECT_TRUE(calendar::IsValid({9999, 12, 31, 23, 59, 59}));
  const calendar::DateTime bad[] = {{1900, 2, 29, 0, 0, 0}, {0, 1, 1, 0, 0, 0},     {10000, 1, 1, 0, 0, 0},
                                    {2024, 0, 1, 0, 0, 0},  {2024, 13, 1, 0, 0, 0}, {2024, 1, 0, 0, 0, 0},
                                    {2024, 1, 1, 24, 0, 0}, {2024, 1, 1, 0, 60, 0}, {2024, 1, 1, 0, 0, 60},
                                    {2024, 1, 1, -1, 0, 0}};
  for (const auto& t : bad) EXPECT_FALSE(calendar::IsValid(t)) << calendar::Format(t);
}

TEST(Calendar, CountsOleDatesFromTheEpoch) {
  EXPECT_EQ(Ole(1899, 12, 30), 0.0);
  EXPECT_EQ(Ole(1900, 1, 1), 2.0);
  EXPECT_EQ(Ole(1900, 3, 1), 61.0);  // no 29 February 1900
  EXPECT_EQ(Ole(2024, 2, 29, 12), 45351.5);
  EXPECT_EQ(Ole(1, 1, 1), -693593.0);
  EXPECT_EQ(Ole(9999, 12, 31), 2958465.0);
  EXPECT_EQ(Read(45351.5), "2024-02-29 12:00:00");
  EXPECT_EQ(Read(2958465 + 86399 * kSecond), "9999-12-31 23:59:59");
}

TEST(Calendar, DatesBeforeTheEpochCountDaysBackAndTimeForward) {
  EXPECT_EQ(Ole(1899, 12, 29, 6), -1.25);
  EXPECT_EQ(Ole(1600, 2, 29, 18), -109512.75);
  EXPECT_EQ(Read(-1.25), "1899-12-29 06:00:00");
  EXPECT_EQ(Read(-109512.75), "1600-02-29 18:00:00");
  // Between -1 and 0 it is still the epoch's day, as between 0 and 1.
  EXPECT_EQ(Read(-0.5), "1899-12-30 12:00:00");
  // The first day's last hours are in range although below -693593.
  EXPECT_EQ(Read(-693593.75), "0001-01-01 18:00:00");
}

TEST(Calendar, RoundsToTheNearestSecond) {
  const double nine = Ole(2026, 12, 8, 14, 5, 9);
  EXPECT_EQ(Read(nine - kSecond / 1000), "2026-12-08 14:05:09");
  EXPECT_EQ(Read(nine + kSecond * 0.49), "2026-12-08 14:05:09");
  EXPECT_EQ(Read(nine + kSecond * 0.51), "2026-12-08 14:05:10");
  // Rounding up into midnight moves to the next day, across a year too, and
  // before the epoch the next day is one less day back.
  EXPECT_EQ(Read(Ole(2024, 2, 28, 23, 59, 59) + kSecond * 0.7), "2024-02-29 00:00:00");
  EXPECT_EQ(Read(Ole(2026, 12, 31, 23, 59, 59) + kSecond * 0.7), "2027-01-01 00:00:00");
  EXPECT_EQ(Read(Ole(1899, 12, 28, 23, 59, 59) - kSecond * 0.7), "1899-12-29 00:00:00");
  EXPECT_EQ(Read(-0.9999999999), "1899-12-31 00:00:00");
  // There is no day after the last one.
  EXPECT_EQ(Read(Ole(9999, 12, 31, 23, 59, 59) + kSecond * 0.7), "9999-12-31 23:59:59");
}

TEST(Calendar, HasNoDateForValuesOutsideItsYears) {
  constexpr double kInfinity = std::numeric_limits<double>::infinity();
  for (double date :
       {std::numeric_limits<double>::quiet_NaN(), kInfinity, -kInfinity, -693594.0, 2958466.0, 1e300, -1e300}) {
    EXPECT_EQ(Read(date), "none") << date;
  }
}

// Every day of the years 1 to 9999 follows the one before it, and its date
// and its OLE date convert into each other.
TEST(Calendar, EveryDayRoundTrips) {
  calendar::DateTime expected{1, 1, 1, 0, 0, 0};
  for (long long serial = -693593; serial <= 2958465; ++serial) {
    const int second = static_cast<int>(serial * 7919 % 86400 + 86400) % 86400;
    expected.hour = second / 3600;
    expected.minute = second / 60 % 60;
    expected.second = second % 60;
    const double date = calendar::ToOleDate(expected);
    const auto got = calendar::FromOleDate(date);
    if (static_cast<long long>(date) != serial || got != expected) {
      FAIL() << calendar::Format(expected) << " as " << date << " reads " << Read(date);
    }
    if (++expected.day > calendar::DaysInMonth(expected.year, expected.month)) {
      expected.day = 1;
      if (++expected.month > 12) {
        expected.month = 1;
        ++expected.year;
      }
    }
  }
}

TEST(Calendar, ReadsAndWritesTheFixedTextForm) {
  for (const char* text : {"2024-02-29 23:59:59", "0001-01-01 00:00:00", "9999-12-31 23:59:59"}) {
    const auto time = calendar::Parse(text);
    ASSERT_TRUE(time) << text;
    EXPECT_EQ(calendar::Format(*time), text);
  }
  for (const char* text : {"2023-02-29 10:00:00", "0000-01-01 00:00:00", "2024-03-05 24:00:00", "2024-3-05 10:00:00",
                           "2024-03-05T10:00:00", "2024-03-05 10:00:00 ", "+024-03-05 10:00:00", ""}) {
    EXPECT_FALSE(calendar::Parse(text)) << text;
  }
}

}  // namespace
