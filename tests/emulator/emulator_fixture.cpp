#include "tests/emulator/emulator_fixture.h"

#include <filesystem>

#include "platform/clock.h"
#include "platform/codepage.h"

void SelvaneTest::ConnectTo(const std::string& path) {
  device_.Call("SetParamValue", {0, path});
  ASSERT_EQ(0, device_.Int("Connect"));
}

void SelvaneTest::WriteSettings(const std::string& lines) {
  std::filesystem::create_directories(config_.SettingsFolder());
  WriteFileBytes(SettingsPath(), Ansi("[GENERAL]\r\n" + lines));
}

std::string SelvaneTest::SettingsText() const { return AnsiToUtf8(ReadFileBytes(SettingsPath())); }

void SelvaneTest::AddSampleLines() const {
  ASSERT_EQ(0, device_.Int("SaleItem", {1, "Хлеб", 2.0, 45.5, 1, 4, 3}));
  ASSERT_EQ(0, device_.Int("SaleItem", {1, "Молоко", 1.0, 89.9, 1, 4, 2}));
}

std::string SelvaneTest::StoredCash() const {
  device_.Call("SaveSettings");
  const std::string text = SettingsText();
  const std::size_t start = text.find("Summa=");
  if (start == std::string::npos) return "(none)";
  const std::size_t value = start + 6;
  return text.substr(value, text.find_first_of("\r\n", value) - value);
}

std::string ReceiptTitle(int number) {
  return "Чек №" + std::to_string(number) + " от " + AnsiToUtf8(FormatDateTime(EncodeDateTime(2026, 12, 8, 14, 5, 9)));
}

std::string Lines(std::initializer_list<std::string_view> utf8) {
  std::string text;
  for (std::string_view line : utf8) text += Ansi(line) + "\r\n";
  return text;
}

int SelvaneTest::CallWriter(std::string_view writer) const {
  if (writer == "PrintText") return device_.Int(writer, {"текст"});
  if (writer == "FeedLines") return device_.Int(writer, {2});
  if (writer == "CloseReceipt") return device_.Int(writer);
  return device_.Int(writer, {5.0});
}
