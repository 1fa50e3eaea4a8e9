// Cash deposits and withdrawals, the X and Z reports, and free printing.
// Each works alone and also inside an open receipt, and leaves the
// connection and the register as it found them.
#include "adapter/register_codes.h"
#include "adapter/tarnvik.h"
#include "contract/result_codes.h"

namespace {

using register_code::kCashShort;
using register_code::kRegistrationMode;
using register_code::kXReport;
using register_code::kXReportMode;
using register_code::kZReport;
using register_code::kZReportMode;

constexpr LONG kAlignment = 1;
constexpr LONG kBarcodeType = 2;
constexpr LONG kBarcodeTextPlacement = 2;

}  // namespace

int32_t TTarnvik::CashIn(double sum) {
  const auto work = [&](int32_t& out) {
    if (!EnterMode(kRegistrationMode)) return DriverFailure(out, result::kModeOrFileError);
    Driver().Put("Summ"_member, Variant(sum), kByReference);
    // A deposit the register refused must not look like a success.
    if (Driver().Get("CashIncome"_member).ToInt() != 0) DriverFailure(out, result::kDriverError);
    Driver().Call("ResetMode"_member);
  };
  return WithConnection(kStandalone, work).result;
}

int32_t TTarnvik::CashOut(double sum) {
  const auto work = [&](int32_t& out) {
    if (!EnterMode(kRegistrationMode)) return DriverFailure(out, result::kModeOrFileError);
    Driver().Put("Summ"_member, Variant(sum), kByReference);
    if (const LONG answer = Driver().Get("CashOutcome"_member).ToInt(); answer != 0) {
      DriverFailure(out, answer == kCashShort ? result::kNoCash : result::kDriverError);
    }
    Driver().Call("ResetMode"_member);
  };
  return WithConnection(kStandalone, work).result;
}

int32_t TTarnvik::XReport() {
  const auto work = [&](int32_t& out) {
    if (!EnterMode(kXReportMode)) return DriverFailure(out, result::kModeOrFileError);
    Driver().Put("ReportType"_member, Variant(kXReport));
    // A report the register did not print must not look like a success.
    if (Driver().Get("Report"_member).ToInt() != 0) DriverFailure(out, result::kDriverError);
    Driver().Call("ResetMode"_member);
  };
  return WithConnection(kStandalone, work).result;
}

int32_t TTarnvik::ZReport() {
  const auto work = [&](int32_t& out) {
    if (!EnterMode(kZReportMode)) return DriverFailure(out, result::kModeOrFileError);
    Driver().Put("ReportType"_member, Variant(kZReport));
    if (const LONG answer = Driver().Get("Report"_member).ToInt(); answer != 0) {
      DriverFailure(out, answer == register_code::kShiftTooLong ? result::kShiftTooLong : result::kDriverError);
    }
    Driver().Call("ResetMode"_member);
  };
  return WithConnection(kStandalone, work).result;
}

int32_t TTarnvik::PrintText(const std::string& text) {
  const auto work = [&](int32_t& out) {
    Driver().Put("Caption"_member, Variant::Text(text));
    Driver().Put("Alignment"_member, Variant(kAlignment));
    // A line the register did not print must not look like a success.
    if (Driver().Get("PrintString"_member).ToInt() != 0) DriverFailure(out, result::kDriverError);
  };
  return WithConnection(kStandalone, work).result;
}

int32_t TTarnvik::FeedLines(int32_t count) {
  const auto work = [&](int32_t& out) {
    // Stop at the first line that did not print: the rest would fail alike.
    for (int32_t line = 0; line < count && out == result::kOk; ++line) out = PrintText(" ");
  };
  return WithConnection(kStandalone, work).result;
}

int32_t TTarnvik::PrintBarcode(const std::string& barcode, int32_t) {
  const auto work = [&](int32_t& out) {
    Driver().Put("Barcode"_member, Variant::Text(barcode));
    Driver().Put("BarcodeType"_member, Variant(kBarcodeType));
    Driver().Put("AutoSize"_member, Variant(true));
    Driver().Put("Alignment"_member, Variant(kAlignment));
    Driver().Put("PrintBarcodeText"_member, Variant(kBarcodeTextPlacement));
    // A barcode the register did not print must not look like a success.
    if (Driver().Get("PrintBarcode"_member).ToInt() != 0) DriverFailure(out, result::kDriverError);
  };
  return WithConnection(kStandalone, work).result;
}
