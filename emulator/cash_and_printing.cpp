#include <algorithm>

#include "contract/result_codes.h"
#include "emulator/file_emulator.h"
#include "emulator/messages.h"
#include "emulator/receipt_layout.h"
#include "module/money.h"
#include "platform/ansi.h"

namespace {

// Empty lines go out in pieces of this many, so a huge count never needs a
// huge buffer.
constexpr int32_t kEmptyLinesPerWrite = 4096;

}  // namespace

// The drawer changes only once the amount line is in the file. The sign of
// the sum is not checked: a negative deposit lowers the drawer.
int32_t TFileEmulator::CashIn(double sum) {
  const double drawer = FCashInDrawer + sum;
  RequireBalanceWithinLimit(drawer);
  const int32_t code = AppendBlock(RenderCashMovement("Внесение суммы"_ansi, sum));
  if (code == result::kOk) FCashInDrawer = drawer;
  return code;
}

// Withdrawing the whole drawer, as a receipt would show it, is allowed; a
// kopeck more is not.
int32_t TFileEmulator::CashOut(double sum) {
  const double drawer = FCashInDrawer - sum;
  RequireBalanceWithinLimit(drawer);
  if (MoreThanInKopecks(sum, FCashInDrawer)) {
    FResultText.clear();
    return result::kNoCash;
  }
  const int32_t code = AppendBlock(RenderCashMovement("Снятие суммы"_ansi, sum));
  if (code == result::kOk) FCashInDrawer = drawer;
  return code;
}

// Leaves the file open: the next writer, the next Connect or the end of the
// object closes it.
int32_t TFileEmulator::FeedLines(int32_t count) {
  if (!FReceiptFile.OpenAppend()) return Fail(result::kRefused, message::kFileError);
  std::string lines;
  for (int32_t i = std::min(count, kEmptyLinesPerWrite); i > 0; --i) lines += "\r\n";
  for (int32_t left = count; left > 0; left -= kEmptyLinesPerWrite) {
    const std::size_t bytes = 2 * static_cast<std::size_t>(std::min(left, kEmptyLinesPerWrite));
    if (!FReceiptFile.Write(std::string_view(lines).substr(0, bytes))) {
      return Fail(result::kRefused, message::kFileError);
    }
  }
  return result::kOk;
}

// The text goes out unchanged: neither cut nor padded.
int32_t TFileEmulator::PrintText(const std::string& text) { return AppendBlock(RenderTextLine(text)); }

// Not supported: the last result stays, its text is emptied.
int32_t TFileEmulator::NotSupported() {
  FResultText.clear();
  return result::kNotSupported;
}

int32_t TFileEmulator::PrintBarcode(const std::string&, int32_t) { return NotSupported(); }

int32_t TFileEmulator::XReport() { return NotSupported(); }

int32_t TFileEmulator::ZReport() { return NotSupported(); }

int32_t TFileEmulator::AddHeaderLine(const std::string& text) {
  FHeaderLines.push_back(text);
  return result::kOk;
}

int32_t TFileEmulator::AddFooterLine(const std::string& text) {
  FFooterLines.push_back(text);
  return result::kOk;
}

void TFileEmulator::ClearHeaderLines() { FHeaderLines.clear(); }

void TFileEmulator::ClearFooterLines() { FFooterLines.clear(); }
