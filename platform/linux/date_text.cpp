#include "platform/linux/date_text.h"

#include <cstdio>

#include "platform/calendar.h"
#include "platform/linux/text_scan.h"

namespace oleaut {
namespace {

enum class Part { kAbsent, kPresent, kMalformed };

// "dd.mm.yyyy" or "yyyy-mm-dd"; digits followed by neither are the time,
// and are left to be read again as that.
Part ScanDay(Cursor& c, calendar::DateTime& t) {
  const std::size_t start = c.Position();
  int first = 0;
  if (!c.Number(4, first)) return Part::kAbsent;
  if (c.Take(u'.')) {
    t.day = first;
    return c.Number(2, t.month) && c.Take(u'.') && c.Number(4, t.year) ? Part::kPresent : Part::kMalformed;
  }
  if (c.Take(u'-')) {
    t.year = first;
    return c.Number(2, t.month) && c.Take(u'-') && c.Number(2, t.day) ? Part::kPresent : Part::kMalformed;
  }
  c.Rewind(start);
  return Part::kAbsent;
}

// "h:mm[:ss]" and the blanks after it.
bool ScanTime(Cursor& c, calendar::DateTime& t) {
  if (!c.Number(2, t.hour) || !c.Take(u':') || !c.Number(2, t.minute)) return false;
  if (c.Take(u':') && !c.Number(2, t.second)) return false;
  c.Blanks();
  return true;
}

}  // namespace

HRESULT ParseDate(OleStringView text, double& out) {
  Cursor c(text);
  c.Blanks();
  calendar::DateTime t{1899, 12, 30, 0, 0, 0};  // the time alone is on day 0
  const Part day = ScanDay(c, t);
  if (day == Part::kMalformed) return DISP_E_TYPEMISMATCH;
  const bool hasDate = day == Part::kPresent;
  const bool separated = c.Blanks();
  const bool hasTime = !c.AtEnd();
  if (hasTime && ((hasDate && !separated) || !ScanTime(c, t))) return DISP_E_TYPEMISMATCH;
  if (!c.AtEnd() || (!hasDate && !hasTime)) return DISP_E_TYPEMISMATCH;
  if (t.year < 100 || !calendar::IsValid(t)) return DISP_E_TYPEMISMATCH;
  out = calendar::ToOleDate(t);
  return S_OK;
}

HRESULT FormatDate(double date, std::string& out) {
  if (!InDateRange(date)) return DISP_E_OVERFLOW;
  const calendar::DateTime t = *calendar::FromOleDate(date);  // the calendar holds every date of that range
  char text[40];
  if (t.year == 1899 && t.month == 12 && t.day == 30) {
    std::snprintf(text, sizeof text, "%d:%02d:%02d", t.hour, t.minute, t.second);
  } else if (t.hour == 0 && t.minute == 0 && t.second == 0) {
    std::snprintf(text, sizeof text, "%02d.%02d.%04d", t.day, t.month, t.year);
  } else {
    std::snprintf(text, sizeof text, "%02d.%02d.%04d %d:%02d:%02d", t.day, t.month, t.year, t.hour, t.minute, t.second);
  }
  out = text;
  return S_OK;
}

}  // namespace oleaut
