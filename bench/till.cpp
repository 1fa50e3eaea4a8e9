#include "bench/till.h"

#include "platform/ansi.h"

Till::Till() : name_(AnsiToBstr("Молоко пастеризованное 3,2% 1 л"_ansi)) {}

LONG Outcome(HRESULT status, LONG result) { return FAILED(status) ? static_cast<LONG>(status) : result; }

LONG Till::RingUp(IFiscalDevice& device, int lines) const {
  LONG result = 0;
  for (int i = 0; i < lines; ++i) {
    HRESULT status =
        device.SaleItem(kDepartment, Name(), kQuantity, kPrice, kItemType, kPaymentMode, kTaxType, &result);
    if (LONG failure = Outcome(status, result)) return failure;
  }
  HRESULT status = device.Payment(lines * kQuantity * kPrice, kCash, &result);
  return Outcome(status, result);
}

LONG Till::Sell(IFiscalDevice& device) const {
  if (LONG failure = RingUp(device, kSaleLines)) return failure;
  LONG result = 0;
  HRESULT status = device.CloseReceipt(&result);
  return Outcome(status, result);
}
