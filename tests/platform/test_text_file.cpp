#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <filesystem>

#include "platform/codepage.h"
#include "platform/text_file.h"
#include "tests/support/temp_dir.h"

namespace {

TEST(TextFile, AppendsAndNeverTruncates) {
  TempDir dir;
  WriteFileBytes(dir.File("r.txt"), "old\r\n");
  TextFile file;
  file.Assign(dir.File("r.txt"));
  ASSERT_TRUE(file.OpenAppend());
  EXPECT_TRUE(file.Write("one\r\n"));
  // Opening again closes the open file and continues at the end.
  ASSERT_TRUE(file.OpenAppend());
  EXPECT_TRUE(file.Write("two\r\n"));
  EXPECT_TRUE(file.Write(""));
  file.Close();
  EXPECT_FALSE(file.IsOpen());
  EXPECT_EQ(ReadFileBytes(dir.File("r.txt")), "old\r\none\r\ntwo\r\n");
}

TEST(TextFile, CreatesAMissingFile) {
  TempDir dir;
  TextFile file;
  file.Assign(dir.File("new.txt"));
  ASSERT_TRUE(file.OpenAppend());
  EXPECT_TRUE(file.Write("x"));
  EXPECT_EQ(ReadFileBytes(dir.File("new.txt")), "x");
}

TEST(TextFile, ACyrillicNameIsTheSameNameOnDisk) {
  TempDir dir;
  TextFile file;
  // Module texts are Windows-1251; the file system's names are UTF-8.
  file.Assign(Utf8ToAnsi(dir.File("чеки.txt")));
  ASSERT_TRUE(file.OpenAppend());
  EXPECT_TRUE(file.Write("x"));
  EXPECT_EQ(ReadFileBytes(dir.File("чеки.txt")), "x");
}

TEST(TextFile, RefusesWhenUnboundClosedOrUnopenable) {
  TempDir dir;
  TextFile file;
  EXPECT_FALSE(file.IsAssigned());
  EXPECT_FALSE(file.OpenAppend());
  EXPECT_FALSE(file.Write("x"));

  file.Assign(dir.File("missing-folder/r.txt"));
  EXPECT_TRUE(file.IsAssigned());
  EXPECT_FALSE(file.OpenAppend());
  EXPECT_FALSE(file.IsOpen());

  file.Assign(dir.File("r.txt"));
  ASSERT_TRUE(file.OpenAppend());
  file.Assign(dir.File("other.txt"));
  EXPECT_FALSE(file.IsOpen()) << "rebinding closes the open file";
  EXPECT_FALSE(file.Write("x"));
}

TEST(TextFile, NulInAnyCaseDiscardsOutput) {
  TempDir dir;
  auto previous = std::filesystem::current_path();
  std::filesystem::current_path(dir.Path());
  for (const char* name : {"nul", "NUL", "nUl"}) {
    TextFile file;
    file.Assign(name);
    EXPECT_TRUE(file.OpenAppend()) << name;
    EXPECT_TRUE(file.Write("discarded")) << name;
  }
  std::filesystem::current_path(previous);
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Path()), {}), 0);

  // With a folder it is an ordinary file of that name.
  TextFile file;
  file.Assign(dir.File("nul"));
  ASSERT_TRUE(file.OpenAppend());
  EXPECT_TRUE(file.Write("kept"));
  EXPECT_EQ(ReadFileBytes(dir.File("nul")), "kept");
}

TEST(TextFile, WriteReportsAFullDevice) {
  TextFile file;
  file.Assign("/dev/full");
  ASSERT_TRUE(file.OpenAppend());
  EXPECT_FALSE(file.Write("x"));
}

// Over the file-size limit a write fails (the child ignores SIGXFSZ, as the
// host must) and the bytes below the limit stay in the file.
TEST(TextFile, WriteStopsAtTheFileSizeLimit) {
  TempDir dir;
  const std::string path = dir.File("r.txt");
  WriteFileBytes(path, "1234");
  pid_t child = fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    signal(SIGXFSZ, SIG_IGN);
    rlimit limit{10, 10};
    if (setrlimit(RLIMIT_FSIZE, &limit) != 0) _exit(2);
    TextFile file;
    file.Assign(path);
    if (!file.OpenAppend()) _exit(3);
    _exit(file.Write("abcdefghijklmnop") ? 4 : 0);
  }
  int status = 0;
  ASSERT_EQ(waitpid(child, &status, 0), child);
  ASSERT_TRUE(WIFEXITED(status)) << "child died of a signal";
  EXPECT_EQ(WEXITSTATUS(status), 0);
  EXPECT_EQ(ReadFileBytes(path), "1234abcdef");
}

}  // namespace
