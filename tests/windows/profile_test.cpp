// Settings files through the system's profile functions: what a module
// writes must read back the same, stay Windows-1251 on disk and never
// damage the rest of the file.
#include "platform/profile.h"

#include <gtest/gtest.h>
#include <windows.h>

#include "platform/ansi.h"
#include "platform/error.h"
#include "tests/support/temp_dir.h"

namespace {

class WindowsProfile : public ::testing::Test {
 protected:
  TempDir folder;
  ProfileFile file{folder.File("Selvane.xhw.ini")};
};

TEST_F(WindowsProfile, MissingFileSectionOrKeyGivesTheFallbackExactly) {
  EXPECT_EQ("NUL", file.ReadString("GENERAL", "File", "NUL"));
  file.DeleteKey("GENERAL", "File");  // must not create the file
  EXPECT_FALSE(FileExists(file.Path()));
  // The system strips trailing blanks from its own default; ours is kept.
  EXPECT_EQ("x  ", file.ReadString("GENERAL", "File", "x  "));
  file.WriteString("GENERAL", "Title", "");
  EXPECT_EQ("", file.ReadString("GENERAL", "Title", "fallback"));
  EXPECT_EQ("fallback", file.ReadString("GENERAL", "Bottom", "fallback"));
  EXPECT_EQ("fallback", file.ReadString("OTHER", "Title", "fallback"));
}

TEST_F(WindowsProfile, ValuesReadBackAsWrittenAndStayWindows1251OnDisk) {
  const std::string title(std::string("Магазин \"Ромашка\""_ansi));
  file.WriteString("GENERAL", "Title", title);
  file.WriteString("GENERAL", "Padded", "  two blanks each side  ");
  file.WriteString("GENERAL", "Quoted", "\"quoted\"");
  file.WriteString("GENERAL", "Single", "'single'");
  const std::string longValue(3000, 'x');
  file.WriteString("GENERAL", "Long", longValue);

  EXPECT_EQ(title, file.ReadString("general", "TITLE", ""));
  EXPECT_EQ("  two blanks each side  ", file.ReadString("GENERAL", "Padded", ""));
  EXPECT_EQ("\"quoted\"", file.ReadString("GENERAL", "Quoted", ""));
  EXPECT_EQ("'single'", file.ReadString("GENERAL", "Single", ""));
  EXPECT_EQ(longValue, file.ReadString("GENERAL", "Long", ""));
  EXPECT_NE(std::string::npos, ReadFileBytes(file.Path()).find(title));
}

TEST_F(WindowsProfile, ALineBreakInAValueCannotAddAKey) {
  file.WriteString("GENERAL", "Title", "shop\r\nLastnum=99\nend");
  EXPECT_EQ("shop  Lastnum=99 end", file.ReadString("GENERAL", "Title", ""));
  EXPECT_EQ("none", file.ReadString("GENERAL", "Lastnum", "none"));
}

TEST_F(WindowsProfile, WritesChangeOneKeyAndLeaveTheRestAlone) {
  WriteFileBytes(file.Path(), "; kept\r\n[DEBUG]\r\nDebugMode=1\r\n[GENERAL]\r\nFile=a.txt\r\nTitle=T\r\n");
  file.WriteString("GENERAL", "File", "b.txt");
  file.WriteString("GENERAL", "Summa", "12,5");
  file.DeleteKey("GENERAL", "Title");
  const std::string bytes = ReadFileBytes(file.Path());
  EXPECT_NE(std::string::npos, bytes.find("; kept")) << bytes;
  EXPECT_EQ("1", file.ReadString("DEBUG", "DebugMode", ""));
  EXPECT_EQ("b.txt", file.ReadString("GENERAL", "File", ""));
  EXPECT_EQ("12,5", file.ReadString("GENERAL", "Summa", ""));
  EXPECT_EQ("gone", file.ReadString("GENERAL", "Title", "gone"));
  EXPECT_EQ(std::string::npos, bytes.find("a.txt"));
}

TEST_F(WindowsProfile, SavingIntoANewFolderCreatesIt) {
  ProfileFile nested(folder.File("a\\b\\Tarnvik.xhw.ini"));
  nested.WriteString("DEBUG", "LogFile", "log.txt");
  EXPECT_EQ("log.txt", nested.ReadString("DEBUG", "LogFile", ""));
}

TEST_F(WindowsProfile, ARefusedWriteIsAFailureWithTheSystemsCode) {
  // A folder where the file should be: the system refuses the write.
  ASSERT_TRUE(CreateDirectoryA(file.Path().c_str(), nullptr));
  try {
    file.WriteString("GENERAL", "File", "x");
    FAIL() << "the write was refused, yet no failure came";
  } catch (const ComError& e) {
    EXPECT_TRUE(FAILED(e.Status()));
    EXPECT_EQ(FACILITY_WIN32, HRESULT_FACILITY(e.Status()));
    EXPECT_EQ(0u, std::string(e.what()).find(std::string("Не удалось записать файл настроек"_ansi)));
  }
}

TEST(WindowsProfileFolder, ABareNameLivesInTheWindowsFolder) {
  char windows[MAX_PATH + 1];
  UINT length = GetWindowsDirectoryA(windows, sizeof windows);
  EXPECT_EQ(std::string(windows, length), SettingsFolder());
  EXPECT_EQ(SettingsFolder() + "\\Selvane.xhw.ini", ProfileFile("Selvane.xhw.ini").Path());
  EXPECT_EQ("C:\\ini\\Tarnvik.xhw.ini", ProfileFile("C:\\ini\\Tarnvik.xhw.ini").Path());
}

}  // namespace
