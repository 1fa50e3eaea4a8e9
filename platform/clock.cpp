// The part of the clock that needs no system: building a date from its
// parts, with the calendar's arithmetic on every platform.
#include "platform/clock.h"

#include <string>

#include "platform/ansi.h"
#include "platform/calendar.h"
#include "platform/error.h"

DATE EncodeDateTime(int year, int month, int day, int hour, int minute, int second) {
  const calendar::DateTime parts{year, month, day, hour, minute, second};
  if (!calendar::IsValid(parts)) throw ComError(DISP_E_OVERFLOW, std::string("Недопустимая дата или время"_ansi));
  return calendar::ToOleDate(parts);
}
