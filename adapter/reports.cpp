// What the register says about itself: the identification and full status
// reports (left in the result text for the host to show), the serial number,
// and the record of the last document in driver register 51.
#include <string>

#include "adapter/register_codes.h"
#include "adapter/tarnvik.h"
#include "contract/result_codes.h"
#include "platform/clock.h"
#include "platform/codepage.h"

namespace {

using register_code::kLastDocumentRegister;

// The reports are built as interface text: the register's serial number and
// versions may hold characters that Windows-1251 lacks, and reach the host
// as the register gave them.
OleString OrUnknown(OleString text) { return text.empty() ? OLESTR("???") : text; }

// Digits and signs only, which read the same in every code page.
OleString Number(LONG value) { return AnsiToUtf16(std::to_string(value)); }

OleString IdentificationLine(const OleString& serial, const OleString& firmware, bool fiscal) {
  return OLESTR("№ ") + OrUnknown(serial) + OLESTR(", версия: ") + OrUnknown(firmware) + OLESTR(", ") +
         (fiscal ? OLESTR("Фиск") : OLESTR("НЕ ФИСК"));
}

OleString FzLine(bool supported) {
  return OleString(OLESTR("Поддержка 54ФЗ: ")) + (supported ? OLESTR("Да") : OLESTR("Нет"));
}

// Day, month, minute and second: two digits, "??" when the register gives none.
OleString TwoDigits(LONG value) {
  if (value <= 0) return OLESTR("??");
  return (value < 10 ? OLESTR("0") : OLESTR("")) + Number(value);
}

OleString Hour(LONG value) { return value <= 0 ? OLESTR("??") : Number(value); }
OleString Year(LONG value) { return value <= 0 ? OLESTR("????") : Number(value); }

OleString PaperLine(bool receiptTape, bool controlTape) {
  auto word = [](bool present) { return OleString(present ? OLESTR("есть") : OLESTR("НЕТ")); };
  const OleString line = OLESTR("Бумага: ");
  if (receiptTape == controlTape) return line + word(receiptTape);
  return line + OLESTR("датчик ЧЛ: ") + word(receiptTape) + OLESTR(", датчик КЛ: ") + word(controlTape);
}

}  // namespace

// The driver members are read in a fixed order, each in its own statement.
int32_t TTarnvik::TestConnection() {
  const auto work = [this](int32_t& out) {
    Driver().Call("GetStatus"_member);
    const OleString firmware = Driver().Get("ROMVersion"_member).ToUtf16();
    const OleString serial = Driver().Get("SerialNumber"_member).ToUtf16();
    const OleString version = Driver().Get("Version"_member).ToUtf16();
    OleString report = IdentificationLine(serial, firmware, Driver().Get("Fiscal"_member).ToBool());
    report += OLESTR("\r\n") + FzLine(Driver().Get("Is54FZ"_member).ToBool());
    report += OLESTR("\r\nВерсия драйвера: ") + OrUnknown(version);
    FResultText = std::move(report);
    Driver().Call("Beep"_member);
    out = 0;
  };
  return WithConnection(kStandalone, work).result;
}

int32_t TTarnvik::GetDeviceStatus() {
  const auto work = [this](int32_t& out) {
    Driver().Call("GetStatus"_member);
    const OleString firmware = Driver().Get("ROMVersion"_member).ToUtf16();
    const OleString serial = Driver().Get("SerialNumber"_member).ToUtf16();
    const bool receiptTape = Driver().Get("CheckPaperPresent"_member).ToBool();
    const bool controlTape = Driver().Get("ControlPaperPresent"_member).ToBool();
    OleString report = IdentificationLine(serial, firmware, Driver().Get("Fiscal"_member).ToBool());
    report += OLESTR("\r\n") + FzLine(Driver().Get("Is54FZ"_member).ToBool());
    report += OLESTR("\r\nДата: ") + TwoDigits(Driver().Get("Day"_member).ToInt());
    report += OLESTR("/") + TwoDigits(Driver().Get("Month"_member).ToInt());
    report += OLESTR("/") + Year(Driver().Get("Year"_member).ToInt());
    report += OLESTR(", время: ") + Hour(Driver().Get("Hour"_member).ToInt());
    report += OLESTR(":") + TwoDigits(Driver().Get("Minute"_member).ToInt());
    report += OLESTR(":") + TwoDigits(Driver().Get("Second"_member).ToInt());
    report += OLESTR("\r\n") + PaperLine(receiptTape, controlTape);
    const bool coverOpen = Driver().Get("CoverOpened"_member).ToBool();
    report += OleString(OLESTR("\r\nКрышка принтера: ")) + (coverOpen ? OLESTR("открыта") : OLESTR("закрыта"));
    FResultText = std::move(report);
    Driver().Call("Beep"_member);
    out = 0;
  };
  return WithConnection(kStandalone, work).result;
}

OleString TTarnvik::GetSerialNumber() {
  OleString serial;
  // No "???" here: the serial number is handed out as the driver gives it.
  const Outcome outcome = WithConnection(kStandalone, [&](int32_t& out) {
    Driver().Call("GetStatus"_member);
    serial = Driver().Get("SerialNumber"_member).ToUtf16();
    out = 0;
  });
  if (!outcome.workDone) return OLESTR("Ошибка: ") + FResultText;
  return serial;
}

void TTarnvik::ReadLastDocument(const std::function<void()>& take) {
  WithConnection(kRegisterQuery, [&](int32_t&) {
    Driver().Put("RegisterNumber"_member, Variant(kLastDocumentRegister));
    if (Driver().Get("GetRegister"_member).ToInt() != 0) {
      FResultCode = result::kDriverError;
      CheckDriverResult();
      return;
    }
    take();
    FResultCode = result::kOk;
    FResultText.clear();
  });
}

int32_t TTarnvik::GetLastDocNumber() {
  int32_t number = 0;
  ReadLastDocument([&] { number = Driver().Get("DocNumber"_member).ToInt(); });
  return number;
}

double TTarnvik::GetLastDocSum() {
  double sum = 0;
  ReadLastDocument([&] { sum = Driver().Get("Summ"_member).ToDouble(); });
  return sum;
}

DATE TTarnvik::GetLastDocDateTime() {
  DATE when = 0;
  ReadLastDocument([&] {
    const LONG year = Driver().Get("Year"_member).ToInt();
    const LONG month = Driver().Get("Month"_member).ToInt();
    const LONG day = Driver().Get("Day"_member).ToInt();
    const LONG hour = Driver().Get("Hour"_member).ToInt();
    const LONG minute = Driver().Get("Minute"_member).ToInt();
    // A register without a dated last document answers with the current time.
    // An impossible date fails the call (after the register is switched off).
    when = (month == 0 || day == 0) ? LocalNow() : EncodeDateTime(year, month, day, hour, minute, 0);
  });
  return when;
}
