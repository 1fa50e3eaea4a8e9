// The receipt file: appended to, never truncated, shared with other
// writers, and the system's null device under the name "nul".
#include "platform/text_file.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <filesystem>

#include "tests/support/temp_dir.h"

namespace {

TEST(WindowsTextFile, AppendsToWhatIsThereAndCreatesWhatIsNot) {
  TempDir folder;
  const std::string path = folder.File("receipts.txt");
  TextFile file;
  file.Assign(path);
  ASSERT_TRUE(file.OpenAppend());
  ASSERT_TRUE(file.Write("one\r\n"));
  file.Close();
  ASSERT_TRUE(file.OpenAppend());
  ASSERT_TRUE(file.Write("two\r\n"));
  file.Close();
  EXPECT_EQ("one\r\ntwo\r\n", ReadFileBytes(path));
}

TEST(WindowsTextFile, TwoWritersOnOneFileBothLandAtTheEnd) {
  TempDir folder;
  const std::string path = folder.File("shared.txt");
  WriteFileBytes(path, "old\r\n");
  TextFile first, second;
  first.Assign(path);
  second.Assign(path);
  ASSERT_TRUE(first.OpenAppend());
  ASSERT_TRUE(second.OpenAppend());
  ASSERT_TRUE(first.Write("a"));
  ASSERT_TRUE(second.Write("b"));
  ASSERT_TRUE(first.Write("c"));
  EXPECT_EQ("old\r\nabc", ReadFileBytes(path));  // readable while held open
}

TEST(WindowsTextFile, NulDiscardsOutputAndLeavesNoFile) {
  TempDir folder;
  char previous[MAX_PATH + 1];
  GetCurrentDirectoryA(sizeof previous, previous);
  ASSERT_TRUE(SetCurrentDirectoryA(folder.Path().c_str()));
  for (const char* name : {"nul", "NUL", "Nul"}) {
    TextFile file;
    file.Assign(name);
    EXPECT_TRUE(file.OpenAppend() && file.Write("discarded\r\n")) << name;
  }
  SetCurrentDirectoryA(previous);
  EXPECT_TRUE(std::filesystem::is_empty(folder.Path()));
}

TEST(WindowsTextFile, FailuresAreReportedNotHidden) {
  TempDir folder;
  TextFile file;
  EXPECT_FALSE(file.OpenAppend());  // bound to no name yet
  EXPECT_FALSE(file.Write("x"));
  file.Assign(folder.File("missing\\receipts.txt"));
  EXPECT_FALSE(file.OpenAppend());
  EXPECT_FALSE(file.IsOpen());
  EXPECT_FALSE(file.Write("x"));

  file.Assign(folder.File("receipts.txt"));
  ASSERT_TRUE(file.OpenAppend());
  file.Assign(folder.File("other.txt"));  // closes the file still open
  EXPECT_FALSE(file.IsOpen());
}

}  // namespace
