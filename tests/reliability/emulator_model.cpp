#include "tests/reliability/emulator_model.h"

#include <array>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <initializer_list>
#include <string_view>
#include <utility>

#include "platform/ansi.h"

namespace {

constexpr std::string_view kFileError = "Ошибка доступа к файлу"_ansi;
constexpr std::string_view kSeparator = "----------------------------------------------------------------------";

// The lines a receipt prints for each code that has a label, in full; a
// code without one shows its number alone after the line's own words.
constexpr std::array<std::string_view, 13> kItemTypeLines = {
    "Признак предмета расчета: 1 - ТОВАР"_ansi,
    "Признак предмета расчета: 2 - ПОДАКЦИЗНЫЙ ТОВАР"_ansi,
    "Признак предмета расчета: 3 - РАБОТА"_ansi,
    "Признак предмета расчета: 4 - УСЛУГА"_ansi,
    "Признак предмета расчета: 5 - СТАВКА АЗАРТНОЙ ИГРЫ"_ansi,
    "Признак предмета расчета: 6 - ВЫИГРЫШ АЗАРТНОЙ ИГРЫ"_ansi,
    "Признак предмета расчета: 7 - ЛОТЕРЕЙНЫЙ БИЛЕТ"_ansi,
    "Признак предмета расчета: 8 - ВЫИГРЫШ ЛОТЕРЕИ"_ansi,
    "Признак предмета расчета: 9 - ПРЕДОСТАВЛЕНИЕ РИД"_ansi,
    "Признак предмета расчета: 10 - ПЛАТЕЖ / ВЫПЛАТА"_ansi,
    "Признак предмета расчета: 11 - АГЕНТСКОЕ ВОЗНАГРАЖДЕНИЕ"_ansi,
    "Признак предмета расчета: 12 - СОСТАВНОЙ ПРЕДМЕТ РАСЧЕТА"_ansi,
    "Признак предмета расчета: 13 - ИНОЙ ПРЕДМЕТ РАСЧЕТА"_ansi,
};
constexpr std::array<std::string_view, 7> kPaymentModeLines = {
    "Признак способа расчета : 1 - ПРЕДОПЛАТА 100%"_ansi,
    "Признак способа расчета : 2 - ПРЕДОПЛАТА"_ansi,
    "Признак способа расчета : 3 - АВАНС"_ansi,
    "Признак способа расчета : 4 - ПОЛНЫЙ РАСЧЕТ"_ansi,
    "Признак способа расчета : 5 - ЧАСТИЧНЫЙ РАСЧЕТ И КРЕДИТ"_ansi,
    "Признак способа расчета : 6 - ПЕРЕДАЧА В КРЕДИТ"_ansi,
    "Признак способа расчета : 7 - «ОПЛАТА КРЕДИТА"_ansi,
};
constexpr std::array<std::string_view, 7> kTaxTypeLines = {
    "НДС: 0 - Соответствует секции"_ansi, "НДС: 1 - 0%"_ansi,     "НДС: 2 - 10%"_ansi,    "НДС: 3 - 18%"_ansi,
    "НДС: 4 - Не облагается"_ansi,        "НДС: 5 - 10/110"_ansi, "НДС: 6 - 18/118"_ansi,
};
// The tax system line shows the label without its code.
constexpr std::array<std::string_view, 6> kTaxSystemLines = {
    "СНО: Общая"_ansi,
    "СНО: Упрощенная Доход"_ansi,
    "СНО: Упрощенная Доход минус Расход"_ansi,
    "СНО: Единый налог на вмененный доход"_ansi,
    "СНО: Единый сельскохозяйственный налог"_ansi,
    "СНО: Патентная"_ansi,
};

std::string Join(std::initializer_list<std::string_view> pieces) {
  std::string text;
  for (std::string_view piece : pieces) text += piece;
  return text;
}

// The table's line for `code`, where `first` is the table's first code; the
// words before the code and the number alone outside the table.
template <std::size_t N>
std::string AttributeLine(int32_t code, const std::array<std::string_view, N>& lines, int32_t first,
                          std::string_view words) {
  const int64_t index = static_cast<int64_t>(code) - first;
  if (index >= 0 && index < static_cast<int64_t>(N)) return std::string(lines[static_cast<std::size_t>(index)]);
  return Join({words, std::to_string(code)});
}

// Hundredths to the nearest, ties to even (the default rounding mode).
std::optional<long long> Cents(long double value) {
  const long double scaled = value * 100.0L;
  if (!(std::fabs(scaled) < 0x1p63L)) return std::nullopt;
  return static_cast<long long>(std::nearbyint(scaled));
}

// A till counts in whole kopecks, and below 10^13 roubles every kopeck
// survives: the double of roubles, the 15 digits of the settings file.
bool Countable(long double value) {
  const auto cents = Cents(value);
  return cents && std::llabs(*cents) < 1'000'000'000'000'000;
}

// Paying out `amount` needs more than `available` as a receipt shows them.
bool MoreThan(long double amount, long double available) { return *Cents(amount) > *Cents(available); }

bool AllCountable(std::initializer_list<long double> values) {
  for (long double value : values) {
    if (!Countable(value)) return false;
  }
  return true;
}

long double R(long double value) {
  const auto cents = Cents(value);
  return cents ? static_cast<long double>(*cents) / 100.0L : 0.0L;
}

std::string Amount(long double value) {
  char text[400];
  if (const auto cents = Cents(value)) {
    const unsigned long long magnitude = *cents < 0 ? 0ULL - static_cast<unsigned long long>(*cents) : *cents;
    std::snprintf(text, sizeof text, "%s%llu.%02llu", *cents < 0 ? "-" : "", magnitude / 100, magnitude % 100);
  } else {
    std::snprintf(text, sizeof text, "%.2f", static_cast<double>(value));
  }
  std::string field(text);
  if (field.size() < 10) field.insert(0, 10 - field.size(), ' ');
  return field;
}

std::string Label(std::string_view text) {
  std::string field(text);
  if (field.size() < 20) field.resize(20, ' ');
  return field;
}

std::string AmountLine(std::string_view label, long double value) { return Join({Label(label), Amount(value)}); }

// What a settings value reads back as: a line break is stored as a blank.
std::string OneLine(std::string text) {
  for (char& c : text) {
    if (c == '\r' || c == '\n') c = ' ';
  }
  return text;
}

// The stored cash: the shortest form with up to 15 significant digits.
double Stored(double cash) {
  char text[64];
  std::snprintf(text, sizeof text, "%.15g", cash);
  return std::strtod(text, nullptr);
}

}  // namespace

