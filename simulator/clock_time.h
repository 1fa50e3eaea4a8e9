// The register's clock readings: the parts the driver hands out, the
// settings file's "YYYY-MM-DD HH:MM:SS" form, and the platform's OLE dates.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "platform/com.h"

struct ClockTime {
  int year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0;
};

// Only a real date and time of day in exactly that shape is accepted.
std::optional<ClockTime> ParseClockTime(std::string_view text);
std::string FormatClockTime(const ClockTime& time);
// To the whole second; the platform's clock gives dates after 1899.
ClockTime ClockTimeFromDate(DATE value);
