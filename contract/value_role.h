// What a value of an operation is, beyond its interface type: how the
// modules' boundary converts and checks it, and how Tarnvik's journal shows
// it. Each argument and out value in contract/operations.def names one.
#pragma once

enum class ValueRole {
  Integer,
  ResultCode,  // an integer result: 0 success, otherwise see GetResultText
  Number,
  DateTime,
  Money,          // a sum: finite and within the money limit
  Quantity,       // a line's quantity, and
  Price,          // its price: each checked as money, and their product too
  Text,           // module text (Windows-1251)
  InterfaceText,  // text kept in UTF-16, as it may hold any character
  Personal,       // the customer's contact: module text, masked in the journal
  Variant,
};

constexpr bool IsMoney(ValueRole role) {
  return role == ValueRole::Money || role == ValueRole::Quantity || role == ValueRole::Price;
}

constexpr bool IsModuleText(ValueRole role) { return role == ValueRole::Text || role == ValueRole::Personal; }