EmulatorModel::EmulatorModel(double now, std::string nowText) : now_(now), nowText_(std::move(nowText)) {}

bool EmulatorModel::CanOpen() const {
  return target_ == ReceiptTarget::kFile || target_ == ReceiptTarget::kNullDevice ||
         target_ == ReceiptTarget::kFullDevice;
}

bool EmulatorModel::Write(const std::string& block) {
  if (target_ == ReceiptTarget::kFullDevice) return false;
  if (target_ == ReceiptTarget::kFile) appended_ += block;
  return true;
}

int32_t EmulatorModel::Fail(int32_t code, std::string_view text) {
  resultText_ = text;
  return resultCode_ = code;
}

std::string EmulatorModel::TakeAppended() { return std::exchange(appended_, {}); }

Answer EmulatorModel::CashIn(double sum) {
  if (!AllCountable({sum, cash_ + sum})) return std::nullopt;
  if (!CanOpen()) return Fail(3, kFileError);
  if (!Write(Join({AmountLine("Внесение суммы"_ansi, sum), "\r\n", kSeparator, "\r\n"}))) return Fail(8, kFileError);
  cash_ += sum;
  return 0;
}

Answer EmulatorModel::CashOut(double sum) {
  if (!AllCountable({sum, cash_ - sum})) return std::nullopt;
  if (MoreThan(sum, cash_)) {
    resultText_.clear();
    return 7;
  }
  if (!CanOpen()) return Fail(3, kFileError);
  if (!Write(Join({AmountLine("Снятие суммы"_ansi, sum), "\r\n", kSeparator, "\r\n"}))) return Fail(8, kFileError);
  cash_ -= sum;
  return 0;
}

