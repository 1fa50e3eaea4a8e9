// A simulator of its own for each test: a settings file in a fresh folder
// (tape, journal, a fixed clock and whatever else the test adds), the module
// loaded as a host loads it, and objects driven through AutomationObject as
// the adapter drives the real driver.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/automation.h"
#include "tests/support/host_module.h"
#include "tests/support/temp_dir.h"

inline constexpr CLSID kSimulatorClass = {0x5C7D3F2A, 0x9B41, 0x4E8C, {0xA6, 0xD2, 0x7F, 0x13, 0xB0, 0xC8, 0x4E, 0x95}};

inline Variant Long(int value) { return Variant(static_cast<LONG>(value)); }

class SimulatorTest : public ::testing::Test {
 protected:
  SimulatorTest();

  // Adds lines to the settings file (UTF-8 bytes, as a user would type them).
  void AddSettings(const std::string& lines);
  std::string SettingsPath() const { return config_.Dir().File("sim.ini"); }
  std::string TapePath() const { return config_.Dir().File("tape.txt"); }

  // A new object, created through the module's class factory.
  AutomationObject Create() const;
  ComPtr<IDispatch> CreateRaw() const;

  std::string Tape() const { return ReadFileBytes(TapePath()); }
  std::vector<std::string> Journal() const;
  // Journal lines written since the last call.
  std::vector<std::string> NewJournalLines();
  std::string State(const std::string& key) const;

  // The register switched on, in `mode`.
  static void SwitchOn(AutomationObject& driver, int mode);
  static void Put(AutomationObject& driver, std::string_view name, Variant value, bool byReference = false);
  static void PutText(AutomationObject& driver, std::string_view name, const std::string& utf8);
  static long Int(AutomationObject& driver, std::string_view name) { return driver.Get(name).ToInt(); }
  static std::string Text(AutomationObject& driver, std::string_view name);
  // One sale or return line as the adapter registers it.
  static long AddLine(AutomationObject& driver, const std::string& name, double quantity, double price,
                      int department = 0);
  static long Pay(AutomationObject& driver, double sum, int type = 0);

  IsolatedConfig config_;
  ScopedEnv settingsEnv_;
  HostModule module_{kSimulatorModule};

 private:
  size_t journalSeen_ = 0;
};
