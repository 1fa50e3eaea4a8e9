// Settings files through the system's profile functions: what a module
// writes must read back the same, stay Windows-1251 on disk and never
// damage the rest of the file.
#include "platform/profile.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <filesystem>
#include <utility>

#include "platform/ansi.h"
#include "platform/error.h"
#include "platform/whole_file.h"
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

// What the system's own profile function reads, for comparison.
std::string SystemRead(const std::string& path, const std::string& section, const std::string& key) {
  char value[512];
  const DWORD length =
      GetPrivateProfileStringA(section.c_str(), key.c_str(), "<missing>", value, sizeof value, path.c_str());
  return std::string(value, length);
}

// The module's reader keeps the rules of the system's profile functions.
TEST_F(WindowsProfile, ReadsAsTheSystemsProfileFunctionsDo) {
  WriteFileBytes(file.Path(),
             "; comment=ignored\r\n"
             "[General]\r\n"
             "  File  =  receipts.txt  \r\n"
             ";Title=commented out\r\n"
             "Title=\"  quoted  \"\r\n"
             "Single='single'\r\n"
             "Half=\"half\r\n"
             "Empty=\r\n"
             "Inner=a = b ; c\r\n"
             "file=second one loses\r\n"
             "NoEquals\r\n"
             "Bare=cr\rAfter=bare\r\n"
             "  [ other ]  \r\n"
             "Key=other\r\n"
             "[GENERAL]\r\n"
             "Bottom=in a later section of the same name\r\n");
  const std::pair<const char*, const char*> probes[] = {
      {"GENERAL", "file"}, {"general", "TITLE"}, {"General", "Single"}, {"General", "Half"},
      {"General", "Empty"}, {"General", "Inner"}, {"General", "NoEquals"}, {"General", "Bare"},
      {"General", "After"}, {"Other", "key"},    {"General", "Bottom"},   {"General", "comment"},
      {"Missing", "File"},
  };
  for (const auto& [section, key] : probes) {
    SCOPED_TRACE(std::string(section) + " " + key);
    EXPECT_EQ(SystemRead(file.Path(), section, key), file.ReadString(section, key, "<missing>"));
  }
}

// Under Wine as on Windows: a read-only settings file is refused, a
// replacement that fails after its new text was written leaves the old file
// whole, and neither leaves a temporary file behind.
TEST_F(WindowsProfile, AFailedSaveLeavesTheOldFileWhole) {
  const std::string old = "[GENERAL]\r\nLastnum=41\r\nSumma=100\r\n";
  const ProfileEntry entries[] = {{"Lastnum", "42"}, {"Summa", "110"}};
  WriteFileBytes(file.Path(), old);
  ASSERT_TRUE(SetFileAttributesA(file.Path().c_str(), FILE_ATTRIBUTE_READONLY));
  try {
    file.WriteStrings("GENERAL", entries);
    ADD_FAILURE() << "a read-only file was written";
  } catch (const ComError& e) {
    EXPECT_EQ(HRESULT_FROM_WIN32(ERROR_ACCESS_DENIED), e.Status()) << e.what();
  }
  SetFileAttributesA(file.Path().c_str(), FILE_ATTRIBUTE_NORMAL);
  EXPECT_EQ(old, ReadFileBytes(file.Path()));

  // A folder in the file's place: the new text is written beside it, the
  // move over it fails.
  ASSERT_TRUE(CreateDirectoryA(folder.File("taken").c_str(), nullptr));
  try {
    ReplaceWholeFile(folder.File("taken"), old);
    ADD_FAILURE() << "a folder was replaced";
  } catch (const ComError& e) {
    EXPECT_TRUE(FAILED(e.Status())) << e.what();
    EXPECT_EQ(FACILITY_WIN32, HRESULT_FACILITY(e.Status())) << e.what();
  }
  EXPECT_TRUE(std::filesystem::is_directory(folder.File("taken")));
  EXPECT_EQ(2, std::distance(std::filesystem::directory_iterator(folder.Path()), {})) << "temporary file left";

  file.WriteStrings("GENERAL", entries);
  EXPECT_EQ("[GENERAL]\r\nLastnum=42\r\nSumma=110\r\n", ReadFileBytes(file.Path()));
}

TEST(WindowsProfileFolder, ABareNameLivesInTheWindowsFolder) {
  char windows[MAX_PATH + 1];
  UINT length = GetWindowsDirectoryA(windows, sizeof windows);
  EXPECT_EQ(std::string(windows, length), SettingsFolder());
  EXPECT_EQ(SettingsFolder() + "\\Selvane.xhw.ini", ProfileFile("Selvane.xhw.ini").Path());
  EXPECT_EQ("C:\\ini\\Tarnvik.xhw.ini", ProfileFile("C:\\ini\\Tarnvik.xhw.ini").Path());
}

}  // namespace
