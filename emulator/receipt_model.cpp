// The receipt being built: nothing reaches the file before the close. A
// receipt is a sale or a return by whichever list holds lines; the two
// kinds never mix.
#include "contract/result_codes.h"
#include "emulator/file_emulator.h"
#include "emulator/messages.h"

namespace {

TReceiptItem MakeItem(int32_t department, const std::string& name, double quantity, double price, double discount) {
  TReceiptItem item;
  item.Department = department;
  item.Name = name;
  item.Price = price;
  item.Quantity = quantity;
  item.Discount = discount;
  return item;
}

}  // namespace

int32_t TFileEmulator::SaleItem(int32_t department, const std::string& name, double quantity, double price,
                                int32_t itemType, int32_t paymentMode, int32_t taxType) {
  return SaleItemExt(department, name, quantity, price, itemType, paymentMode, taxType, 0);
}

int32_t TFileEmulator::SaleItemExt(int32_t department, const std::string& name, double quantity, double price,
                                   int32_t itemType, int32_t paymentMode, int32_t taxType, double discount) {
  if (!FReturnItems.IsEmpty()) return Fail(result::kRefused, message::kSaleOnReturn);
  TReceiptItem item = MakeItem(department, name, quantity, price, discount);
  item.ItemType = itemType;
  item.PaymentMode = paymentMode;
  item.TaxType = taxType;
  FSaleItems.Add(std::move(item));
  return result::kOk;
}

int32_t TFileEmulator::ReturnItem(int32_t department, const std::string& name, double quantity, double price,
                                  int32_t itemType, int32_t paymentMode, int32_t taxType) {
  return ReturnItemExt(department, name, quantity, price, itemType, paymentMode, taxType, 0);
}

// A return line keeps no attribute codes: its receipt shows neither an item
// type nor a payment mode, and VAT code 0.
int32_t TFileEmulator::ReturnItemExt(int32_t department, const std::string& name, double quantity, double price,
                                     int32_t, int32_t, int32_t, double discount) {
  if (!FSaleItems.IsEmpty()) return Fail(result::kRefused, message::kReturnOnSale);
  FReturnItems.Add(MakeItem(department, name, quantity, price, discount));
  return result::kOk;
}

// Discounts add up, also before the first line.
int32_t TFileEmulator::AddDiscount(double sum) {
  const double discount = FDiscountSum + sum;
  RequireBalanceWithinLimit(discount);
  FDiscountSum = discount;
  return result::kOk;
}

// One payment per receipt: a later call replaces the earlier one. It is
// checked against the total only at the close.
int32_t TFileEmulator::Payment(double sum, int32_t kind) {
  FPaymentSum = sum;
  FPaymentKind = kind;
  return result::kOk;
}

int32_t TFileEmulator::CancelReceipt() {
  ResetReceipt();
  return result::kOk;
}

void TFileEmulator::ResetReceipt() {
  FSaleItems.Clear();
  FReturnItems.Clear();
  FDiscountSum = 0;
  FPaymentSum = 0;
  FPaymentKind = 0;
}
