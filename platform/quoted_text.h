// A text as a journal line shows it: in double quotes, with '"', '\', CR
// and LF escaped, so one value never spills over into a second line and
// reads back unambiguously.
#pragma once

#include <string>
#include <string_view>

std::string QuotedText(std::string_view text);
