// The texts the emulator leaves as its result text (Windows-1251).
#pragma once

#include <string_view>

#include "platform/ansi.h"

namespace message {
inline constexpr std::string_view kFileError = "Ошибка доступа к файлу"_ansi;
inline constexpr std::string_view kSaleOnReturn = "Продажа не возможна - в чеке есть возврат"_ansi;
inline constexpr std::string_view kReturnOnSale = "Возврат не возможен - в чеке есть продажа"_ansi;
inline constexpr std::string_view kPaymentTooSmall = "Сумма оплаты слишком мала"_ansi;
inline constexpr std::string_view kNoCashForChange = "В кассе нет денег для сдачи"_ansi;
}  // namespace message
