// Files named in Cyrillic get exactly those names on disk, when the platform
// layer opens and renames them and when a host drives a module to write
// one. Under Wine these tests run in an English locale, whose code page for
// non-Unicode programs has no Cyrillic: a name that went through that code
// page would come out as other letters, or not at all.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "platform/codepage.h"
#include "platform/text_file.h"
#include "tests/emulator/emulator_fixture.h"
#include "tests/platform/cyrillic_folder.h"
#include "tests/support/temp_dir.h"

namespace {

namespace fs = std::filesystem;

// The names of the folder's files, in UTF-8, sorted.
std::vector<std::string> NamesIn(const fs::path& folder) {
  std::vector<std::string> names;
  for (const fs::directory_entry& entry : fs::directory_iterator(folder))
    names.push_back(Utf8(entry.path().filename()));
  std::sort(names.begin(), names.end());
  return names;
}

std::string BytesOf(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  std::ostringstream out;
  out << in.rdbuf();
  return out.str();
}

TEST(CyrillicFileNames, TextFileOpensAndRenamesByTheModulesNames) {
  ASSERT_NO_FATAL_FAILURE(RequireCodePageWithoutCyrillic());
  TempDir dir;
  const fs::path folder = CyrillicFolder(dir);
  TextFile file;
  file.Assign(Utf8ToAnsi(Utf8(folder / u8"журнал.log")));
  ASSERT_TRUE(file.OpenAppend());
  ASSERT_TRUE(file.Write("old"));
  ASSERT_TRUE(file.RenameTo(Utf8ToAnsi(Utf8(folder / u8"журнал.log.1"))));
  ASSERT_TRUE(file.OpenAppend());
  ASSERT_TRUE(file.Write("new"));
  file.Close();
  EXPECT_EQ(NamesIn(folder), (std::vector<std::string>{"журнал.log", "журнал.log.1"}));
  EXPECT_EQ(BytesOf(folder / u8"журнал.log.1"), "old");
  EXPECT_EQ(BytesOf(folder / u8"журнал.log"), "new");
}

class SelvaneCyrillicReceiptFile : public SelvaneTest {
 protected:
  void SetUp() override { ASSERT_NO_FATAL_FAILURE(RequireCodePageWithoutCyrillic()); }
};

TEST_F(SelvaneCyrillicReceiptFile, ASaleGoesToTheFileOfThatName) {
  const fs::path folder = CyrillicFolder(files_);
  ConnectTo(Utf8(folder / u8"чеки.txt"));  // the host's text is UTF-16, from UTF-8 here
  AddSampleLines();
  ASSERT_EQ(0, device_.Int("Payment", {200.0, 0}));
  ASSERT_EQ(0, device_.Int("CloseReceipt"));
  EXPECT_EQ(NamesIn(folder), std::vector<std::string>{"чеки.txt"});
  EXPECT_NE(BytesOf(folder / u8"чеки.txt").find(Lines({"ИТОГО                   180.90"})), std::string::npos);
}

}  // namespace
