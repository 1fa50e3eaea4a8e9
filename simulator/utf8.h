// The simulator keeps its texts in UTF-8: the tape and the journal are
// read by people and tests on Linux. Interface texts arrive as UTF-16.
#pragma once

#include <string>
#include <string_view>

#include "platform/com.h"

// A broken surrogate (or a broken UTF-8 sequence) becomes U+FFFD.
std::string Utf16ToUtf8(OleStringView text);
OleString Utf8ToUtf16(std::string_view text);

// A value typed into the settings file by hand may be UTF-8 or
// Windows-1251, depending on the editor; either way it comes back as UTF-8.
std::string SettingsTextToUtf8(std::string_view bytes);
