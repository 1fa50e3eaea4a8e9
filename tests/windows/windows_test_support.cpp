#include "tests/windows/windows_test_support.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>

namespace {

class Apartment : public ::testing::Environment {
 public:
  void SetUp() override { ASSERT_TRUE(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))); }
  void TearDown() override { CoUninitialize(); }
};

const auto* const kApartment = ::testing::AddGlobalTestEnvironment(new Apartment);

}  // namespace

TempFolder::TempFolder() {
  char base[MAX_PATH + 1];
  char name[MAX_PATH + 1];
  // A unique name, taken as a file and then turned into the folder.
  if (!GetTempPathA(sizeof base, base) || !GetTempFileNameA(base, "srv", 0, name) || !DeleteFileA(name) ||
      !CreateDirectoryA(name, nullptr)) {
    throw std::runtime_error("no temporary folder");
  }
  path_ = name;
}

TempFolder::~TempFolder() {
  std::error_code ignored;
  std::filesystem::remove_all(path_, ignored);
}

std::string ReadBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream out;
  out << in.rdbuf();
  return out.str();
}

void WriteBytes(const std::string& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
}

bool Exists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }
