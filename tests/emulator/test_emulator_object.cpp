// The emulator object: identity, parameters, settings file, receipt file
// binding and the rules of the last result.
#include <locale.h>

#include <filesystem>

#include "tests/emulator/emulator_fixture.h"

namespace {

TEST_F(SelvaneTest, ModuleNamesItsClass) {
  EXPECT_EQ(1, module_.HardwareCount());
  EXPECT_EQ("Эмулятор ККМ", module_.HardwareName(0));
  EXPECT_EQ("{AEA0B6CF-6838-4C95-AB22-A2AA30E73FB1}", module_.HardwareClassString(7));
}

TEST_F(SelvaneTest, ParametersNameTypeAndValue) {
  EXPECT_EQ(3, device_.Int("GetParamCount"));
  struct Expected {
    int index;
    const char* name;
    int type;
  };
  for (const Expected& p : {Expected{0, "Имя файла чеков", 12}, Expected{1, "Заголовок чека", 2},
                            Expected{2, "Окончание чека", 2}, Expected{-1, "", 11}, Expected{3, "", 11}}) {
    SCOPED_TRACE(p.index);
    EXPECT_EQ(p.name, device_.Text("GetParamName", {p.index}));
    EXPECT_EQ(p.type, device_.Int("GetParamType", {p.index}));
    EXPECT_EQ("", device_.Text("GetParamDescription", {p.index}));
  }
  EXPECT_EQ("nul", device_.Text("GetParamValue", {0}));
  EXPECT_EQ(VT_EMPTY, device_.Call("GetParamValue", {3}).Type());

  device_.Call("SetParamValue", {1, "Магазин"});
  device_.Call("SetParamValue", {2, 15});
  device_.Call("SetParamValue", {3, "ничего"});
  EXPECT_EQ(VT_BSTR, device_.Call("GetParamValue", {1}).Type());
  EXPECT_EQ("Магазин", device_.Text("GetParamValue", {1}));
  EXPECT_EQ("15", device_.Text("GetParamValue", {2}));
  EXPECT_EQ(VT_EMPTY, device_.Call("GetParamValue", {3}).Type());
}

TEST_F(SelvaneTest, ValueThatIsNoTextFailsAndKeepsFieldAndResult) {
  device_.Call("SetParamValue", {1, "Магазин"});
  device_.Int("SaleItem", {1, "Хлеб", 1.0, 1.0, 0, 0, 0});
  ASSERT_EQ(8, device_.Int("ReturnItem", {1, "Хлеб", 1.0, 1.0, 0, 0, 0}));
  Variant null;
  null.Get()->vt = VT_NULL;
  EXPECT_TRUE(FAILED(device_.TryCall("SetParamValue", {1, std::move(null)})));
  EXPECT_EQ("Магазин", device_.Text("GetParamValue", {1}));
  EXPECT_EQ(8, device_.ResultCode());
}

TEST_F(SelvaneTest, WritersFailWithoutConnect) {
  device_.Call("SetTaxSystem", {2});
  device_.Call("SetCustomerContact", {"a@b.ru"});
  for (const char* writer : {"CashIn", "PrintText", "CloseReceipt", "FeedLines"}) {
    SCOPED_TRACE(writer);
    const int expected = std::string_view(writer) == "FeedLines" ? 8 : 3;
    EXPECT_EQ(expected, CallWriter(writer));
    EXPECT_EQ(expected, device_.ResultCode());
    EXPECT_EQ(kFileError, device_.ResultText());
  }
  // A close that could not open its file uses up neither value.
  EXPECT_EQ(2, device_.Int("GetTaxSystem"));
  EXPECT_EQ("a@b.ru", device_.Text("GetCustomerContact"));
  // The failed deposit left the drawer empty.
  EXPECT_EQ(7, device_.Int("CashOut", {1.0}));
}

TEST_F(SelvaneTest, NulDiscardsOutputUntilAFileIsSet) {
  ASSERT_EQ(0, device_.Int("Connect"));
  EXPECT_EQ(0, device_.Int("CashIn", {100.0}));
  EXPECT_EQ(0, device_.Int("PrintText", {"никуда"}));
  EXPECT_EQ(0, device_.Int("FeedLines", {2}));
  EXPECT_EQ(0, device_.Int("CloseReceipt"));
  EXPECT_FALSE(FileExists("nul"));
}

TEST_F(SelvaneTest, NewFileNameTakesEffectAtConnect) {
  Connect();
  const std::string other = files_.File("other.txt");
  device_.Call("SetParamValue", {0, other});
  ASSERT_EQ(0, device_.Int("PrintText", {"первый"}));
  device_.Call("Disconnect");
  ASSERT_EQ(0, device_.Int("PrintText", {"второй"}));
  ASSERT_EQ(0, device_.Int("Connect"));
  ASSERT_EQ(0, device_.Int("PrintText", {"третий"}));
  EXPECT_EQ(Lines({"первый", kSep, "второй", kSep}), Receipts());
  EXPECT_EQ(Lines({"третий", kSep}), ReadFileBytes(other));
}

TEST_F(SelvaneTest, LoadSettingsWithoutFileGivesDefaults) {
  device_.Call("SetParamValue", {1, "Магазин"});
  device_.Call("LoadSettings");
  EXPECT_EQ("NUL", device_.Text("GetParamValue", {0}));
  EXPECT_EQ("", device_.Text("GetParamValue", {1}));
  EXPECT_EQ("", device_.Text("GetParamValue", {2}));
  EXPECT_EQ(0, device_.Int("GetLastDocNumber"));
  ASSERT_EQ(0, device_.Int("Connect"));
  EXPECT_EQ(7, device_.Int("CashOut", {0.01}));
}

TEST_F(SelvaneTest, SettingsRoundTrip) {
  WriteSettings("Lastnum=41\r\nSumma=1000\r\n");
  device_.Call("LoadSettings");
  device_.Call("SetParamValue", {0, ReceiptPath()});
  device_.Call("SetParamValue", {1, "Магазин"});
  device_.Call("SetParamValue", {2, "Спасибо за покупку"});
  ASSERT_EQ(0, device_.Int("Connect"));
  ASSERT_EQ(0, device_.Int("CashIn", {520.5}));
  AddSampleLines();
  ASSERT_EQ(0, device_.Int("CloseReceipt"));
  device_.Call("SaveSettings");
  EXPECT_EQ("[GENERAL]\r\nLastnum=42\r\nSumma=1701.4\r\nFile=" + ReceiptPath() +
                "\r\nTitle=Магазин\r\nBottom=Спасибо за покупку\r\n",
            SettingsText());

  HostDevice other(module_.CreateDevice());
  other.Call("LoadSettings");
  EXPECT_EQ(ReceiptPath(), other.Text("GetParamValue", {0}));
  EXPECT_EQ("Магазин", other.Text("GetParamValue", {1}));
  EXPECT_EQ("Спасибо за покупку", other.Text("GetParamValue", {2}));
  EXPECT_EQ(42, other.Int("GetLastDocNumber"));
  ASSERT_EQ(0, other.Int("Connect"));
  EXPECT_EQ(7, other.Int("CashOut", {1701.41}));
  EXPECT_EQ(0, other.Int("CashOut", {1701.4}));
}

TEST_F(SelvaneTest, NewSettingsFileHoldsKeysInOrder) {
  device_.Call("SaveSettings");
  std::string text = SettingsText();
  std::erase(text, '\r');  // Windows ends the lines with CR LF
  EXPECT_EQ("[GENERAL]\nFile=nul\nTitle=\nBottom=\nLastnum=0\nSumma=0\n", text);
}

TEST_F(SelvaneTest, StoredValuesReadLeniently) {
  struct Case {
    const char* lines;
    int lastNumber;
    const char* cash;
  };
  for (const Case& c :
       {Case{"Lastnum=7\r\nSumma=12,50\r\n", 7, "12.5"}, Case{"Lastnum=7\r\nSumma=12.50\r\n", 7, "12.5"},
        Case{"Lastnum=abc\r\nSumma=abc\r\n", 0, "0"}, Case{"Lastnum=99999999999\r\nSumma=1,2,3\r\n", 0, "0"},
        Case{"Lastnum=-3\r\nSumma=inf\r\n", -3, "0"}}) {
    SCOPED_TRACE(c.lines);
    WriteSettings(c.lines);
    device_.Call("LoadSettings");
    EXPECT_EQ(c.lastNumber, device_.Int("GetLastDocNumber"));
    EXPECT_EQ(c.cash, StoredCash());
  }
}

// Windows takes the separator from the user's regional settings, not from LC_ALL.
#ifndef _WIN32
TEST_F(SelvaneTest, CashIsWrittenWithTheLocaleSeparator) {
  locale_t russian = newlocale(LC_NUMERIC_MASK, "ru_RU.UTF-8", static_cast<locale_t>(0));
  if (russian == static_cast<locale_t>(0)) GTEST_SKIP() << "ru_RU.UTF-8 is not installed";
  freelocale(russian);
  ScopedEnv locale("LC_ALL", "ru_RU.UTF-8");
  WriteSettings("Summa=1520.5\r\n");
  device_.Call("LoadSettings");
  EXPECT_EQ("1520,5", StoredCash());
  // And read back under the same locale.
  device_.Call("LoadSettings");
  EXPECT_EQ("1520,5", StoredCash());
}
#endif

TEST_F(SelvaneTest, LoadSettingsPutsBackStoredCounters) {
  WriteSettings("Lastnum=5\r\nSumma=100\r\n");
  device_.Call("LoadSettings");
  Connect();
  ASSERT_EQ(0, device_.Int("CashIn", {50.0}));
  ASSERT_EQ(0, device_.Int("CloseReceipt"));
  ASSERT_EQ(6, device_.Int("GetLastDocNumber"));
  device_.Call("LoadSettings");
  EXPECT_EQ(5, device_.Int("GetLastDocNumber"));
  EXPECT_EQ("100", StoredCash());
}

TEST_F(SelvaneTest, RefusedSettingsWriteIsAFailureStatus) {
  // A folder stands where the settings file belongs, so it cannot be written.
  std::filesystem::create_directories(SettingsPath());
  // The system's own code, access denied, on both platforms.
  EXPECT_EQ(static_cast<HRESULT>(0x80070005), device_.TryCall("SaveSettings", {}));
  EXPECT_NE("", module_.LastErrorMessage());
  device_.Call("LoadSettings");  // reads defaults, never fails
  EXPECT_EQ("NUL", device_.Text("GetParamValue", {0}));
}

TEST_F(SelvaneTest, QueriesRecordOrKeepTheLastResult) {
  auto refuseLine = [&] {
    device_.Int("CancelReceipt");
    device_.Int("SaleItem", {1, "Хлеб", 1.0, 1.0, 0, 0, 0});
    ASSERT_EQ(8, device_.Int("ReturnItem", {1, "Хлеб", 1.0, 1.0, 0, 0, 0}));
  };
  // Operations that record 0 hide the refusal and its text.
  for (const char* op : {"GetSerialNumber", "TestConnection", "GetLastDocNumber", "GetLastDocSum"}) {
    SCOPED_TRACE(op);
    refuseLine();
    device_.Call(op);
    EXPECT_EQ(0, device_.ResultCode());
    EXPECT_EQ("", device_.ResultText());
  }
  // The others leave it visible.
  for (const char* op : {"GetDeviceStatus", "GetLastDocDateTime", "GetResultText", "GetTaxSystem", "GetCustomerContact",
                         "GetParamCount", "Disconnect", "LoadSettings"}) {
    SCOPED_TRACE(op);
    refuseLine();
    device_.Call(op);
    EXPECT_EQ(8, device_.ResultCode());
    EXPECT_EQ("Возврат не возможен - в чеке есть продажа", device_.ResultText());
  }
  EXPECT_EQ("Sorvin_emulator", device_.Text("GetSerialNumber"));
}

TEST_F(SelvaneTest, PlainValuesAndFreshState) {
  EXPECT_EQ(-1, device_.Int("GetTaxSystem"));
  device_.Call("SetTaxSystem", {99});
  EXPECT_EQ(99, device_.Int("GetTaxSystem"));
  device_.Call("SetCustomerContact", {"+7 900 123-45-67"});
  EXPECT_EQ("+7 900 123-45-67", device_.Text("GetCustomerContact"));
  EXPECT_EQ(0.0, device_.Number("GetLastDocSum"));
  EXPECT_EQ(0.0, device_.Number("GetLastDocDateTime"));
  EXPECT_EQ(0, device_.Int("GetDeviceStatus"));
}

}  // namespace
