#include "emulator/receipt_layout.h"

#include <array>
#include <charconv>
#include <cmath>
#include <initializer_list>
#include <optional>

#include "platform/ansi.h"

namespace {

constexpr std::string_view kLineEnd = "\r\n";
constexpr std::string_view kSeparator = "----------------------------------------------------------------------";

constexpr std::array<std::string_view, 13> kItemTypes = {
    "ТОВАР"_ansi,
    "ПОДАКЦИЗНЫЙ ТОВАР"_ansi,
    "РАБОТА"_ansi,
    "УСЛУГА"_ansi,
    "СТАВКА АЗАРТНОЙ ИГРЫ"_ansi,
    "ВЫИГРЫШ АЗАРТНОЙ ИГРЫ"_ansi,
    "ЛОТЕРЕЙНЫЙ БИЛЕТ"_ansi,
    "ВЫИГРЫШ ЛОТЕРЕИ"_ansi,
    "ПРЕДОСТАВЛЕНИЕ РИД"_ansi,
    "ПЛАТЕЖ / ВЫПЛАТА"_ansi,
    "АГЕНТСКОЕ ВОЗНАГРАЖДЕНИЕ"_ansi,
    "СОСТАВНОЙ ПРЕДМЕТ РАСЧЕТА"_ansi,
    "ИНОЙ ПРЕДМЕТ РАСЧЕТА"_ansi,
};

// The label of code 7 opens a guillemet and never closes it; it is printed
// exactly so.
constexpr std::array<std::string_view, 7> kPaymentModes = {
    "ПРЕДОПЛАТА 100%"_ansi,           "ПРЕДОПЛАТА"_ansi,        "АВАНС"_ansi,           "ПОЛНЫЙ РАСЧЕТ"_ansi,
    "ЧАСТИЧНЫЙ РАСЧЕТ И КРЕДИТ"_ansi, "ПЕРЕДАЧА В КРЕДИТ"_ansi, "«ОПЛАТА КРЕДИТА"_ansi,
};

constexpr std::array<std::string_view, 7> kTaxTypes = {
    "Соответствует секции"_ansi, "0%"_ansi, "10%"_ansi, "18%"_ansi, "Не облагается"_ansi, "10/110"_ansi, "18/118"_ansi,
};

constexpr std::array<std::string_view, 6> kTaxSystems = {
    "Общая"_ansi,
    "Упрощенная Доход"_ansi,
    "Упрощенная Доход минус Расход"_ansi,
    "Единый налог на вмененный доход"_ansi,
    "Единый сельскохозяйственный налог"_ansi,
    "Патентная"_ansi,
};

// Nearest integer, ties to even, whatever rounding mode the host has set.
long double RoundHalfEven(long double value) {
  long double below = std::floor(value);
  long double fraction = value - below;  // exact for long double
  if (fraction > 0.5L) return below + 1;
  if (fraction < 0.5L) return below;
  return std::fmod(below, 2.0L) == 0 ? below : below + 1;
}

// The value in whole hundredths, when that fits a signed 64-bit integer.
std::optional<int64_t> Hundredths(long double value) {
  constexpr long double kLimit = 0x1p63L;
  long double scaled = value * 100.0L;
  // Below 2^63 a fraction still fits the mantissa, so rounding stays in range.
  if (!(std::fabs(scaled) < kLimit)) return std::nullopt;  // also NaN
  return static_cast<int64_t>(RoundHalfEven(scaled));
}

// Built from the integer of hundredths, so no locale can change the point.
std::string FormatHundredths(int64_t hundredths) {
  uint64_t magnitude = hundredths < 0 ? 0 - static_cast<uint64_t>(hundredths) : static_cast<uint64_t>(hundredths);
  std::string digits = std::to_string(magnitude / 100);
  uint64_t cents = magnitude % 100;
  digits += '.';
  digits += static_cast<char>('0' + cents / 10);
  digits += static_cast<char>('0' + cents % 10);
  return hundredths < 0 ? "-" + digits : digits;
}

// Sums beyond the 64-bit range of hundredths have no meaningful cents left;
// they are still written in full rather than shown wrong.
std::string FormatHuge(long double value) {
  std::array<char, 400> text{};
  auto [end, error] =
      std::to_chars(text.data(), text.data() + text.size(), static_cast<double>(value), std::chars_format::fixed, 2);
  if (error != std::errc()) return {};
  return std::string(text.data(), end);
}

template <std::size_t N>
std::string CodeText(int32_t code, const std::array<std::string_view, N>& labels, int32_t firstCode) {
  std::string text = std::to_string(code);
  int64_t index = static_cast<int64_t>(code) - firstCode;
  if (index >= 0 && index < static_cast<int64_t>(N)) {
    text += " - ";
    text += labels[static_cast<std::size_t>(index)];
  }
  return text;
}

// One line of the file from its pieces, ended by CR LF.
void AddLine(std::string& out, std::initializer_list<std::string_view> pieces) {
  for (std::string_view piece : pieces) out += piece;
  out += kLineEnd;
}

void AddAmountLine(std::string& out, std::string_view label, long double amount) {
  AddLine(out, {PadRight(label, kLabelWidth), AmountField(amount)});
}

void AddItemBlock(std::string& out, const TReceiptItem& item) {
  const long double price = item.Price;
  AddLine(out, {"Секция №"_ansi, std::to_string(item.Department)});
  AddLine(out, {PadRight(item.Name, kLabelWidth), AmountField(RoundTo2(price)), " x", AmountField(item.Quantity), " -",
                AmountField(RoundTo2(item.Discount))});
  AddLine(out, {std::string(kLabelWidth, ' '), AmountField(RoundTo2(price * item.Quantity - item.Discount))});
  if (item.ItemType != 0) AddLine(out, {"Признак предмета расчета: "_ansi, ItemTypeText(item.ItemType)});
  if (item.PaymentMode != 0) AddLine(out, {"Признак способа расчета : "_ansi, PaymentModeText(item.PaymentMode)});
  AddLine(out, {"НДС: "_ansi, TaxTypeText(item.TaxType)});
}

}  // namespace

