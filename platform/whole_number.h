// Numbers as settings files hold them, read strictly: a value either is the
// number or reads as none, so "1abc" or "1.5" never pass for 1.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

// The text a number is read from: without the blanks around it, and
// without a leading '+' (which no one writes, but a hand may).
std::string_view NumberText(std::string_view text);

// A decimal whole number that fits 32 bits; none for anything else.
std::optional<int32_t> ParseWholeNumber(std::string_view text);
