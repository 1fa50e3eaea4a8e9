// Money as a till counts it: in whole kopecks. Sums reach the modules as
// binary doubles of roubles, where most kopeck amounts are not exact (0.3 +
// 0.6 is 0.8999999999999999), so sums are compared as a receipt prints
// them, rounded to the kopeck. And no amount may grow so large that its
// kopecks are lost: not an argument, not the drawer (see kMostKopecks).
#pragma once

#include <cmath>
#include <cstdint>
#include <optional>
#include <string_view>

#include "platform/ansi.h"

// The value in whole kopecks, to the nearest with ties to even, when that
// fits a signed 64-bit integer; nullopt otherwise (also for NaN). Rounding
// is done here rather than by the processor, so a host that changes the
// rounding mode changes nothing.
inline std::optional<int64_t> Kopecks(long double value) {
  constexpr long double kLimit = 0x1p63L;
  const long double scaled = value * 100.0L;
  // Below 2^63 a fraction still fits the mantissa, so rounding stays in range.
  if (!(std::fabs(scaled) < kLimit)) return std::nullopt;  // also NaN
  const int64_t whole = static_cast<int64_t>(scaled);                     // toward zero
  const long double fraction = scaled - static_cast<long double>(whole);  // exact, same sign as the value
  if (fraction > 0.5L || (fraction == 0.5L && (whole & 1) != 0)) return whole + 1;
  if (fraction < -0.5L || (fraction == -0.5L && (whole & 1) != 0)) return whole - 1;
  return whole;
}

// Amounts stay below 10 000 000 000 000 roubles either way: at most 13
// digits before the point, so the 15 significant digits in which the
// settings file keeps the drawer still hold its kopecks (and a double of
// roubles, whose neighbours lie more than a kopeck apart only above 2^46,
// holds them too). The limit holds for every price, quantity (printed with
// two decimals like an amount), line sum, discount, payment, cash movement,
// receipt total and for the drawer.
inline constexpr int64_t kMostKopecks = 999'999'999'999'999;

inline bool WithinMoneyLimit(long double value) {
  const std::optional<int64_t> kopecks = Kopecks(value);
  return kopecks && *kopecks >= -kMostKopecks && *kopecks <= kMostKopecks;
}

// Whether paying out `amount` needs a kopeck more than `available` holds,
// both taken as a receipt prints them. An amount that cannot be counted in
// kopecks is never covered.
inline bool MoreThanInKopecks(long double amount, long double available) {
  const std::optional<int64_t> wanted = Kopecks(amount);
  const std::optional<int64_t> held = Kopecks(available);
  return !wanted || !held || *wanted > *held;
}

// The messages of a refused amount (E_INVALIDARG), naming the limit.
inline constexpr std::string_view kAmountBeyondLimit =
    "Сумма, цена, количество и скидка должны быть по модулю меньше 10 000 000 000 000"_ansi;
inline constexpr std::string_view kBalanceBeyondLimit =
    "Сумма в кассе, итог чека и скидка на чек должны оставаться по модулю меньше 10 000 000 000 000"_ansi;
