// Every file we ship says what it is and which build it comes from, as
// Explorer's Details page, support and an upgrade read it: the version
// resource, with the project's version.
#include <gtest/gtest.h>
#include <windows.h>

#include <cwchar>
#include <vector>

#include "platform/codepage.h"
#include "tests/support/host_module.h"

namespace {

class VersionInfo {
 public:
  explicit VersionInfo(const std::string& path) {
    const OleString file = AnsiToUtf16(path);
    const DWORD size = GetFileVersionInfoSizeW(file.c_str(), nullptr);
    data_.resize(size);
    if (size == 0 || !GetFileVersionInfoW(file.c_str(), 0, size, data_.data())) data_.clear();
  }

  bool Present() const { return !data_.empty(); }

  // A text of the Russian UTF-16 table, in UTF-8; "" when it is missing.
  std::string Text(const std::wstring& name) const {
    void* value = nullptr;
    UINT length = 0;
    const std::wstring query = L"\\StringFileInfo\\041904B0\\" + name;
    if (!Present() || !VerQueryValueW(data_.data(), query.c_str(), &value, &length) || length == 0) return "";
    const auto* text = static_cast<const wchar_t*>(value);
    return AnsiToUtf8(Utf16ToAnsi(OleStringView(text, std::wcslen(text))));
  }

  // The four numbers of the file's version, as "1.0.0.0".
  std::string FileVersionNumbers() const {
    void* value = nullptr;
    UINT length = 0;
    if (!Present() || !VerQueryValueW(data_.data(), L"\\", &value, &length) || length < sizeof(VS_FIXEDFILEINFO)) {
      return "";
    }
    const auto* fixed = static_cast<const VS_FIXEDFILEINFO*>(value);
    return std::to_string(HIWORD(fixed->dwFileVersionMS)) + "." + std::to_string(LOWORD(fixed->dwFileVersionMS)) +
           "." + std::to_string(HIWORD(fixed->dwFileVersionLS)) + "." + std::to_string(LOWORD(fixed->dwFileVersionLS));
  }

 private:
  std::vector<char> data_;
};

class ShippedVersionInfo : public ::testing::TestWithParam<const char*> {};

TEST_P(ShippedVersionInfo, NamesTheFileTheProductAndTheProjectsVersion) {
  const VersionInfo info(HostModule::PathOf(GetParam()));
  ASSERT_TRUE(info.Present());
  EXPECT_EQ(SORVIN_VERSION, info.Text(L"FileVersion"));
  EXPECT_EQ(SORVIN_VERSION, info.Text(L"ProductVersion"));
  EXPECT_EQ(SORVIN_VERSION ".0", info.FileVersionNumbers());
  EXPECT_EQ(GetParam(), info.Text(L"OriginalFilename"));
  for (const wchar_t* name : {L"CompanyName", L"ProductName", L"LegalCopyright", L"FileDescription"}) {
    EXPECT_NE("", info.Text(name)) << Utf16ToAnsi(name);
  }
}

INSTANTIATE_TEST_SUITE_P(Windows, ShippedVersionInfo,
                         ::testing::Values("Selvane.xhw", "Tarnvik.xhw", "FprnM8Sim.dll", "xhw.exe"),
                         [](const auto& info) {
                           std::string name = info.param;
                           return name.substr(0, name.find('.'));
                         });

// A host lists a module under its display name; the file says the same.
TEST(WindowsVersionInfoOfModules, DescribesTheFileByTheModulesDisplayName) {
  for (const char* file : {"Selvane.xhw", "Tarnvik.xhw"}) {
    const HostModule module(file);
    EXPECT_EQ(module.HardwareName(0), VersionInfo(module.Path()).Text(L"FileDescription")) << file;
  }
}

}  // namespace
