// Every Windows test runs in a single-threaded apartment, as a host's
// thread does.
#include <gtest/gtest.h>
#include <windows.h>

namespace {

class Apartment : public ::testing::Environment {
 public:
  void SetUp() override { ASSERT_TRUE(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))); }
  void TearDown() override { CoUninitialize(); }
};

const auto* const kApartment = ::testing::AddGlobalTestEnvironment(new Apartment);

}  // namespace
