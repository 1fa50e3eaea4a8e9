// Profile files read and written whole, through the one text code of
// profile_text.cpp on every platform: a value reads back as it was written
// wherever it was written, and a save of several keys replaces the file in
// one piece.
#include "platform/profile.h"

#include "platform/ansi.h"
#include "platform/error.h"
#include "platform/profile_text.h"
#include "platform/whole_file.h"

namespace {

[[noreturn]] void ThrowSaveFailure(const ComError& error) {
  throw ComError(error.Status(), std::string("Не удалось записать файл настроек: "_ansi) + error.what());
}

}  // namespace

// A file that cannot be read reads as a missing one, as the Windows profile
// functions have it.
std::string ProfileFile::ReadString(std::string_view section, std::string_view key, std::string_view fallback) const {
  std::optional<std::string> text;
  try {
    text = ReadWholeFile(path_);
  } catch (const ComError&) {
  }
  const std::optional<std::string_view> value = text ? FindProfileValue(*text, section, key) : std::nullopt;
  return std::string(value.value_or(fallback));
}

void ProfileFile::WriteString(std::string_view section, std::string_view key, std::string_view value) {
  const ProfileEntry entry{key, value};
  WriteStrings(section, std::span(&entry, 1));
}

// A file that exists but cannot be read is not written over: its content
// would be lost.
void ProfileFile::WriteStrings(std::string_view section, std::span<const ProfileEntry> entries) {
  try {
    const std::string text = ReadWholeFile(path_).value_or("");
    ReplaceWholeFile(path_, WithProfileValues(text, section, entries));
  } catch (const ComError& error) {
    ThrowSaveFailure(error);
  }
}

// Without a file or a key there is nothing to remove, and nothing is made.
void ProfileFile::DeleteKey(std::string_view section, std::string_view key) {
  try {
    const std::optional<std::string> text = ReadWholeFile(path_);
    if (!text) return;
    if (const std::optional<std::string> without = WithoutProfileKey(*text, section, key)) {
      ReplaceWholeFile(path_, *without);
    }
  } catch (const ComError& error) {
    ThrowSaveFailure(error);
  }
}
