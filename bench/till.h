// The goods every benchmark sells, rung up through the vtable as a host
// does: the host keeps its texts as BSTRs and calls the interface directly.
#pragma once

#include "contract/fiscal_device.h"
#include "platform/bstr.h"

class Till {
 public:
  static constexpr int kSaleLines = 3;

  Till();

  // `lines` sale lines and a payment of exactly their total: the first
  // nonzero result, or 0 when all went well.
  LONG RingUp(IFiscalDevice& device, int lines) const;
  // RingUp of kSaleLines lines, then the close.
  LONG Sell(IFiscalDevice& device) const;

  BSTR Name() const { return name_.Get(); }
  static constexpr LONG kDepartment = 1;
  static constexpr double kQuantity = 2;
  static constexpr double kPrice = 45.5;
  static constexpr LONG kItemType = 1;
  static constexpr LONG kPaymentMode = 4;
  static constexpr LONG kTaxType = 3;
  static constexpr LONG kCash = 0;  // payment kind

 private:
  Bstr name_;
};

// A failure status counts as a failed operation, like a nonzero result.
LONG Outcome(HRESULT status, LONG result);