std::string PadRight(std::string_view text, int32_t width) {
  std::string padded(text);
  if (width > 0 && padded.size() < static_cast<std::size_t>(width)) padded.resize(static_cast<std::size_t>(width), ' ');
  return padded;
}

long double RoundTo2(long double value) {
  std::optional<int64_t> hundredths = Hundredths(value);
  return hundredths ? static_cast<long double>(*hundredths) / 100.0L : 0.0L;
}

std::string AmountField(long double value) {
  std::optional<int64_t> hundredths = Hundredths(value);
  std::string text = hundredths ? FormatHundredths(*hundredths) : FormatHuge(value);
  if (text.size() < static_cast<std::size_t>(kAmountWidth)) text.insert(0, kAmountWidth - text.size(), ' ');
  return text;
}

std::string ItemTypeText(int32_t code) { return CodeText(code, kItemTypes, 1); }
std::string PaymentModeText(int32_t code) { return CodeText(code, kPaymentModes, 1); }
std::string TaxTypeText(int32_t code) { return CodeText(code, kTaxTypes, 0); }

std::string_view TaxSystemLabel(int32_t code) {
  return code >= 0 && code < static_cast<int32_t>(kTaxSystems.size()) ? kTaxSystems[static_cast<std::size_t>(code)]
                                                                      : std::string_view();
}

long double ReceiptTotal(const TMyArray& lines, double discountSum) {
  long double total = 0;
  for (const TReceiptItem& item : lines) {
    total += RoundTo2(static_cast<long double>(item.Price) * item.Quantity) - RoundTo2(item.Discount);
  }
  return total - RoundTo2(discountSum);
}

std::string RenderReceipt(const ReceiptContent& receipt) {
  std::string out;
  AddLine(out, {"Чек №"_ansi, std::to_string(receipt.number), " от "_ansi, receipt.dateTime});
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
  AddLine(out, {"Тип платежа: "_ansi, std::to_string(receipt.paymentKind)});
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
