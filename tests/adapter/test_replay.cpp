// xhw replay: a debug journal recorded on the simulator, played back with
// no register behind it: the journal answers for the driver.
#include <sstream>

#include "host/replay.h"
#include "platform/class_registry.h"
#include "platform/codepage.h"
#include "tests/adapter/register_fixture.h"

namespace {

constexpr CLSID kDriverClass = {0x5C7D3F2A, 0x9B41, 0x4E8C, {0xA6, 0xD2, 0x7F, 0x13, 0xB0, 0xC8, 0x4E, 0x95}};

struct Replayed {
  int exit;
  std::string out;
  std::string err;
};

class Replay : public RegisterTest {
 protected:
  // The simulator gone, and "AddIn.FprnM8" naming a server that is not
  // there, as on a machine with the driver's name but no register: only
  // the replay's own class object can make the driver.
  void WithoutTheSimulator() {
    Unregister();
    RegisterServerClass(kDriverClass, Dir().File("missing/FprnM8.dll"), "AddIn.FprnM8");
  }
  Replayed Run(const std::string& journal) {
    std::ostringstream out, err;
    const int exit = ReplayJournal(journal, HostModule::PathOf("Tarnvik.xhw"), out, err);
    return {exit, out.str(), err.str()};
  }
  // The journal's lines (Windows-1251, CR LF) as UTF-8, and back.
  Lines JournalLines(const std::string& path) {
    Lines lines;
    std::istringstream text(ReadFileBytes(path));
    for (std::string line; std::getline(text, line);) lines.push_back(AnsiToUtf8(line.substr(0, line.size() - 1)));
    return lines;
  }
  void WriteJournal(const std::string& path, const Lines& lines, const std::string& tail = "") {
    std::string bytes;
    for (const std::string& line : lines) bytes += Utf8ToAnsi(line) + "\r\n";
    WriteFileBytes(path, bytes + tail);
  }
  static int LineOf(const Lines& lines, const std::string& start) {
    for (std::size_t i = 0; i < lines.size(); ++i)
      if (lines[i].find(start) != std::string::npos) return static_cast<int>(i + 1);
    ADD_FAILURE() << "no line with " << start;
    return 0;
  }

