#include <cmath>

#include "contract/result_codes.h"
#include "emulator/file_emulator.h"
#include "emulator/messages.h"
#include "emulator/receipt_layout.h"
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
  if (!OpenReceiptFile()) return FResultCode;
  // From here every way out closes the file and uses up the one-shot contact
  // and taxation system; an exception leaves the result as far as it was set.
  int32_t result = result::kOk;
  OnExit closing([this, &result] {
    FResultCode = result;
    FReceiptFile.Close();
    FCustomerContact.clear();
    FTaxSystem = -1;
  });

  // A model without lines closes as a return receipt without lines.
  const bool isSale = !FSaleItems.IsEmpty();
  const TMyArray& lines = isSale ? FSaleItems : FReturnItems;
  const long double total = ReceiptTotal(lines, FDiscountSum);
  if (isSale && FPaymentSum != 0) {
    const long double change = FPaymentSum - total;
    if (std::fabs(change) > kPaymentTolerance && total > FPaymentSum) {
      return result = Fail(result::kRefused, message::kPaymentTooSmall);
    }
    // Only a payment of kind above 0 has its change checked against the drawer.
    if (FPaymentKind > 0 && change > FCashInDrawer) return result = Fail(result::kNoCash, message::kNoCashForChange);
  }
  if (!isSale && total > FCashInDrawer) return result = Fail(result::kNoCash, {});

  const DATE now = LocalNow();
  const std::string dateTime = FormatDateTime(now);
  ReceiptContent content;
  content.number = NextNumber(FLastNumber);
  content.dateTime = dateTime;
  content.title = FTitle;
  content.headerLines = &FHeaderLines;
  content.isSale = isSale;
  content.lines = &lines;
  content.discountSum = FDiscountSum;
  content.total = total;
  content.paymentSum = FPaymentSum;
  content.paymentKind = FPaymentKind;
  content.taxSystem = FTaxSystem;
  content.customerContact = FCustomerContact;
  content.footerLines = &FFooterLines;
  content.bottom = FBottom;
  const std::string text = RenderReceipt(content);

  FLastReceiptSum = static_cast<double>(isSale ? total : -total);
  FLastDateTime = now;
  // The whole receipt, its closing separator included, is one checked write:
  // a receipt that did not reach the file in full uses up no number, moves
  // no cash and keeps its lines, so the host can close it again.
  if (!FReceiptFile.Write(text)) {
    FLastReceiptSum = 0;
    FLastDateTime = 0;
    return result = Fail(result::kRefused, message::kFileError);
  }
  FCashInDrawer += FLastReceiptSum;
  ResetReceipt();
  FLastNumber = content.number;
  return result = result::kOk;
}

int32_t TFileEmulator::CloseReceiptAlt() { return CloseReceipt(); }
