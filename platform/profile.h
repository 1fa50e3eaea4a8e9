// Private-profile (INI) files, read and written one value at a time by
// section and key, as the Windows profile functions do. Texts are
// Windows-1251 bytes. A file name without a folder lives in the platform's
// folder for settings files (see SettingsFolder()).
#pragma once

#include <span>
#include <string>
#include <string_view>

struct ProfileEntry {
  std::string_view key;
  std::string_view value;
};

class ProfileFile {
 public:
  explicit ProfileFile(std::string_view name);

  const std::string& Path() const { return path_; }

  // The stored value, or `fallback` when the file, section or key is missing.
  // Section and key names match without regard to case.
  std::string ReadString(std::string_view section, std::string_view key, std::string_view fallback) const;

  // Writes one value, creating the file, its folder and the section when
  // missing and leaving every other line as it was. A line break inside the
  // value is written as a blank, so a value can never add a key. Throws a
  // ComError with the system's status and wording when the file cannot be
  // written; the old file is then intact.
  void WriteString(std::string_view section, std::string_view key, std::string_view value);

  // Writes several keys of one section as one save: the file holds all of
  // them or none (a failure or a crash in between leaves the old file).
  void WriteStrings(std::string_view section, std::span<const ProfileEntry> entries);

  // Removes one key (the class registry uses it).
  void DeleteKey(std::string_view section, std::string_view key);

 private:
  std::string path_;
};

// Where settings files named without a folder are kept.
std::string SettingsFolder();
