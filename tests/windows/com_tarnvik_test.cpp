// Tarnvik as a Windows host meets it, with the register simulator
// registered under the ATOL driver's ProgID: the runtime finds the driver
// by that name, and without it Connect gives 4 with the system's reason.
#include <gtest/gtest.h>
#include <windows.h>

#include "platform/codepage.h"
#include "platform/windows/system_error.h"
#include "tests/support/host_module.h"
#include "tests/support/temp_dir.h"
#include "tests/windows/com_server.h"

namespace {

constexpr CLSID kTarnvikClass = {0xB7689970, 0x3F20, 0x42EC, {0x99, 0x95, 0x56, 0x82, 0x9F, 0xD9, 0xD3, 0xA3}};

class WindowsComTarnvik : public ::testing::Test {
 protected:
  WindowsComTarnvik() {
    WriteFileBytes(files.File("sim.ini"), "[Simulator]\r\nTapeFile=" + files.File("tape.txt") +
                                              "\r\nJournalFile=" + files.File("journal.txt") + "\r\n");
  }

  std::string Tape() const { return ReadFileBytes(files.File("tape.txt")); }

  TempDir files;
  ScopedEnv settings{"SORVIN_FPRNM8_SIM", files.File("sim.ini")};
  ScopedEnv clock{"SORVIN_FIXED_CLOCK", "2018-03-05 14:30:15"};
  RegisteredServer simulator{"FprnM8Sim.dll"};
  RegisteredServer tarnvik{"Tarnvik.xhw"};
  HostDevice device{CreateRegisteredDevice(kTarnvikClass)};
};

TEST_F(WindowsComTarnvik, SellsOnTheDriverFoundByItsProgId) {
  EXPECT_EQ("{5C7D3F2A-9B41-4E8C-A6D2-7F13B0C84E95}", ClassesValue("AddIn.FprnM8\\CLSID"));
  EXPECT_EQ("{B7689970-3F20-42EC-9995-56829FD9D3A3}", ClassesValue("Tarnvik.Tarnvik\\CLSID"));
  ASSERT_EQ(0, device.Int("Connect"));
  ASSERT_EQ(0, device.Int("SaleItem", {3, "Хлеб", 1.5, 10.0, 1, 4, 2}));
  ASSERT_EQ(0, device.Int("Payment", {20.0, 0}));
  ASSERT_EQ(0, device.Int("CloseReceipt"));
  const std::string tape = Tape();
  EXPECT_NE(std::string::npos, tape.find("КАССОВЫЙ ЧЕК. ПРИХОД\nХлеб\n  1.5 x 10.00 = 15.00\n")) << tape;
  EXPECT_NE(std::string::npos, tape.find("ИТОГ: 15.00\nНАЛИЧНЫМИ: 20.00\nСДАЧА: 5.00\n")) << tape;
  EXPECT_NE(std::string::npos, tape.find("2018-03-05 14:30:15")) << tape;
  EXPECT_EQ(0, device.ResultCode());
  device.Call("Disconnect");
}

TEST_F(WindowsComTarnvik, WithoutTheDriverConnectGivesFourAndTheSystemsReason) {
  ASSERT_EQ(0, simulator.Unregister());
  EXPECT_EQ(4, device.Int("Connect"));
  const std::string reason = AnsiToUtf8(SystemMessage(CO_E_CLASSSTRING));
  EXPECT_FALSE(reason.empty());
  EXPECT_EQ(reason, device.ResultText());
  EXPECT_EQ(4, device.Int("PrintText", {"x"}));
}

}  // namespace
