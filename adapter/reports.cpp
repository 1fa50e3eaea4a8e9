// What the register says about itself: the identification and full status
// reports (left in the result text for the host to show), the serial number,
// and the record of the last document in driver register 51.
#include <string>

#include "adapter/tarnvik.h"
#include "contract/result_codes.h"
#include "platform/ansi.h"
#include "platform/clock.h"
#include "platform/codepage.h"

namespace {

constexpr LONG kLastDocumentRegister = 51;

std::string OrUnknown(std::string text) { return text.empty() ? "???" : text; }

std::string IdentificationLine(const std::string& serial, const std::string& firmware, bool fiscal) {
  std::string line;
  line += "№ "_ansi;
  line += OrUnknown(serial);
  line += ", версия: "_ansi;
  line += OrUnknown(firmware);
  line += ", ";
  line += fiscal ? "Фиск"_ansi : "НЕ ФИСК"_ansi;
  return line;
}

std::string FzLine(bool supported) {
  return std::string("Поддержка 54ФЗ: "_ansi) + std::string(supported ? "Да"_ansi : "Нет"_ansi);
}

// Day, month, minute and second: two digits, "??" when the register gives none.
std::string TwoDigits(LONG value) {
  if (value <= 0) return "??";
  return (value < 10 ? "0" : "") + std::to_string(value);
}

std::string Hour(LONG value) { return value <= 0 ? "??" : std::to_string(value); }
std::string Year(LONG value) { return value <= 0 ? "????" : std::to_string(value); }

std::string PaperLine(bool receiptTape, bool controlTape) {
  auto word = [](bool present) { return std::string(present ? "есть"_ansi : "НЕТ"_ansi); };
  std::string line;
  line += "Бумага: "_ansi;
  if (receiptTape == controlTape) return line + word(receiptTape);
  return line + std::string("датчик ЧЛ: "_ansi) + word(receiptTape) + std::string(", датчик КЛ: "_ansi) +
         word(controlTape);
}

}  // namespace

// The driver members are read in a fixed order, each in its own statement.
int32_t TTarnvik::TestConnection() {
  const auto work = [this](int32_t& out) {
    Driver().Call("GetStatus"_member);
    const std::string firmware = Driver().Get("ROMVersion"_member).ToAnsi();
    const std::string serial = Driver().Get("SerialNumber"_member).ToAnsi();
    const std::string version = Driver().Get("Version"_member).ToAnsi();
    std::string report = IdentificationLine(serial, firmware, Driver().Get("Fiscal"_member).ToBool());
    report += "\r\n" + FzLine(Driver().Get("Is54FZ"_member).ToBool());
    report += "\r\n" + std::string("Версия драйвера: "_ansi) + OrUnknown(version);
    FResultText = AnsiToUtf16(report);
    Driver().Call("Beep"_member);
    out = 0;
  };
  return WithConnection(kStandalone, work).result;
}

int32_t TTarnvik::GetDeviceStatus() {
  const auto work = [this](int32_t& out) {
    Driver().Call("GetStatus"_member);
    const std::string firmware = Driver().Get("ROMVersion"_member).ToAnsi();
    const std::string serial = Driver().Get("SerialNumber"_member).ToAnsi();
    const bool receiptTape = Driver().Get("CheckPaperPresent"_member).ToBool();
    const bool controlTape = Driver().Get("ControlPaperPresent"_member).ToBool();
    std::string report = IdentificationLine(serial, firmware, Driver().Get("Fiscal"_member).ToBool());
    report += "\r\n" + FzLine(Driver().Get("Is54FZ"_member).ToBool());
    report += "\r\n" + std::string("Дата: "_ansi) + TwoDigits(Driver().Get("Day"_member).ToInt());
    report += "/" + TwoDigits(Driver().Get("Month"_member).ToInt());
    report += "/" + Year(Driver().Get("Year"_member).ToInt());
    report += std::string(", время: "_ansi) + Hour(Driver().Get("Hour"_member).ToInt());
    report += ":" + TwoDigits(Driver().Get("Minute"_member).ToInt());
    report += ":" + TwoDigits(Driver().Get("Second"_member).ToInt());
    report += "\r\n" + PaperLine(receiptTape, controlTape);
    const bool coverOpen = Driver().Get("CoverOpened"_member).ToBool();
    report += "\r\n" + std::string("Крышка принтера: "_ansi) + std::string(coverOpen ? "открыта"_ansi : "закрыта"_ansi);
    FResultText = AnsiToUtf16(report);
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
