#include "platform/windows/registry_key.h"

#include <iterator>
#include <utility>
#include <vector>

#include "platform/codepage.h"
#include "platform/error.h"
#include "platform/windows/system_error.h"

namespace {

[[noreturn]] void Fail(LSTATUS code, const std::string& path) {
  HRESULT status = FailureStatus(static_cast<DWORD>(code));
  throw ComError(status, SystemMessage(status) + ": " + path);
}

// A value's name in UTF-16; the default value's, which has none, is "".
OleString WideName(const char* name) { return AnsiToUtf16(name ? name : ""); }

}  // namespace

RegistryKey RegistryKey::Create(HKEY root, const std::string& path) {
  HKEY key = nullptr;
  LSTATUS code = RegCreateKeyExW(root, AnsiToUtf16(path).c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                                 KEY_READ | KEY_WRITE, nullptr, &key, nullptr);
  if (code != ERROR_SUCCESS) Fail(code, path);
  return RegistryKey(key, path);
}

std::optional<RegistryKey> RegistryKey::Open(HKEY root, const std::string& path, REGSAM view) {
  HKEY key = nullptr;
  LSTATUS code = RegOpenKeyExW(root, AnsiToUtf16(path).c_str(), 0, KEY_READ | view, &key);
  if (code == ERROR_FILE_NOT_FOUND) return std::nullopt;
  if (code != ERROR_SUCCESS) Fail(code, path);
  return RegistryKey(key, path);
}

RegistryKey::RegistryKey(RegistryKey&& other) noexcept
    : key_(std::exchange(other.key_, nullptr)), path_(std::move(other.path_)) {}

RegistryKey& RegistryKey::operator=(RegistryKey&& other) noexcept {
  std::swap(key_, other.key_);
  std::swap(path_, other.path_);
  return *this;
}

RegistryKey::~RegistryKey() {
  if (key_) RegCloseKey(key_);
}

void RegistryKey::SetText(const char* name, std::string_view value) {
  const OleString text = AnsiToUtf16(value);  // stored with its terminating zero
  LSTATUS code = RegSetValueExW(key_, WideName(name).c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                                static_cast<DWORD>((text.size() + 1) * sizeof(OLECHAR)));
  if (code != ERROR_SUCCESS) Fail(code, path_);
}

std::optional<std::string> RegistryKey::Text(const char* name) const {
  // RRF_RT_REG_SZ refuses values of other types; the size asked first may
  // grow before the second call, hence the loop. Sizes are in bytes.
  const OleString wideName = WideName(name);
  for (;;) {
    DWORD size = 0;
    LSTATUS code = RegGetValueW(key_, nullptr, wideName.c_str(), RRF_RT_REG_SZ, nullptr, nullptr, &size);
    if (code == ERROR_FILE_NOT_FOUND || code == ERROR_UNSUPPORTED_TYPE) return std::nullopt;
    if (code != ERROR_SUCCESS) Fail(code, path_);
    std::vector<OLECHAR> text(size / sizeof(OLECHAR) + 1);
    code = RegGetValueW(key_, nullptr, wideName.c_str(), RRF_RT_REG_SZ, nullptr, text.data(), &size);
    if (code == ERROR_MORE_DATA) continue;
    if (code != ERROR_SUCCESS) Fail(code, path_);
    return Utf16ToAnsi(OleStringView(text.data()));
  }
}

std::vector<std::string> RegistryKey::SubkeyNames() const {
  std::vector<std::string> names;
  OLECHAR name[256];  // the longest key name the registry allows, and its zero
  for (DWORD index = 0;; ++index) {
    DWORD length = std::size(name);
    LSTATUS code = RegEnumKeyExW(key_, index, name, &length, nullptr, nullptr, nullptr, nullptr);
    if (code == ERROR_NO_MORE_ITEMS) return names;
    if (code != ERROR_SUCCESS) Fail(code, path_);
    names.push_back(Utf16ToAnsi(OleStringView(name, length)));
  }
}

void DeleteRegistryTree(HKEY root, const std::string& path) {
  LSTATUS code = RegDeleteTreeW(root, AnsiToUtf16(path).c_str());
  if (code != ERROR_SUCCESS && code != ERROR_FILE_NOT_FOUND) Fail(code, path);
}
