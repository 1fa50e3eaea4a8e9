// The text of a profile (INI) file as the Windows profile functions read
// and write it, the same on every platform: only reading and replacing the
// file are the platform's own. Texts are raw bytes (Windows-1251).
#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "platform/profile.h"

// The value of `key` in the first section named `section`, both matched
// without regard to ASCII case; nothing when the section or key is missing.
std::optional<std::string_view> FindProfileValue(std::string_view text, std::string_view section,
                                                 std::string_view key);

// The text with each entry set in `section`, in order: a key the section
// has is changed in place, a missing one added after the section's last
// entry, a missing section added at the end. Every other line is kept with
// its own line end. A line break in a name or value becomes a blank, so a
// value can never add or change another key.
std::string WithProfileValues(std::string_view text, std::string_view section, std::span<const ProfileEntry> entries);

// The text without the line of `key`; nothing when the section has no such
// key.
std::optional<std::string> WithoutProfileKey(std::string_view text, std::string_view section, std::string_view key);
