#include "emulator/receipt_layout.h"

#include <initializer_list>
#include <optional>

#include "emulator/receipt_fields.h"
#include "platform/ansi.h"

namespace {

constexpr std::string_view kLineEnd = "\r\n";
constexpr std::string_view kSeparator = "----------------------------------------------------------------------";

// One line of the file from its pieces, ended by CR LF.
void AddLine(std::string& out, std::initializer_list<std::string_view> pieces) {
  for (std::string_view piece : pieces) out += piece;
  out += kLineEnd;
}

// The code, then " - " and its label when the code has one.
void AddCodeLine(std::string& out, std::string_view caption, int32_t code, std::optional<std::string_view> label) {
  AddLine(out, {caption, IntegerField(code), label ? " - " : "", label.value_or("")});
}

void AddAmountLine(std::string& out, std::string_view label, long double amount) {
  PadRight(out, label, kLabelWidth);
  AddLine(out, {AmountField(amount)});
}

void AddItemBlock(std::string& out, const TReceiptItem& item) {
  const long double price = item.Price;
  AddLine(out, {"Секция №"_ansi, IntegerField(item.Department)});
  PadRight(out, item.Name, kLabelWidth);
  AddLine(out, {RoundedAmountField(price), " x", AmountField(item.Quantity), " -", RoundedAmountField(item.Discount)});
  PadRight(out, "", kLabelWidth);
  AddLine(out, {RoundedAmountField(price * item.Quantity - item.Discount)});
  if (item.ItemType != 0) {
    AddCodeLine(out, "Признак предмета расчета: "_ansi, item.ItemType, ItemTypeLabel(item.ItemType));
  }
  if (item.PaymentMode != 0) {
    AddCodeLine(out, "Признак способа расчета : "_ansi, item.PaymentMode, PaymentModeLabel(item.PaymentMode));
  }
  AddCodeLine(out, "НДС: "_ansi, item.TaxType, TaxTypeLabel(item.TaxType));
}

// Room for a receipt's text, so it is not copied over as it grows: the fixed
// lines and a generous share per item.
std::size_t ReceiptSizeGuess(const ReceiptContent& receipt) {
  constexpr std::size_t kFixedPart = 512;
  constexpr std::size_t kPerItem = 320;
  std::size_t size = kFixedPart + receipt.title.size() + receipt.bottom.size() + receipt.customerContact.size();
  for (const std::string& line : *receipt.headerLines) size += line.size() + kLineEnd.size();
  for (const std::string& line : *receipt.footerLines) size += line.size() + kLineEnd.size();
  for (const TReceiptItem& item : *receipt.lines) size += kPerItem + item.Name.size();
  return size;
}

}  // namespace

long double ReceiptTotal(const TMyArray& lines, double discountSum) {
  long double total = 0;
  for (const TReceiptItem& item : lines) {
    total += RoundTo2(static_cast<long double>(item.Price) * item.Quantity) - RoundTo2(item.Discount);
  }
  return total - RoundTo2(discountSum);
}

std::string RenderReceipt(const ReceiptContent& receipt) {
  std::string out;
  out.reserve(ReceiptSizeGuess(receipt));
  AddLine(out, {"Чек №"_ansi, IntegerField(receipt.number), " от "_ansi, receipt.dateTime});
  AddLine(out, {receipt.title});
  for (const std::string& line : *receipt.headerLines) AddLine(out, {line});
  if (!receipt.lines->IsEmpty()) AddLine(out, {receipt.isSale ? "ПРОДАЖА"_ansi : "ВОЗВРАТ"_ansi});
  for (const TReceiptItem& item : *receipt.lines) AddItemBlock(out, item);
  if (receipt.discountSum != 0) AddAmountLine(out, "СКИДКА"_ansi, RoundTo2(receipt.discountSum));
  AddAmountLine(out, "ИТОГО"_ansi, receipt.total);
  if (receipt.isSale && receipt.paymentSum > 0) {
    AddAmountLine(out, "Получено"_ansi, RoundTo2(receipt.paymentSum));
    AddAmountLine(out, "СДАЧА"_ansi, RoundTo2(receipt.paymentSum - receipt.total));
  }
  AddLine(out, {"Тип платежа: "_ansi, IntegerField(receipt.paymentKind)});
  AddLine(out, {"СНО: "_ansi, TaxSystemLabel(receipt.taxSystem)});
  if (!receipt.customerContact.empty()) {
    bool email = receipt.customerContact.find('@') != std::string_view::npos;
    AddLine(out, {email ? "e-mail покупателя: "_ansi : "Тел. покупателя: "_ansi, receipt.customerContact});
  }
  for (const std::string& line : *receipt.footerLines) AddLine(out, {line});
  AddLine(out, {receipt.bottom});
  AddLine(out, {kSeparator});
  return out;
}

std::string RenderCashMovement(std::string_view label, double sum) {
  std::string out;
  AddAmountLine(out, label, sum);
  AddLine(out, {kSeparator});
  return out;
}

std::string RenderTextLine(std::string_view text) {
  std::string out;
  AddLine(out, {text});
  AddLine(out, {kSeparator});
  return out;
}
