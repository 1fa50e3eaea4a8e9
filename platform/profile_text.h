// How a name or value is written into a profile file, the same on every
// platform, so a value always reads back as it was written.
#pragma once

#include <string>
#include <string_view>

// A line break in a name or value must not start a line of its own (and so
// add or change another key): each CR and LF becomes a blank.
std::string OneLine(std::string_view text);

// The value as stored: one line, and quoted where reading would otherwise
// trim its edge blanks or strip its own quotes.
std::string StoredValue(std::string_view value);
