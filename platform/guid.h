// Class and interface ids as text: braces, 8-4-4-4-12 upper-case hex digits.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "platform/com.h"

std::string GuidToString(const GUID& guid);
std::optional<GUID> ParseGuid(std::string_view text);
