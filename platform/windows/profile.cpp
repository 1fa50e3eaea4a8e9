// INI files through the system's private-profile functions. The ANSI forms
// pass the file's bytes through unchanged, so the values stay Windows-1251
// on disk as the module wrote them.
#include "platform/profile.h"

#include "platform/ansi.h"
#include "platform/error.h"
#include "platform/profile_text.h"
#include "platform/windows/system_error.h"

namespace {

// Given as the default when reading: no value read from a line can hold a
// line break, so getting it back means the key is missing. It ends in a
// letter because the functions strip trailing blanks from a default.
constexpr char kMissing[] = "\r\n<missing>";

bool HasFolder(std::string_view name) { return name.find_first_of("\\/:") != std::string_view::npos; }

// The folders on the way to the file, so a save into a new folder works.
// Failures are left to the write that follows, which reports them.
void CreateFolders(const std::string& path) {
  for (std::size_t at = path.find_first_of("\\/", 1); at != std::string::npos; at = path.find_first_of("\\/", at + 1)) {
    CreateDirectoryA(path.substr(0, at).c_str(), nullptr);
  }
}

std::string WriteFailure(const std::string& path) {
  return std::string("Не удалось записать файл настроек: "_ansi) + path;
}

}  // namespace

std::string SettingsFolder() {
  char folder[MAX_PATH + 1];
  UINT length = GetWindowsDirectoryA(folder, sizeof folder);
  return length > 0 && length < sizeof folder ? std::string(folder, length) : std::string("C:\\Windows");
}

// A bare name goes to the Windows folder, as the profile functions place
// it anyway; naming the folder here makes Path() tell the truth.
ProfileFile::ProfileFile(std::string_view name)
    : path_(HasFolder(name) ? std::string(name) : SettingsFolder() + "\\" + std::string(name)) {}

std::string ProfileFile::ReadString(std::string_view section, std::string_view key, std::string_view fallback) const {
  const std::string sectionName(section);
  const std::string keyName(key);
  std::string value(256, '\0');
  for (;;) {
    DWORD length = GetPrivateProfileStringA(sectionName.c_str(), keyName.c_str(), kMissing, value.data(),
                                            static_cast<DWORD>(value.size()), path_.c_str());
    // A value that fills the buffer may have been cut short.
    if (length + 1 < value.size()) {
      value.resize(length);
      break;
    }
    value.resize(value.size() * 2);
  }
  return value == kMissing ? std::string(fallback) : value;
}

void ProfileFile::WriteString(std::string_view section, std::string_view key, std::string_view value) {
  const std::string sectionName = OneLine(section);
  const std::string keyName = OneLine(key);
  const std::string stored = StoredValue(value);
  auto write = [&] {
    return WritePrivateProfileStringA(sectionName.c_str(), keyName.c_str(), stored.c_str(), path_.c_str());
  };
  if (write()) return;
  if (GetLastError() == ERROR_PATH_NOT_FOUND) {
    CreateFolders(path_);
    if (write()) return;
  }
  const HRESULT status = LastErrorStatus();  // before anything else can change it
  throw ComError(status, WriteFailure(path_));
}

// The profile functions write one key at a time.
void ProfileFile::WriteStrings(std::string_view section, std::span<const ProfileEntry> entries) {
  for (const ProfileEntry& entry : entries) WriteString(section, entry.key, entry.value);
}

void ProfileFile::DeleteKey(std::string_view section, std::string_view key) {
  // Without a file there is no key, and nothing must be created.
  if (GetFileAttributesA(path_.c_str()) == INVALID_FILE_ATTRIBUTES) return;
  if (!WritePrivateProfileStringA(std::string(section).c_str(), std::string(key).c_str(), nullptr, path_.c_str())) {
    const HRESULT status = LastErrorStatus();
    throw ComError(status, WriteFailure(path_));
  }
}
