// The register simulator as a test bench meets it on Windows: a harness
// that names the simulator's settings file for itself, after it started,
// through the system alone (as one written in another language does).
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "platform/automation.h"
#include "tests/support/temp_dir.h"
#include "tests/windows/com_server.h"

namespace {

// Set in the process's environment only: the C runtime's copy, taken when
// the program started, never hears of it.
class ProcessVariable {
 public:
  ProcessVariable(const wchar_t* name, const std::wstring& value) : name_(name) {
    SetEnvironmentVariableW(name, value.c_str());
  }
  ProcessVariable(const ProcessVariable&) = delete;
  ProcessVariable& operator=(const ProcessVariable&) = delete;
  ~ProcessVariable() { SetEnvironmentVariableW(name_, nullptr); }

 private:
  const wchar_t* name_;
};

TEST(WindowsComSimulator, ReadsTheSettingsFileTheProcessNamedForItself) {
  TempDir files;
  // A name outside the ANSI code page's reach in most locales: the path
  // must come through in UTF-16.
  const std::filesystem::path settings = std::filesystem::path(files.Path()) / L"настройки.ini";
  std::ofstream(settings, std::ios::binary) << "[State]\r\nSerialNumber=00000000000042\r\n";
  ScopedEnv unset("SORVIN_FPRNM8_SIM", std::nullopt);
  ProcessVariable named(L"SORVIN_FPRNM8_SIM", settings.wstring());
  ASSERT_EQ(nullptr, std::getenv("SORVIN_FPRNM8_SIM"));

  RegisteredServer simulator{"FprnM8Sim.dll"};
  AutomationObject driver = AutomationObject::Create("AddIn.FprnM8");
  EXPECT_EQ("00000000000042", driver.Get("SerialNumber").ToAnsi());
}

}  // namespace
