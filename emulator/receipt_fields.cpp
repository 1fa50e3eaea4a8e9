#include "emulator/receipt_fields.h"

#include <charconv>

#include "platform/ansi.h"

namespace {

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

template <std::size_t N>
std::optional<std::string_view> LabelOf(int32_t code, const std::array<std::string_view, N>& labels,
                                        int32_t firstCode) {
  const int64_t index = static_cast<int64_t>(code) - firstCode;
  if (index < 0 || index >= static_cast<int64_t>(N)) return std::nullopt;
  return labels[static_cast<std::size_t>(index)];
}

}  // namespace

// Sums beyond the 64-bit range of hundredths have no meaningful kopecks
// left; they are still written in full rather than shown wrong.
Field HugeAmountField(long double value) {
  std::array<char, 400> text{};
  auto [end, error] =
      std::to_chars(text.data(), text.data() + text.size(), static_cast<double>(value), std::chars_format::fixed, 2);
  Field field;
  if (error == std::errc()) field.Assign(std::string_view(text.data(), static_cast<std::size_t>(end - text.data())));
  field.PadTo(kAmountWidth);
  return field;
}

std::optional<std::string_view> ItemTypeLabel(int32_t code) { return LabelOf(code, kItemTypes, 1); }
std::optional<std::string_view> PaymentModeLabel(int32_t code) { return LabelOf(code, kPaymentModes, 1); }
std::optional<std::string_view> TaxTypeLabel(int32_t code) { return LabelOf(code, kTaxTypes, 0); }

std::string_view TaxSystemLabel(int32_t code) { return LabelOf(code, kTaxSystems, 0).value_or(""); }
