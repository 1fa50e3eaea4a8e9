#include <cmath>

#include "contract/result_codes.h"
#include "emulator/file_emulator.h"
#include "emulator/messages.h"
#include "emulator/receipt_layout.h"
#include "module/money.h"
#include "platform/clock.h"
#include "platform/on_exit.h"

namespace {

// A payment this close to the total counts as the total.
constexpr long double kPaymentTolerance = 0.0001L;

// The receipt number after `number`; past the largest it wraps round as
// the 32-bit counter it is kept in.
int32_t NextNumber(int32_t number) { return static_cast<int32_t>(static_cast<uint32_t>(number) + 1u); }

}  // namespace

int32_t TFileEmulator::CloseReceipt() {
  // A model without lines closes as a return receipt without lines.
  const bool isSale = !FSaleItems.IsEmpty();
  const long double total = ReceiptTotal(isSale ? FSaleItems : FReturnItems, FDiscountSum);
  const double signedTotal = static_cast<double>(isSale ? total : -total);
  RequireBalanceWithinLimit(total);
  RequireBalanceWithinLimit(FCashInDrawer + signedTotal);

  if (const int32_t code = OpenReceiptFile(); code != result::kOk) return code;
  // From here every way out closes the file and uses up the one-shot contact
  // and taxation system. Until the close has a result of its own the last
  // result is the out value's 0, and an exception leaves it so: the one
  // result kept before an operation returns.
  OnExit closing([this] {
    FReceiptFile.Close();
    FCustomerContact.clear();
    FTaxSystem = -1;
  });
  FResultCode = result::kOk;
  if (const int32_t refused = CheckReceiptSums(isSale, total); refused != result::kOk) return refused;

  const DATE now = LocalNow();
  const int32_t number = NextNumber(FLastNumber);
  return WriteReceipt(ReceiptText(isSale, total, number, FormatDateTime(now)), signedTotal, now, number);
}

int32_t TFileEmulator::CloseReceiptAlt() { return CloseReceipt(); }

// The drawer pays out a return and the change of a payment of kind above 0;
// each may take the drawer's last kopeck as a receipt shows it.
int32_t TFileEmulator::CheckReceiptSums(bool isSale, long double total) {
  if (!isSale) return MoreThanInKopecks(total, FCashInDrawer) ? Fail(result::kNoCash, {}) : result::kOk;
  // A receipt without a payment closes unchecked.
  if (FPaymentSum == 0) return result::kOk;
  const long double change = FPaymentSum - total;
  if (std::fabs(change) > kPaymentTolerance && total > FPaymentSum) {
    return Fail(result::kRefused, message::kPaymentTooSmall);
  }
  if (FPaymentKind > 0 && MoreThanInKopecks(change, FCashInDrawer)) {
    return Fail(result::kNoCash, message::kNoCashForChange);
  }
  return result::kOk;
}

std::string TFileEmulator::ReceiptText(bool isSale, long double total, int32_t number,
                                       std::string_view dateTime) const {
  return RenderReceipt({
      .number = number,
      .dateTime = dateTime,
      .title = FTitle,
      .headerLines = &FHeaderLines,
      .isSale = isSale,
      .lines = isSale ? &FSaleItems : &FReturnItems,
      .discountSum = FDiscountSum,
      .total = total,
      .paymentSum = FPaymentSum,
      .paymentKind = FPaymentKind,
      .taxSystem = FTaxSystem,
      .customerContact = FCustomerContact,
      .footerLines = &FFooterLines,
      .bottom = FBottom,
  });
}

// The whole receipt, its closing separator included, is one checked write:
// a receipt that did not reach the file in full uses up no number, moves no
// cash and keeps its lines, so the host can close it again.
int32_t TFileEmulator::WriteReceipt(const std::string& text, double signedTotal, DATE now, int32_t number) {
  FLastReceiptSum = signedTotal;
  FLastDateTime = now;
  if (!FReceiptFile.Write(text)) {
    FLastReceiptSum = 0;
    FLastDateTime = 0;
    return Fail(result::kRefused, message::kFileError);
  }
  FCashInDrawer += FLastReceiptSum;
  ResetReceipt();
  FLastNumber = number;
  return result::kOk;
}
