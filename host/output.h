// How xhw writes values: script arguments and out values alike, so that a
// line of output reads like the script line that produced it. All texts
// here are UTF-8.
#pragma once

#include <string>
#include <string_view>

#include "host/script.h"
#include "platform/com.h"

// The shortest form that reads back as the same double: 2, 45.5, 180.9,
// 1000000; an exponent only for very large or very small values.
std::string FormatNumber(double number);

// Backslash escapes for \ and control characters (\n \r \t, others \xHH),
// and for " when `quoted`, which also puts the text in double quotes.
std::string EscapeText(std::string_view utf8, bool quoted);

// A date-time (days since 30 December 1899, time as the fraction) as
// "YYYY-MM-DD HH:MM:SS"; a value outside years 100 to 9999 as its number.
std::string FormatDate(double date);

std::string FormatValue(const ScriptValue& value);
// Module texts in the variant are Windows-1251; they come out as UTF-8.
std::string FormatVariant(const VARIANT& value);

// "failed 0x8000FFFF (message)"
std::string FormatFailure(HRESULT status, std::string_view message);

// The operation's own name and its arguments: SaleItem 1 "Хлеб" 2 45.5 1 4 3
std::string FormatCall(const ScriptCall& call);