int32_t EmulatorModel::FeedLines(int32_t count) {
  if (!CanOpen()) return Fail(8, kFileError);
  if (count > 0) {
    std::string lines;
    for (int32_t i = 0; i < count; ++i) lines += "\r\n";
    if (!Write(lines)) return Fail(8, kFileError);
  }
  return resultCode_ = 0;
}

int32_t EmulatorModel::PrintText(const std::string& text) {
  if (!CanOpen()) return Fail(3, kFileError);
  if (!Write(Join({text, "\r\n", kSeparator, "\r\n"}))) return Fail(8, kFileError);
  return resultCode_ = 0;
}

std::string EmulatorModel::Receipt(bool isSale, long double total) const {
  const std::vector<Line>& lines = isSale ? sales_ : returns_;
  std::string text;
  auto add = [&text](std::initializer_list<std::string_view> pieces) { text += Join(pieces) + "\r\n"; };
  const int32_t number = static_cast<int32_t>(static_cast<uint32_t>(lastNumber_) + 1u);
  add({"Чек №"_ansi, std::to_string(number), " от "_ansi, nowText_});
  add({title_});
  for (const std::string& line : header_) add({line});
  if (!lines.empty()) add({isSale ? "ПРОДАЖА"_ansi : "ВОЗВРАТ"_ansi});
  for (const Line& line : lines) {
    const long double price = line.price;
    add({"Секция №"_ansi, std::to_string(line.department)});
    add({Label(line.name), Amount(R(price)), " x", Amount(line.quantity), " -", Amount(R(line.discount))});
    add({std::string(20, ' '), Amount(R(price * line.quantity - line.discount))});
    if (line.itemType != 0) {
      add({AttributeLine(line.itemType, kItemTypeLines, 1, "Признак предмета расчета: "_ansi)});
    }
    if (line.paymentMode != 0) {
      add({AttributeLine(line.paymentMode, kPaymentModeLines, 1, "Признак способа расчета : "_ansi)});
    }
    add({AttributeLine(line.taxType, kTaxTypeLines, 0, "НДС: "_ansi)});
  }
  if (discount_ != 0) add({AmountLine("СКИДКА"_ansi, R(discount_))});
  add({AmountLine("ИТОГО"_ansi, total)});
  if (isSale && paymentSum_ > 0) {
    add({AmountLine("Получено"_ansi, R(paymentSum_))});
    add({AmountLine("СДАЧА"_ansi, R(paymentSum_ - total))});
  }
  add({"Тип платежа: "_ansi, std::to_string(paymentKind_)});
  const bool knownSystem = taxSystem_ >= 0 && taxSystem_ < static_cast<int32_t>(kTaxSystemLines.size());
  add({knownSystem ? kTaxSystemLines[static_cast<std::size_t>(taxSystem_)] : std::string_view("СНО: "_ansi)});
  if (!contact_.empty()) {
    add({contact_.find('@') != std::string::npos ? "e-mail покупателя: "_ansi : "Тел. покупателя: "_ansi, contact_});
  }
  for (const std::string& line : footer_) add({line});
  add({bottom_});
  add({kSeparator});
  return text;
}