  // A sale whose payment the register refuses, after a Connect that could
  // not create the driver at all.
  std::string Record() {
    const std::string journal = Dir().File("Tarnvik.log");
    Simulate("[Faults]\nPayment=-3807\n");
    JournalTo(journal);
    Unregister();
    EXPECT_EQ(4, Device().Int("Connect"));
    Register();
    Device().Call("SetCustomerContact", {"+79001234567"});
    EXPECT_EQ(0, Device().Int("SaleItem", {1, "Хлеб", 2.0, 45.5, 1, 4, 3}));
    EXPECT_EQ(1, Device().Int("Payment", {100.0, 12}));
    EXPECT_EQ(1, Device().Int("CloseReceipt"));
    Device().Text("GetCustomerContact");
    EXPECT_EQ(0, Device().Int("PrintText", {"x"}));
    Device().Call("Disconnect");
    return journal;
  }
};

TEST_F(Replay, AFieldFailureHappensAgainWithoutARegister) {
  const std::string journal = Record();
  WithoutTheSimulator();
  const Replayed replayed = Run(journal);
  EXPECT_EQ(0, replayed.exit) << replayed.out << replayed.err;
  EXPECT_NE(std::string::npos, replayed.out.find("   replayed -> 1, ResultCode 1, ResultText \"ResultCode: -3807\\r\\n"))
      << replayed.out;
  EXPECT_NE(std::string::npos, replayed.out.find("replayed masked")) << replayed.out;
  EXPECT_NE(std::string::npos, replayed.out.find("   replayed -> 4, ResultCode 4")) << replayed.out;  // no driver
  EXPECT_EQ(std::string::npos, replayed.out.find("differs")) << replayed.out;

  // A price edited in the journal: the adapter writes another one to the driver.
  Lines lines = JournalLines(journal);
  const int sale = LineOf(lines, "SaleItem(1, \"Хлеб\", 2, 45.5,");
  lines[sale - 1].replace(lines[sale - 1].find("45.5"), 4, "45.6");
  WriteJournal(Dir().File("edited.log"), lines);
  const Replayed edited = Run(Dir().File("edited.log"));
  EXPECT_EQ(1, edited.exit);
  EXPECT_NE(std::string::npos, edited.out.find("line " + std::to_string(LineOf(lines, "put Price = &45.5")) +
                                               ": the adapter's driver access differs from the journal\n"
                                               "   recorded put Price = &45.5\n"
                                               "   actual   put Price = &45.6\n"))
      << edited.out;

  // One access too few: a recorded answer the adapter never asked for.
  lines = JournalLines(journal);
  lines.insert(lines.begin() + LineOf(lines, "get EndItem -> 0"), "  get ResultCode -> 0");
  WriteJournal(Dir().File("longer.log"), lines);
  const Replayed longer = Run(Dir().File("longer.log"));
  EXPECT_EQ(1, longer.exit);
  EXPECT_NE(std::string::npos, longer.out.find("actual   (none: the operation ended)")) << longer.out;
}

TEST_F(Replay, ACutJournalUpToItsLastWholeOperationAndABadOneNotAtAll) {
  const std::string journal = Record();
  WithoutTheSimulator();
  Lines lines = JournalLines(journal);
  const int close = LineOf(lines, "CloseReceipt()");
  // Cut inside the close: its accesses are there, the operation's line is not,
  // and the last access is only half written.
  const Lines head(lines.begin(), lines.begin() + close - 3);
  WriteJournal(Dir().File("cut.log"), head, "  get ResultDes");
  const Replayed cut = Run(Dir().File("cut.log"));
  EXPECT_EQ(0, cut.exit) << cut.out << cut.err;
  EXPECT_NE(std::string::npos, cut.out.find("note: the journal ends inside an operation")) << cut.out;
  EXPECT_EQ(std::string::npos, cut.out.find("CloseReceipt")) << cut.out;

  lines.insert(lines.begin() + 2, "  peek Summ -> 1");
  WriteJournal(Dir().File("bad.log"), lines);
  const Replayed bad = Run(Dir().File("bad.log"));
  EXPECT_EQ(2, bad.exit);
  EXPECT_EQ("", bad.out);  // nothing ran
  EXPECT_NE(std::string::npos, bad.err.find("bad.log:3: cannot read this line")) << bad.err;

  Unregister();  // no "AddIn.FprnM8" at all: nothing to stand in for
  UnregisterServerClass(kDriverClass, "AddIn.FprnM8");
  const Replayed nothing = Run(journal);
  EXPECT_EQ(2, nothing.exit);
  EXPECT_NE(std::string::npos, nothing.err.find("no class is registered under \"AddIn.FprnM8\"")) << nothing.err;
}

// The sample in the README's debug-mode section, as a user would copy it.
TEST_F(Replay, TheReadmeSampleReplays) {
  const std::string readme = ReadFileBytes(SORVIN_README);
  const std::string intro = "A sale whose payment the register refuses";
  const std::size_t begin = readme.find("```\n", readme.find(intro)) + 4;
  const std::size_t end = readme.find("```\n", begin);
  ASSERT_NE(std::string::npos, end);
  std::string bytes;
  std::istringstream text(readme.substr(begin, end - begin));
  for (std::string line; std::getline(text, line);) bytes += Utf8ToAnsi(line) + "\r\n";
  WriteFileBytes(Dir().File("sample.log"), bytes);
  WithoutTheSimulator();
  const Replayed replayed = Run(Dir().File("sample.log"));
  EXPECT_EQ(0, replayed.exit) << replayed.out << replayed.err;
  EXPECT_NE(std::string::npos, replayed.out.find("every driver access and every result as recorded")) << replayed.out;
}

}  // namespace
