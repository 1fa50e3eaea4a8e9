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

// The value in whole hundredths, rounded to the nearest with ties to even,
// when that fits a signed 64-bit integer. Rounding is done here rather than
// by the processor, so a host that changes the rounding mode changes nothing.
std::optional<int64_t> Hundredths(long double value) {
  constexpr long double kLimit = 0x1p63L;
  long double scaled = value * 100.0L;
  // Below 2^63 a fraction still fits the mantissa, so rounding stays in range.
  if (!(std::fabs(scaled) < kLimit)) return std::nullopt;  // also NaN
  int64_t whole = static_cast<int64_t>(scaled);  // toward zero
  long double fraction = scaled - static_cast<long double>(whole);  // exact, same sign as the value
  if (fraction > 0.5L || (fraction == 0.5L && (whole & 1) != 0)) return whole + 1;
  if (fraction < -0.5L || (fraction == -0.5L && (whole & 1) != 0)) return whole - 1;
  return whole;
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

// The text of a number, built in place from its last digit back: the
// fields of a line cost no allocation. A temporary one lives to the end of
// the statement that made it, long enough to be appended.
class Field {
 public:
  operator std::string_view() const { return {text_.data() + start_, text_.size() - start_}; }

  void Prepend(char c) { text_[--start_] = c; }
  void PrependDigits(uint64_t value) {
    do {
      Prepend(static_cast<char>('0' + value % 10));
      value /= 10;
    } while (value != 0);
  }
  void Assign(std::string_view text) {
    start_ = text_.size() - text.size();
    text.copy(text_.data() + start_, text.size());
  }
  void PadTo(std::size_t width) {
    while (text_.size() - start_ < width) Prepend(' ');
  }

 private:
  // Room for the longest double written in full with two decimals.
  std::array<char, 400> text_;
  std::size_t start_ = text_.size();
};

Field IntegerText(int64_t value) {
  Field field;
  field.PrependDigits(value < 0 ? 0 - static_cast<uint64_t>(value) : static_cast<uint64_t>(value));
  if (value < 0) field.Prepend('-');
  return field;
}

// Two decimals built from the integer of hundredths, so no locale can change
// the point; right-aligned in kAmountWidth.
Field HundredthsText(int64_t hundredths) {
  Field field;
  const uint64_t magnitude = hundredths < 0 ? 0 - static_cast<uint64_t>(hundredths) : static_cast<uint64_t>(hundredths);
  field.Prepend(static_cast<char>('0' + magnitude % 10));
  field.Prepend(static_cast<char>('0' + magnitude / 10 % 10));
  field.Prepend('.');
  field.PrependDigits(magnitude / 100);
  if (hundredths < 0) field.Prepend('-');
  field.PadTo(kAmountWidth);
  return field;
}

// The value with two decimals, written in full when longer than the field.
Field AmountText(long double value) {
  if (std::optional<int64_t> hundredths = Hundredths(value)) return HundredthsText(*hundredths);
  Field field;
  field.Assign(FormatHuge(value));
  field.PadTo(kAmountWidth);
  return field;
}

// What AmountText(RoundTo2(value)) shows, with one rounding instead of two
// (a sum beyond the range shows as 0.00, as RoundTo2 makes it).
Field RoundedAmountText(long double value) { return HundredthsText(Hundredths(value).value_or(0)); }

// The blanks that pad a text of `length` to `width` (at most kLabelWidth).
std::string_view Blanks(std::size_t length, std::size_t width) {
  constexpr std::string_view kBlanks = "                    ";
  static_assert(kBlanks.size() == kLabelWidth);
  return length < width ? kBlanks.substr(0, width - length) : std::string_view();
}

template <std::size_t N>
std::optional<std::string_view> LabelOf(int32_t code, const std::array<std::string_view, N>& labels,
                                        int32_t firstCode) {
  const int64_t index = static_cast<int64_t>(code) - firstCode;
  if (index < 0 || index >= static_cast<int64_t>(N)) return std::nullopt;
  return labels[static_cast<std::size_t>(index)];
}

// One line of the file from its pieces, ended by CR LF.
void AddLine(std::string& out, std::initializer_list<std::string_view> pieces) {
  for (std::string_view piece : pieces) out += piece;
  out += kLineEnd;
}

// The code, then " - " and its label when the code has one.
template <std::size_t N>
void AddCodeLine(std::string& out, std::string_view caption, int32_t code,
                 const std::array<std::string_view, N>& labels, int32_t firstCode) {
  const std::optional<std::string_view> label = LabelOf(code, labels, firstCode);
  AddLine(out, {caption, IntegerText(code), label ? " - " : "", label.value_or("")});
}

template <std::size_t N>
std::string CodeText(int32_t code, const std::array<std::string_view, N>& labels, int32_t firstCode) {
  std::string text;
  AddCodeLine(text, {}, code, labels, firstCode);
  text.resize(text.size() - kLineEnd.size());
  return text;
}

void AddAmountLine(std::string& out, std::string_view label, long double amount) {
  AddLine(out, {label, Blanks(label.size(), kLabelWidth), AmountText(amount)});
}

void AddItemBlock(std::string& out, const TReceiptItem& item) {
  const long double price = item.Price;
  AddLine(out, {"Секция №"_ansi, IntegerText(item.Department)});
  AddLine(out, {item.Name, Blanks(item.Name.size(), kLabelWidth), RoundedAmountText(price), " x",
                AmountText(item.Quantity), " -", RoundedAmountText(item.Discount)});
  AddLine(out, {Blanks(0, kLabelWidth), RoundedAmountText(price * item.Quantity - item.Discount)});
  if (item.ItemType != 0) AddCodeLine(out, "Признак предмета расчета: "_ansi, item.ItemType, kItemTypes, 1);
  if (item.PaymentMode != 0) AddCodeLine(out, "Признак способа расчета : "_ansi, item.PaymentMode, kPaymentModes, 1);
  AddCodeLine(out, "НДС: "_ansi, item.TaxType, kTaxTypes, 0);
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

std::string PadRight(std::string_view text, int32_t width) {
  std::string padded(text);
  if (width > 0 && padded.size() < static_cast<std::size_t>(width)) padded.resize(static_cast<std::size_t>(width), ' ');
  return padded;
}

long double RoundTo2(long double value) {
  std::optional<int64_t> hundredths = Hundredths(value);
  return hundredths ? static_cast<long double>(*hundredths) / 100.0L : 0.0L;
}

std::string AmountField(long double value) { return std::string(AmountText(value)); }

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
  out.reserve(ReceiptSizeGuess(receipt));
  AddLine(out, {"Чек №"_ansi, IntegerText(receipt.number), " от "_ansi, receipt.dateTime});
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
  AddLine(out, {"Тип платежа: "_ansi, IntegerText(receipt.paymentKind)});
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
