// An emulator object created through the built Selvane.xhw as a host does,
// with its own settings folder, a receipt file in a fresh folder and the
// clock fixed at 08.12.2026 14:05:09.
#pragma once

#include <gtest/gtest.h>

#include <initializer_list>
#include <string>
#include <string_view>

#include "tests/support/host_module.h"
#include "tests/support/temp_dir.h"

class SelvaneTest : public ::testing::Test {
 protected:
  // Binds the receipt file (parameter 0, then Connect).
  void ConnectTo(const std::string& path);
  void Connect() { ConnectTo(ReceiptPath()); }
  // The settings file with these lines (UTF-8) under [GENERAL].
  void WriteSettings(const std::string& lines);
  std::string SettingsText() const;  // UTF-8
  // The cash in the drawer as SaveSettings stores it.
  std::string StoredCash() const;

  std::string ReceiptPath() const { return files_.File("receipts.txt"); }
  std::string Receipts() const { return ReadFileBytes(ReceiptPath()); }

  // One writing operation (CashIn, CashOut, PrintText, FeedLines,
  // CloseReceipt) with a plain argument; its result.
  int CallWriter(std::string_view writer) const;

  // The sale of the sample receipt: bread and milk.
  void AddSampleLines() const;

  std::string SettingsPath() const { return config_.SettingsFolder() + "/Selvane.xhw.ini"; }

  IsolatedConfig config_;
  FileRemoval settingsRemoval_{SettingsPath()};
  TempDir files_;
  ScopedEnv clock_{"SORVIN_FIXED_CLOCK", "2026-12-08 14:05:09"};
  ScopedEnv locale_{"LC_ALL", "C"};
  HostModule module_{"Selvane.xhw"};
  HostDevice device_{module_.CreateDevice()};
};

// "Чек №<number> от <the fixed clock's time>" (UTF-8), the time as the
// user's locale writes it.
std::string ReceiptTitle(int number);

// Windows-1251 text of these lines (UTF-8), each ended by CR LF.
std::string Lines(std::initializer_list<std::string_view> utf8);

inline constexpr std::string_view kSep = "----------------------------------------------------------------------";
inline constexpr const char* kFileError = "Ошибка доступа к файлу";
