// The parameters the host edits, the settings file, and the receipt
// attributes the host sets before a close.
#include "platform/profile.h"
#include "tests/adapter/register_fixture.h"

namespace {

using Settings = RegisterTest;

TEST_F(Settings, ParameterList) {
  EXPECT_EQ(5, Device().Int("GetParamCount"));
  const char* names[] = {"IniPath", "Режим отладки", "Файл журнала", "ApplicationHandle", "SetupWindow"};
  const int types[] = {2, 3, 12, 11, 11};
  for (int i = 0; i < 5; ++i) {
    EXPECT_EQ(names[i], Device().Text("GetParamName", {i}));
    EXPECT_EQ(types[i], Device().Int("GetParamType", {i}));
    EXPECT_EQ("", Device().Text("GetParamDescription", {i}));
  }
  for (int outside : {5, -1}) {
    EXPECT_EQ("", Device().Text("GetParamName", {outside}));
    EXPECT_EQ(11, Device().Int("GetParamType", {outside}));
  }
  EXPECT_EQ("Tarnvik.log", Device().Text("GetParamValue", {2}));
  EXPECT_FALSE(Device().Call("GetParamValue", {1}).ToBool());
  EXPECT_EQ(VT_BOOL, Device().Call("GetParamValue", {1}).Type());
  for (int index : {4, 9}) {
    Variant value = Device().Call("GetParamValue", {index});
    EXPECT_EQ(VT_I4, value.Type());
    EXPECT_EQ(0, value.ToInt());
  }
  Device().Call("SetParamValue", {9, 1});
  Device().Call("SetParamValue", {3, 42});
  EXPECT_EQ(42, Device().Int("GetParamValue", {3}));
  // A value that is no number fails the call and changes nothing.
  EXPECT_NE(S_OK, Device().TryCall("SetParamValue", {3, "abc"}));
  EXPECT_EQ(42, Device().Int("GetParamValue", {3}));
  EXPECT_TRUE(journal_.Take().empty());
}

TEST_F(Settings, FileNameIsTheFolderGluedToTheName) {
  Device().Call("SetParamValue", {0, Dir().File("conf")});
  Device().Call("SetParamValue", {1, true});
  Device().Call("SetParamValue", {2, "журнал.log"});
  Device().Call("SaveSettings");
  const std::string saved = ReadFileBytes(Dir().File("confTarnvik.xhw.ini"));
  EXPECT_NE(std::string::npos, saved.find("DebugMode=1"));
  EXPECT_NE(std::string::npos, saved.find(Ansi("LogFile=журнал.log")));

  Device().Call("SetParamValue", {0, ""});
  Device().Call("SaveSettings");
  EXPECT_TRUE(FileExists(SettingsPath("Tarnvik.xhw.ini")));
}

TEST_F(Settings, LoadingReadsDebugModeAsAWholeNumber) {
  Device().Call("SetParamValue", {0, Dir().Path() + "/"});
  const std::string file = Dir().File("Tarnvik.xhw.ini");
  WriteFileBytes(file, "[DEBUG]\nDebugMode=7\nLogFile=x.log\n");
  Device().Call("LoadSettings");
  EXPECT_TRUE(Device().Call("GetParamValue", {1}).ToBool());
  EXPECT_EQ("x.log", Device().Text("GetParamValue", {2}));

  WriteFileBytes(file, "[DEBUG]\nDebugMode=-1\n");
  Device().Call("LoadSettings");
  EXPECT_TRUE(Device().Call("GetParamValue", {1}).ToBool());
  // Only a whole number counts; anything after its digits makes it none.
  for (const char* off : {"yes", "1abc", "1.5", "7x", "0", ""}) {
    SCOPED_TRACE(off);
    WriteFileBytes(file, std::string("[DEBUG]\nDebugMode=") + off + "\n");
    Device().Call("LoadSettings");
    EXPECT_FALSE(Device().Call("GetParamValue", {1}).ToBool());
  }
  EXPECT_EQ("x.log", Device().Text("GetParamValue", {2}));  // missing key: kept

  // Saving rewrites only its own keys.
  WriteFileBytes(file, "[Other]\nKey=1\n");
  Device().Call("SaveSettings");
  EXPECT_EQ("1", ProfileFile(file).ReadString("Other", "Key", ""));
  EXPECT_EQ("0", ProfileFile(file).ReadString("DEBUG", "DebugMode", ""));
}

TEST_F(Settings, ReceiptAttributesAreStoredUnchecked) {
  for (int code : {99, -5}) {
    Device().Call("SetTaxSystem", {code});
    EXPECT_EQ(code, Device().Int("GetTaxSystem"));
  }
  // Kept in the 8-bit code page: a character without a code there is lost.
  Device().Call("SetCustomerContact", {"Иван ✓"});
  EXPECT_EQ("Иван ?", Device().Text("GetCustomerContact"));
}

}  // namespace
