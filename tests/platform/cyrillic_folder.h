// For the tests of names in Cyrillic: a folder named so, and the check
// that the code page for non-Unicode programs lacks Cyrillic (under Wine
// these tests run in an English locale; with Windows-1251 as that code page
// any file function would get the names right, and they would prove nothing).
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "platform/com.h"  // GetACP on Windows
#include "tests/support/temp_dir.h"

inline std::string Utf8(const std::filesystem::path& path) {
  const std::u8string text = path.u8string();
  return std::string(text.begin(), text.end());
}

inline void RequireCodePageWithoutCyrillic() {
#ifdef _WIN32
  ASSERT_NE(GetACP(), 1251u) << "the test's locale must not be Russian";
#endif
}

// A fresh folder "Касса №1" in `parent`.
inline std::filesystem::path CyrillicFolder(const TempDir& parent) {
  const std::filesystem::path folder = std::filesystem::path(parent.Path()) / u8"Касса №1";
  std::filesystem::create_directory(folder);
  return folder;
}
