// Debug mode's journal: what it shows of each operation and each driver
// access, where it lies, how it stays bounded, and that it never changes
// what an operation answers.
#include <sys/stat.h>

#include <filesystem>

#include "tests/adapter/register_fixture.h"
#ifndef _WIN32
#include "tests/support/child_process.h"
#endif

namespace {

const std::string kStarted = "2018-03-05 14:30:15.000 ";
const std::string kContact = "+79001234567";
const std::string kMasked = "+7********67";
const std::string kCreated = "  create AddIn.FprnM8 -> ok";

// The simulator's lines as our journal shows them: indented under their
// operation, the customer's contact masked.
Lines Indented(const Lines& simulator) {
  Lines ours;
  for (std::string line : simulator) {
    if (size_t at = line.find(kContact); at != std::string::npos) line.replace(at, kContact.size(), kMasked);
    ours.push_back("  " + line);
  }
  return ours;
}

class DebugJournal : public RegisterTest {
 protected:
  std::string Transcript();
};

// A sale with a refused payment, a print the driver raises an error on, a
// Z report and the last document; every answer the host gets, one line per
// operation. It ends disconnected, so the next run begins as this one did.
std::string DebugJournal::Transcript() {
  const HostDevice& device = Device();
  std::string answers;
  const auto answer = [&](std::string_view operation, std::initializer_list<Arg> args) {
    Variant out;
    const HRESULT status = device.TryCall(operation, args, &out);
    Variant text;
    VariantChangeType(text.Get(), &out.Ref(), 0, VT_BSTR);
    answers += std::string(operation) + ": " + std::to_string(status) + " " + text.ToAnsi() + " " +
               std::to_string(device.ResultCode()) + " " + device.ResultText() + "\n";
  };
  answer("SetCustomerContact", {kContact});
  answer("SaleItem", {3, "Хлеб", 1.5, 10.0, 1, 4, 2});
  answer("Payment", {20.0, 12});
  answer("Payment", {15.0, 0});
  answer("CloseReceipt", {});
  answer("PrintText", {"x"});
  answer("ZReport", {});
  answer("GetLastDocNumber", {});
  answer("Disconnect", {});
  return answers;
}

TEST_F(DebugJournal, OffWritesNothingWhateverHappens) {
  Simulate("[Faults]\nPrintString=raise\n");
  Device().Call("SetParamValue", {0, Dir().Path() + "/"});
  Transcript();
  Unregister();
  EXPECT_EQ(4, Device().Int("Connect"));
  Device().Call("SaveSettings");
  EXPECT_FALSE(FileExists(Dir().File("Tarnvik.log")));
}

TEST_F(DebugJournal, EachOperationAfterTheDriverAccessesItMade) {
  Simulate("[Faults]\nPrintString=raise\n");
  Device().Call("SetParamValue", {0, Dir().Path() + "/"});
  Device().Call("SetParamValue", {1, true});  // from the next operation on
  Lines expected;
  const auto expect = [&](const std::string& line, const Lines& before = {}) {
    expected = Joined({expected, before, Indented(journal_.Take()), {kStarted + line}});
  };
  Device().Call("SetCustomerContact", {kContact});
  expect("SetCustomerContact(\"" + kMasked + "\"), ResultCode 0, ResultText \"\"");
  Device().Text("GetCustomerContact");
  expect("GetCustomerContact() -> \"" + kMasked + "\", ResultCode 0, ResultText \"\"");
  Device().Int("SaleItem", {3, "Хлеб", 1.5, 10.0, 1, 4, 2});
  expect("SaleItem(3, \"Хлеб\", 1.5, 10, 1, 4, 2) -> 0, ResultCode 0, ResultText \"\"", {kCreated});
  EXPECT_EQ(E_INVALIDARG, Fails("SaleItem", {3, "Хлеб", 1.5, 1e17, 1, 4, 2}));  // the register is never asked
  expect("SaleItem(refused by the module) -> raise 0x80070057 \"Сумма, цена, количество и скидка должны быть по "
         "модулю меньше 10 000 000 000 000\", ResultCode 0, ResultText \"\"");
  const std::string refused = "\"ResultCode: -3807\\r\\nНедопустимое значение\"";
  Device().Int("Payment", {20.0, 12});  // no such kind of payment
  expect("Payment(20, 12) -> 1, ResultCode 1, ResultText " + refused);
  Device().Int("Payment", {15.0, 0});
  expect("Payment(15, 0) -> 0, ResultCode 0, ResultText " + refused);
  Device().Int("CloseReceipt");
  expect("CloseReceipt() -> 0, ResultCode 0, ResultText " + refused);
  Fails("PrintText", {"x"});
  const std::string raised = "raise 0x80004005 \"Сбой драйвера: PrintString\"";
  expect("PrintText(\"x\") -> " + raised + ", ResultCode 0, ResultText " + refused);
  ASSERT_EQ("  get PrintString -> raise", expected[expected.size() - 2]);
  expected[expected.size() - 2] = "  get PrintString -> " + raised;
  Device().Int("ZReport");
  expect("ZReport() -> 0, ResultCode 0, ResultText " + refused);
  Device().Number("GetLastDocDateTime");  // a date, shown as one
  expect("GetLastDocDateTime() -> 2018-03-05 14:30:00, ResultCode 0, ResultText \"\"");
  Device().Call("SetParamValue", {1, false});
  expect("SetParamValue(1, false), ResultCode 0, ResultText \"\"");
  Device().Int("XReport");  // off again

  EXPECT_EQ(expected, ReadDebugJournal(Dir().File("Tarnvik.log")));
  const std::string bytes = ReadFileBytes(Dir().File("Tarnvik.log"));
  EXPECT_NE(std::string::npos, bytes.find(Ansi("\"Хлеб\"")));  // Windows-1251
  EXPECT_NE(std::string::npos, bytes.find("put AttrValue = &\"" + kMasked + "\"\r\n"));
  EXPECT_EQ(std::string::npos, bytes.find(kContact));
}

// Creating the driver object is an access of its own: a Connect that
// cannot make it shows why, and a later one that can shows that it did.
TEST_F(DebugJournal, HowTheDriverObjectWasCreated) {
  JournalTo(Dir().File("Tarnvik.log"));
  Unregister();
  EXPECT_EQ(4, Device().Int("Connect"));
  const std::string why = Device().ResultText();
  Register();
  EXPECT_EQ(0, Device().Int("Connect"));
  const Lines journal = ReadDebugJournal(Dir().File("Tarnvik.log"));
  ASSERT_EQ(8u, journal.size());  // GetResultText's own line between the two
  EXPECT_EQ("  create AddIn.FprnM8 -> raise 0x800401F3 \"" + why + "\"", journal[0]);
  EXPECT_EQ(kStarted + "Connect() -> 4, ResultCode 4, ResultText \"" + why + "\"", journal[1]);
  EXPECT_EQ(kCreated, journal[3]);
  EXPECT_EQ((Lines{"  put ACKTimeout = 1000", "  put ENQTimeout = 60000"}), Lines(journal.begin() + 4, journal.begin() + 6));
}

TEST_F(DebugJournal, AJournalThatCannotBeWrittenChangesNoAnswer) {
  Simulate("[Faults]\nPrintString=raise\n");
  const std::string answers = Transcript();
  for (const std::string& path : {Dir().File("missing/Tarnvik.log"), Dir().Path()}) {
    SCOPED_TRACE(path);
    Simulate("[Faults]\nPrintString=raise\n");
    JournalTo(path);
    EXPECT_EQ(answers, Transcript());
  }
  EXPECT_FALSE(FileExists(Dir().File("missing")));
#ifndef _WIN32
  // A read-only journal, for an ordinary user: the simulator's own files
  // stay writable to that user.
  const std::string readOnly = Dir().File("read-only.log");
  WriteFileBytes(readOnly, "old\r\n");
  chmod(readOnly.c_str(), 0444);
  for (const char* file : {"sim.ini", "journal.txt", "tape.txt", "registry.ini"}) chmod(Dir().File(file).c_str(), 0666);
  chmod(Dir().Path().c_str(), 0777);
  Simulate("[Faults]\nPrintString=raise\n");
  JournalTo(readOnly);
  const ChildReport child = RunInChild([&] {
    BecomeOrdinaryUser();
    const std::string seen = Transcript();
    ChildReport report;
    report.status = seen == answers;
    report.SetText(seen);
    return report;
  });
  EXPECT_EQ(1, child.status) << child.text;
  EXPECT_EQ("old\r\n", ReadFileBytes(readOnly));
#endif
}

TEST_F(DebugJournal, BesideTheSettingsFileUnlessItNamesAFolder) {
  const FileRemoval bare(SettingsPath("Tarnvik.log"));
  std::filesystem::create_directories(std::filesystem::path(SettingsPath("Tarnvik.log")).parent_path());
  JournalTo("Tarnvik.log");
  Device().Int("GetResultCode");
  EXPECT_TRUE(FileExists(SettingsPath("Tarnvik.log")));

  Device().Call("SetParamValue", {0, Dir().File("conf")});  // glued as the settings file's name is
  Device().Int("GetResultCode");
  EXPECT_TRUE(FileExists(Dir().File("confTarnvik.log")));

  Device().Call("SetParamValue", {2, Dir().File("elsewhere.log")});
  Device().Int("GetResultCode");
  EXPECT_TRUE(FileExists(Dir().File("elsewhere.log")));
}

TEST_F(DebugJournal, PastTenMegabytesOneOlderFileIsKept) {
  const std::string journal = Dir().File("Tarnvik.log");
  WriteFileBytes(journal + ".1", "the oldest\r\n");
  WriteFileBytes(journal, std::string(10'000'000, 'x'));
  JournalTo(journal);
  Device().Int("GetResultCode");  // not past the limit yet: appended
  const std::string full = ReadFileBytes(journal);
  EXPECT_GT(full.size(), 10'000'000u);
  EXPECT_EQ("the oldest\r\n", ReadFileBytes(journal + ".1"));

  Device().Int("GetTaxSystem");
  EXPECT_EQ(full, ReadFileBytes(journal + ".1"));
  EXPECT_EQ(Lines{kStarted + "GetTaxSystem() -> -1, ResultCode 0, ResultText \"\""}, ReadDebugJournal(journal));
}

}  // namespace
