// Receipts on the register: lines, payment, close and cancel. The open
// receipt lives in the register; CheckState tells whether there is one.
#include "adapter/register_codes.h"
#include "adapter/tarnvik.h"
#include "contract/result_codes.h"

namespace {

using register_code::kRegistrationMode;
using register_code::kReturnReceipt;
using register_code::kSaleReceipt;

constexpr int32_t kTaxSystemTag = 1055;
constexpr int32_t kCustomerContactTag = 1008;
constexpr int32_t kHighestTaxSystem = 5;

Variant Int(int32_t value) { return Variant(static_cast<LONG>(value)); }

}  // namespace

int32_t TTarnvik::SaleItem(int32_t department, const std::string& name, double quantity, double price, int32_t itemType,
                           int32_t paymentMode, int32_t taxType) {
  return RegisterLine(kSaleReceipt, department, name, quantity, price, itemType, paymentMode, taxType);
}

int32_t TTarnvik::ReturnItem(int32_t department, const std::string& name, double quantity, double price,
                             int32_t itemType, int32_t paymentMode, int32_t taxType) {
  return RegisterLine(kReturnReceipt, department, name, quantity, price, itemType, paymentMode, taxType);
}

int32_t TTarnvik::RegisterLine(int32_t checkType, int32_t department, const std::string& name, double quantity,
                               double price, int32_t itemType, int32_t paymentMode, int32_t taxType) {
  const auto work = [&](int32_t& out) {
    // The first line opens the receipt; later lines go into the open
    // one, whatever its type.
    if (Driver().Get("CheckState"_member).ToInt() == 0) {
      if (!EnterMode(kRegistrationMode)) return DriverFailure(out, result::kModeOrFileError);
      Driver().Put("CheckType"_member, Int(checkType));
      Driver().Call("OpenCheck"_member);
    }
    Driver().Call("BeginItem"_member);
    Driver().Put("Department"_member, Int(department), kByReference);
    Driver().Put("Name"_member, Variant::Text(name));
    Driver().Put("Price"_member, Variant(price), kByReference);
    Driver().Put("Quantity"_member, Variant(quantity), kByReference);
    Driver().Put("Summ"_member, Variant(price * quantity));
    Driver().Put("ItemType"_member, Int(itemType), kByReference);
    Driver().Put("PaymentMode"_member, Int(paymentMode), kByReference);
    // Tax 0 means "as set for the department": a line with a department
    // never carries the host's tax type.
    if (department != 0) {
      Driver().Put("TaxTypeNumber"_member, Int(0));
    } else {
      Driver().Put("TaxTypeNumber"_member, Int(taxType), kByReference);
    }
    if (Driver().Get("EndItem"_member).ToInt() != 0) DriverFailure(out, result::kDriverError);
  };
  return WithConnection(kReceiptLine, work).result;
}

int32_t TTarnvik::Payment(double sum, int32_t kind) {
  const auto work = [&](int32_t& out) {
    // A payment never opens a receipt, but needs the registration mode.
    if (Driver().Get("CheckState"_member).ToInt() == 0 && !EnterMode(kRegistrationMode)) {
      return DriverFailure(out, result::kModeOrFileError);
    }
    Driver().Put("Summ"_member, Variant(sum), kByReference);
    Driver().Put("TypeClose"_member, Int(kind), kByReference);
    if (sum > 0 && Driver().Get("Payment"_member).ToInt() != 0) DriverFailure(out, result::kDriverError);
  };
  return WithConnection(kPayment, work).result;
}

void TTarnvik::WriteAttribute(int32_t tag, Variant value, bool byReference, Shown shown) {
  Driver().Put("AttrNumber"_member, Int(tag));
  Driver().Put("AttrValue"_member, std::move(value), byReference, shown);
  Driver().Call("WriteAttribute"_member);
}

// The taxation system and the customer contact hold for one close only: they
// are written back to neutral on the register and forgotten here, whether
// the close worked or not.
void TTarnvik::ResetReceiptAttributes() {
  // Forgotten before the register is asked: a register that raises an error
  // on the neutral values must not keep them for the next receipt.
  const bool hadTaxSystem = FTaxSystem >= 0;
  const bool hadContact = !FCustomerContact.empty();
  FTaxSystem = -1;
  FCustomerContact.clear();
  if (hadTaxSystem) WriteAttribute(kTaxSystemTag, Int(0));
  if (hadContact) WriteAttribute(kCustomerContactTag, Variant::Text(""));
}

int32_t TTarnvik::CloseReceipt() {
  const auto work = [&](int32_t& out) {
    try {
      if (Driver().Get("CheckState"_member).ToInt() == 0 && !EnterMode(kRegistrationMode)) {
        DriverFailure(out, result::kModeOrFileError);
      } else {
        // Tag 1055 carries the system as one bit. A code without a
        // system writes no tag at all rather than whatever value the
        // driver still holds from an earlier attribute.
        if (FTaxSystem >= 0 && FTaxSystem <= kHighestTaxSystem) {
          WriteAttribute(kTaxSystemTag, Int(1 << FTaxSystem));
        }
        if (!FCustomerContact.empty()) {
          // The customer's phone or e-mail is personal data: the journal masks it.
          WriteAttribute(kCustomerContactTag, Variant::Text(FCustomerContact), kByReference, Shown::Masked);
        }
        if (Driver().Get("CloseCheck"_member).ToInt() != 0) {
          DriverFailure(out, result::kDriverError);
        } else {
          Driver().Call("ResetMode"_member);
          out = 0;
        }
      }
    } catch (...) {
      ResetReceiptAttributes();
      throw;
    }
    ResetReceiptAttributes();
  };
  return WithConnection(kCloseReceipt, work).result;
}

int32_t TTarnvik::CancelReceipt() {
  const auto work = [&](int32_t& out) {
    // The cancel goes ahead whatever the register says to the mode.
    Driver().Put("Mode"_member, Int(kRegistrationMode));
    Driver().Call("SetMode"_member);
    if (Driver().Get("CancelCheck"_member).ToInt() != 0) {
      DriverFailure(out, result::kDriverError);
    } else {
      Driver().Call("ResetMode"_member);
      out = 0;
    }
  };
  return WithConnection(kCancelReceipt, work).result;
}

int32_t TTarnvik::SaleItemExt(int32_t, const std::string&, double, double, int32_t, int32_t, int32_t, double) {
  return result::kNotSupported;
}

int32_t TTarnvik::ReturnItemExt(int32_t, const std::string&, double, double, int32_t, int32_t, int32_t, double) {
  return result::kNotSupported;
}

int32_t TTarnvik::AddDiscount(double) { return result::kNotSupported; }
int32_t TTarnvik::CloseReceiptAlt() { return result::kNotSupported; }
int32_t TTarnvik::AddHeaderLine(const std::string&) { return result::kNotSupported; }
int32_t TTarnvik::AddFooterLine(const std::string&) { return result::kNotSupported; }
void TTarnvik::ClearHeaderLines() {}
void TTarnvik::ClearFooterLines() {}