Answer EmulatorModel::CloseReceipt() {
  const bool isSale = !sales_.empty();
  const long double total = OpenTotal();
  if (!AllCountable({total, cash_ + static_cast<double>(isSale ? total : -total)})) return std::nullopt;
  if (!CanOpen()) return Fail(3, kFileError);

  int32_t result = 0;
  if (isSale && paymentSum_ != 0 && std::fabs(paymentSum_ - total) > 0.0001L && total > paymentSum_) {
    result = Fail(8, "Сумма оплаты слишком мала"_ansi);
  } else if (isSale && paymentSum_ != 0 && paymentKind_ > 0 && MoreThan(paymentSum_ - total, cash_)) {
    result = Fail(7, "В кассе нет денег для сдачи"_ansi);
  } else if (!isSale && MoreThan(total, cash_)) {
    result = Fail(7, "");
  } else if (!Write(Receipt(isSale, total))) {
    lastSum_ = 0;
    lastDate_ = 0;
    result = Fail(8, kFileError);
  } else {
    lastSum_ = static_cast<double>(isSale ? total : -total);
    lastDate_ = now_;
    cash_ += lastSum_;
    lastNumber_ = static_cast<int32_t>(static_cast<uint32_t>(lastNumber_) + 1u);
    ResetReceipt();
    resultCode_ = 0;
  }
  contact_.clear();
  taxSystem_ = -1;
  return result;
}

long double EmulatorModel::OpenTotal() const {
  long double total = 0;
  for (const Line& line : sales_.empty() ? returns_ : sales_) {
    total += R(static_cast<long double>(line.price) * line.quantity) - R(line.discount);
  }
  return total - R(discount_);
}

Answer EmulatorModel::SaleItem(int32_t department, const std::string& name, double quantity, double price,
                               int32_t itemType, int32_t paymentMode, int32_t taxType, double discount) {
  if (!AllCountable({quantity, price, discount, static_cast<long double>(price) * quantity})) return std::nullopt;
  if (!returns_.empty()) return Fail(8, "Продажа не возможна - в чеке есть возврат"_ansi);
  sales_.push_back({department, name, price, quantity, discount, itemType, paymentMode, taxType});
  return resultCode_ = 0;
}

Answer EmulatorModel::ReturnItem(int32_t department, const std::string& name, double quantity, double price,
                                 double discount) {
  if (!AllCountable({quantity, price, discount, static_cast<long double>(price) * quantity})) return std::nullopt;
  if (!sales_.empty()) return Fail(8, "Возврат не возможен - в чеке есть продажа"_ansi);
  returns_.push_back({department, name, price, quantity, discount, 0, 0, 0});
  return resultCode_ = 0;
}

Answer EmulatorModel::AddDiscount(double sum) {
  if (!AllCountable({sum, discount_ + sum})) return std::nullopt;
  discount_ += sum;
  return resultCode_ = 0;
}

Answer EmulatorModel::Payment(double sum, int32_t kind) {
  if (!Countable(sum)) return std::nullopt;
  paymentSum_ = sum;
  paymentKind_ = kind;
  return resultCode_ = 0;
}

void EmulatorModel::ResetReceipt() {
  sales_.clear();
  returns_.clear();
  discount_ = 0;
  paymentSum_ = 0;
  paymentKind_ = 0;
}

int32_t EmulatorModel::CancelReceipt() {
  ResetReceipt();
  return resultCode_ = 0;
}

int32_t EmulatorModel::AddHeaderLine(const std::string& text) {
  header_.push_back(text);
  return resultCode_ = 0;
}

int32_t EmulatorModel::AddFooterLine(const std::string& text) {
  footer_.push_back(text);
  return resultCode_ = 0;
}

int32_t EmulatorModel::NotSupported() {
  resultText_.clear();
  return 6;
}

void EmulatorModel::LoadSettings(const std::optional<ModelSettings>& stored) {
  const ModelSettings values = stored.value_or(ModelSettings{});
  fileName_ = OneLine(values.fileName);
  title_ = OneLine(values.title);
  bottom_ = OneLine(values.bottom);
  lastNumber_ = values.lastNumber;
  cash_ = Stored(values.cash);
}

std::string* EmulatorModel::Param(int32_t index) {
  switch (index) {
    case 0:
      return &fileName_;
    case 1:
      return &title_;
    case 2:
      return &bottom_;
    default:
      return nullptr;
  }
}
