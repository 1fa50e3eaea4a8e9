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
    Driver().Call("GetStatus");
    const std::string firmware = Driver().Get("ROMVersion").ToAnsi();
    const std::string serial = Driver().Get("SerialNumber").ToAnsi();
    const std::string version = Driver().Get("Version").ToAnsi();
    std::string report = IdentificationLine(serial, firmware, Driver().Get("Fiscal").ToBool());
    report += "\r\n" + FzLine(Driver().Get("Is54FZ").ToBool());
    report += "\r\n" + std::string("Версия драйвера: "_ansi) + OrUnknown(version);
    FResultText = std::move(report);
    Driver().Call("Beep");
    out = 0;
  };
  return WithConnection(kStandalone, work).result;
}

int32_t TTarnvik::GetDeviceStatus() {
  const auto work = [this](int32_t& out) {
    Driver().Call("GetStatus");
    const std::string firmware = Driver().Get("ROMVersion").ToAnsi();
    const std::string serial = Driver().Get("SerialNumber").ToAnsi();
    const bool receiptTape = Driver().Get("CheckPaperPresent").ToBool();
    const bool controlTape = Driver().Get("ControlPaperPresent").ToBool();
    std::string report = IdentificationLine(serial, firmware, Driver().Get("Fiscal").ToBool());
    report += "\r\n" + FzLine(Driver().Get("Is54FZ").ToBool());
    report += "\r\n" + std::string("Дата: "_ansi) + TwoDigits(Driver().Get("Day").ToInt());
    report += "/" + TwoDigits(Driver().Get("Month").ToInt());
    report += "/" + Year(Driver().Get("Year").ToInt());
    report += std::string(", время: "_ansi) + Hour(Driver().Get("Hour").ToInt());
    report += ":" + TwoDigits(Driver().Get("Minute").ToInt());
    report += ":" + TwoDigits(Driver().Get("Second").ToInt());
    report += "\r\n" + PaperLine(receiptTape, controlTape);
    const bool coverOpen = Driver().Get("CoverOpened").ToBool();
    report += "\r\n" + std::string("Крышка принтера: "_ansi) + std::string(coverOpen ? "открыта"_ansi : "закрыта"_ansi);
    FResultText = std::move(report);
    Driver().Call("Beep");
    out = 0;
  };
  return WithConnection(kStandalone, work).result;
}

OleString TTarnvik::GetSerialNumber() {
  std::string serial;
  // No "???" here: an empty serial number is handed out as it is.
  const Outcome outcome = WithConnection(kStandalone, [&](int32_t& out) {
    Driver().Call("GetStatus");
    serial = Driver().Get("SerialNumber").ToAnsi();
    out = 0;
  });
  if (!outcome.workDone) return AnsiToUtf16(std::string("Ошибка: "_ansi) + FResultText);
  return AnsiToUtf16(serial);
}

void TTarnvik::ReadLastDocument(const std::function<void()>& take) {
  WithConnection(kRegisterQuery, [&](int32_t&) {
    Driver().Put("RegisterNumber", Variant(kLastDocumentRegister));
    if (Driver().Get("GetRegister").ToInt() != 0) {
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
  ReadLastDocument([&] { number = Driver().Get("DocNumber").ToInt(); });
  return number;
}

double TTarnvik::GetLastDocSum() {
  double sum = 0;
  ReadLastDocument([&] { sum = Driver().Get("Summ").ToDouble(); });
  return sum;
}

DATE TTarnvik::GetLastDocDateTime() {
  DATE when = 0;
  ReadLastDocument([&] {
    const LONG year = Driver().Get("Year").ToInt();
    const LONG month = Driver().Get("Month").ToInt();
    const LONG day = Driver().Get("Day").ToInt();
    const LONG hour = Driver().Get("Hour").ToInt();
    const LONG minute = Driver().Get("Minute").ToInt();
    // A register without a dated last document answers with the current time.
    // An impossible date fails the call (after the register is switched off).
    when = (month == 0 || day == 0) ? LocalNow() : EncodeDateTime(year, month, day, hour, minute, 0);
  });
  return when;
}
