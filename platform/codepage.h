// Windows-1251, the code page of every module text and file.
// A character without a Windows-1251 code, or a broken surrogate, becomes '?'.
#pragma once

#include <string>
#include <string_view>

#include "platform/com.h"

std::string Utf16ToAnsi(OleStringView text);
OleString AnsiToUtf16(std::string_view text);

// UTF-8 for terminals and script files (the xhw host and tests).
std::string AnsiToUtf8(std::string_view text);
std::string Utf8ToAnsi(std::string_view text);
