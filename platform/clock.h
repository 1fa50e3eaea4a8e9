// Local date and time, and the locale's ways of writing dates and numbers.
// Dates are OLE dates: days since 30 December 1899, time as the fraction.
#pragma once

#include <chrono>
#include <string>

#include "platform/com.h"

// The current local date and time. The environment variable
// SORVIN_FIXED_CLOCK ("YYYY-MM-DD HH:MM:SS") fixes it, for tests and demos.
DATE LocalNow();

// The current local date and time to the millisecond, for a journal:
// "YYYY-MM-DD HH:MM:SS.mmm". A fixed clock gives its second and ".000".
std::string LocalTimestamp();

// How long something took, on a clock that only runs forward.
class Stopwatch {
 public:
  double Milliseconds() const {
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start_).count();
  }

 private:
  std::chrono::steady_clock::time_point start_ = std::chrono::steady_clock::now();
};

// The date in the locale's short form and the time in its long form,
// separated by a blank; the time is left out at exactly midnight.
// Windows-1251 text.
std::string FormatDateTime(DATE value);

// Builds a date from its parts; throws a ComError (DISP_E_OVERFLOW) when
// they do not form a valid date and time.
DATE EncodeDateTime(int year, int month, int day, int hour, int minute, int second);

// The decimal separator of the user's numeric locale.
char LocaleDecimalSeparator();
