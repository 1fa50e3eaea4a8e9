#include <gtest/gtest.h>

#include <filesystem>

#include "platform/ansi.h"
#include "platform/error.h"
#include "platform/profile.h"
#include "tests/support/temp_dir.h"

namespace {

TEST(ProfileFile, ReadsWithWindowsLookupRules) {
  TempDir dir;
  WriteFileBytes(dir.File("s.ini"),
                 "; comment=ignored\n"
                 "[General]\n"
                 "  File  =  receipts.txt  \n"
                 ";Title=commented out\n"
                 "Title=\"  quoted  \"\n"
                 "Single=' single '\n"
                 "Empty=\n"
                 "file=second one loses\n"
                 "[ other ]\n"
                 "Key=other\n"
                 "[GENERAL]\n"
                 "Bottom=in a later section of the same name\n");
  ProfileFile profile(dir.File("s.ini"));
  EXPECT_EQ(profile.ReadString("GENERAL", "file", "-"), "receipts.txt");
  EXPECT_EQ(profile.ReadString("general", "TITLE", "-"), "  quoted  ");
  EXPECT_EQ(profile.ReadString("General", "Single", "-"), " single ");
  EXPECT_EQ(profile.ReadString("General", "Empty", "-"), "");
  EXPECT_EQ(profile.ReadString("Other", "key", "-"), "other");
  // Only the first section of a name counts.
  EXPECT_EQ(profile.ReadString("General", "Bottom", "-"), "-");
  EXPECT_EQ(profile.ReadString("General", "comment", "-"), "-");
  EXPECT_EQ(profile.ReadString("Missing", "File", "fallback"), "fallback");
}

TEST(ProfileFile, MissingOrUnreadableFileGivesFallback) {
  TempDir dir;
  EXPECT_EQ(ProfileFile(dir.File("none.ini")).ReadString("A", "B", "dflt"), "dflt");
  std::filesystem::create_directory(dir.File("folder.ini"));
  EXPECT_EQ(ProfileFile(dir.File("folder.ini")).ReadString("A", "B", "dflt"), "dflt");
}

TEST(ProfileFile, BareNameLivesInSettingsFolderCreatedOnFirstWrite) {
  IsolatedConfig config;
  EXPECT_EQ(SettingsFolder(), config.SettingsFolder());
  ProfileFile profile("Selvane.xhw.ini");
  EXPECT_EQ(profile.Path(), config.SettingsFolder() + "/Selvane.xhw.ini");
  EXPECT_FALSE(FileExists(config.SettingsFolder()));

  profile.WriteString("GENERAL", "File", "NUL");
  profile.WriteString("GENERAL", "Title", "Магазин"_ansi);
  profile.WriteString("GENERAL", "Lastnum", "42");
  EXPECT_EQ(ReadFileBytes(profile.Path()),
            "[GENERAL]\nFile=NUL\nTitle=" + std::string("Магазин"_ansi) + "\nLastnum=42\n");
  EXPECT_EQ(profile.ReadString("general", "title", ""), "Магазин"_ansi);
}

TEST(ProfileFile, SettingsFolderFallsBackToHome) {
  TempDir home;
  ScopedEnv xdg("XDG_CONFIG_HOME", std::nullopt);
  ScopedEnv homeEnv("HOME", home.Path());
  EXPECT_EQ(SettingsFolder(), home.Path() + "/.config/sorvin");
}

TEST(ProfileFile, WriteKeepsEveryOtherLineAndTheFileLineEnds) {
  TempDir dir;
  const std::string original =
      "; Selvane settings\r\n"
      "[GENERAL]\r\n"
      "File = old.txt ; trailing\r\n"
      "Title=Shop\r\n"
      "\r\n"
      "; leads into the next section\r\n"
      "[Other]\r\n"
      "Key=1";
  WriteFileBytes(dir.File("s.ini"), original);
  ProfileFile profile(dir.File("s.ini"));

  profile.WriteString("general", "FILE", "new.txt");
  profile.WriteString("GENERAL", "Summa", "1520,5");
  profile.WriteString("Other", "Added", "x");
  profile.WriteString("Third", "A", "b");
  EXPECT_EQ(ReadFileBytes(profile.Path()),
            "; Selvane settings\r\n"
            "[GENERAL]\r\n"
            "FILE=new.txt\r\n"
            "Title=Shop\r\n"
            "Summa=1520,5\r\n"
            "\r\n"
            "; leads into the next section\r\n"
            "[Other]\r\n"
            "Key=1\r\n"
            "Added=x\r\n"
            "[Third]\r\n"
            "A=b\r\n");
}

TEST(ProfileFile, ValueCannotAddOrChangeAnotherKey) {
  TempDir dir;
  ProfileFile profile(dir.File("s.ini"));
  profile.WriteString("GENERAL", "Lastnum", "1");
  profile.WriteString("GENERAL", "Title", "Shop\r\nLastnum=999\n[Evil]\nX=1");
  EXPECT_EQ(profile.ReadString("GENERAL", "Lastnum", ""), "1");
  EXPECT_EQ(profile.ReadString("GENERAL", "Title", ""), "Shop  Lastnum=999 [Evil] X=1");
  EXPECT_EQ(profile.ReadString("Evil", "X", "none"), "none");
}

TEST(ProfileFile, ValuesReadBackAsWritten) {
  TempDir dir;
  ProfileFile profile(dir.File("s.ini"));
  for (std::string value : {"  leading", "trailing\t", "\"quoted\"", "\"", "a = b ; c", ""}) {
    profile.WriteString("S", "K", value);
    EXPECT_EQ(profile.ReadString("S", "K", "-"), value);
  }
}

TEST(ProfileFile, DeleteKeyRemovesOnlyThatLine) {
  TempDir dir;
  WriteFileBytes(dir.File("r.ini"), "[A]\nx=1\ny=2\n[B]\nx=3\n");
  ProfileFile profile(dir.File("r.ini"));
  profile.DeleteKey("a", "X");
  profile.DeleteKey("A", "missing");
  EXPECT_EQ(ReadFileBytes(profile.Path()), "[A]\ny=2\n[B]\nx=3\n");

  ProfileFile absent(dir.File("absent.ini"));
  absent.DeleteKey("A", "x");
  EXPECT_FALSE(FileExists(absent.Path()));
}

// Root ignores permissions, so the failures here are ones root meets too.
// Each carries the code Windows gives for the same cause, and the system's
// wording after the path.
TEST(ProfileFile, FailedSaveThrowsTheSystemsCodeAndLeavesNoTrace) {
  TempDir dir;
  std::filesystem::create_directory(dir.File("taken.ini"));
  WriteFileBytes(dir.File("plain"), "not a folder");
  const struct {
    std::string path;
    HRESULT status;
  } cases[] = {{dir.File("taken.ini"), static_cast<HRESULT>(0x80070005)},    // access denied
               {dir.File("plain/s.ini"), static_cast<HRESULT>(0x80070003)}};  // path not found
  for (const auto& c : cases) {
    SCOPED_TRACE(c.path);
    try {
      ProfileFile(c.path).WriteString("A", "B", "C");
      FAIL() << "no error";
    } catch (const ComError& error) {
      EXPECT_EQ(c.status, error.Status());
      const std::string start = std::string("Не удалось записать файл настроек: "_ansi) + c.path + ": ";
      EXPECT_TRUE(std::string(error.what()).starts_with(start)) << error.what();
      EXPECT_GT(std::string(error.what()).size(), start.size());
    }
  }
  EXPECT_TRUE(std::filesystem::is_directory(dir.File("taken.ini")));
  EXPECT_EQ(ReadFileBytes(dir.File("plain")), "not a folder");
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Path()), {}), 2) << "temporary file left";
}

TEST(ProfileFile, SaveReplacesTheFileAsAWholeKeepingItsMode) {
  TempDir dir;
  WriteFileBytes(dir.File("s.ini"), "[A]\nx=1\n");
  std::filesystem::permissions(dir.File("s.ini"), std::filesystem::perms(0640));
  auto before = std::filesystem::status(dir.File("s.ini"));
  ProfileFile(dir.File("s.ini")).WriteString("A", "x", "2");
  EXPECT_EQ(std::filesystem::status(dir.File("s.ini")).permissions(), before.permissions());
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Path()), {}), 1);
}

}  // namespace
