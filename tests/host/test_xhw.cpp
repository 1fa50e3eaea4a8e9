// xhw as a person runs it: the built program against the built emulator,
// in a folder of its own.
#include <gtest/gtest.h>

#include "tests/host/run_xhw.h"
#include "tests/support/host_module.h"
#include "tests/support/temp_dir.h"

namespace {

class Xhw : public testing::Test {
 protected:
  // A folder with the script in it, where xhw runs and the receipts land.
  std::string FolderWithScript(const std::string& script) {
    folders_.push_back(std::make_unique<TempDir>());
    WriteFileBytes(folders_.back()->File("script.txt"), script);
    return folders_.back()->Path();
  }

  XhwRun Run(const std::string& folder, bool late = false) {
    std::vector<std::string> arguments{"run"};
    if (late) arguments.push_back("--late");
    arguments.push_back(ModulePath("Selvane.xhw"));
    arguments.push_back("script.txt");
    return RunXhw(arguments, folder);
  }

  IsolatedConfig config_;
  ScopedEnv clock_{"SORVIN_FIXED_CLOCK", "2024-05-01 12:30:00"};
  std::vector<std::unique_ptr<TempDir>> folders_;
};

}  // namespace

TEST_F(Xhw, ASaleRunsAlikeThroughTheVtableAndByName) {
  const std::string script =
      "# a sale whose first close is refused\n"
      "SetParamValue 0 \"receipts.txt\"\n"
      "GetParamValue 0\n"
      "GetParamValue 9   # out of range\n"
      "connect\n"
      "SaleItem 1 \"Хлеб\" 2.0 45.5 1 4 3\n"
      "Payment 50 0\n"
      "CloseReceipt\n"
      "Payment 100 0\n"
      "CloseReceipt\n"
      "GetLastDocSum\n"
      "GetLastDocDateTime\n"
      "GetSerialNumber\n"
      "XReport\n"
      "Disconnect\n";
  const std::string early = FolderWithScript(script);
  const std::string late = FolderWithScript(script);

  const XhwRun byVtable = Run(early);
  EXPECT_EQ(0, byVtable.exitStatus) << byVtable.err;
  EXPECT_EQ(
      "SetParamValue 0 \"receipts.txt\"\n"
      "GetParamValue 0 -> \"receipts.txt\"\n"
      "GetParamValue 9 -> empty\n"
      "Connect -> 0\n"
      "SaleItem 1 \"Хлеб\" 2 45.5 1 4 3 -> 0\n"
      "Payment 50 0 -> 0\n"
      "CloseReceipt -> 8 (Сумма оплаты слишком мала)\n"
      "Payment 100 0 -> 0\n"
      "CloseReceipt -> 0\n"
      "GetLastDocSum -> 91\n"
      "GetLastDocDateTime -> 2024-05-01 12:30:00\n"
      "GetSerialNumber -> \"Sorvin_emulator\"\n"
      "XReport -> 6\n"
      "Disconnect\n",
      byVtable.out);
  EXPECT_EQ("", byVtable.err);

  const XhwRun byName = Run(late, true);
  EXPECT_EQ(0, byName.exitStatus) << byName.err;
  EXPECT_EQ(byVtable.out, byName.out);

  const std::string receipt = ReadFileBytes(early + "/receipts.txt");
  EXPECT_NE(std::string::npos, receipt.find(Ansi("Хлеб"))) << "the name reaches the file in Windows-1251";
  EXPECT_EQ(receipt, ReadFileBytes(late + "/receipts.txt"));
}

TEST_F(Xhw, ABadScriptRunsNothingAndNamesEveryBadLine) {
  const std::string folder = FolderWithScript(
      "SetParamValue 0 \"receipts.txt\"\n"
      "Connect\n"
      "PrintText \"written if anything ran\"\n"
      "CashIn \"100\"\n"
      "Bogus\n"
      "PrintText \"unterminated\n");
  for (bool late : {false, true}) {
    const XhwRun run = Run(folder, late);
    EXPECT_EQ(2, run.exitStatus);
    EXPECT_EQ("", run.out);
    EXPECT_EQ(
        "script.txt:4: CashIn: argument 1 must be a number, not a text\n"
        "script.txt:5: unknown operation \"Bogus\"\n"
        "script.txt:6: unterminated text: the closing quote is missing\n",
        run.err);
    EXPECT_FALSE(FileExists(folder + "/receipts.txt"));
  }
}

TEST_F(Xhw, AFailureStatusIsReportedTheScriptGoesOnAndTheExitStatusSaysSo) {
  // Settings cannot be saved below a plain file.
  TempDir blocked;
  WriteFileBytes(blocked.File("file"), "");
  ScopedEnv config("XDG_CONFIG_HOME", blocked.File("file"));
  const std::string folder = FolderWithScript("SaveSettings\nGetSerialNumber\n");

  const XhwRun byVtable = Run(folder);
  EXPECT_EQ(1, byVtable.exitStatus);
  // The system's own code: the path was not found.
  EXPECT_TRUE(byVtable.out.starts_with("SaveSettings -> failed 0x80070003 (")) << byVtable.out;
  EXPECT_NE(std::string::npos, byVtable.out.find("Selvane.xhw.ini")) << "the module's own message";
  EXPECT_TRUE(byVtable.out.ends_with(")\nGetSerialNumber -> \"Sorvin_emulator\"\n")) << byVtable.out;

  const XhwRun byName = Run(folder, true);
  EXPECT_EQ(1, byName.exitStatus);
  EXPECT_EQ(byVtable.out, byName.out);
}

TEST_F(Xhw, InfoShowsTheDiscoveryAnswers) {
  const XhwRun run = RunXhw({"info", ModulePath("Selvane.xhw")}, config_.Dir().Path());
  EXPECT_EQ(0, run.exitStatus);
  EXPECT_EQ(
      "GetHardwareCount -> 1\n"
      "GetHardwareName 0 -> \"Эмулятор ККМ\"\n"
      "GetHardwareClassString 0 -> \"{AEA0B6CF-6838-4C95-AB22-A2AA30E73FB1}\"\n",
      run.out);
}

TEST_F(Xhw, RegisterAndUnregisterCallTheServerEntryPoints) {
  const std::string registry = config_.SettingsFolder() + "/registry.ini";
  const std::string classId = "{AEA0B6CF-6838-4C95-AB22-A2AA30E73FB1}";

  XhwRun run = RunXhw({"register", ModulePath("Selvane.xhw")}, config_.Dir().Path());
  EXPECT_EQ(0, run.exitStatus);
  EXPECT_EQ("DllRegisterServer -> ok\n", run.out);
  EXPECT_NE(std::string::npos, ReadFileBytes(registry).find(classId));

  run = RunXhw({"unregister", ModulePath("Selvane.xhw")}, config_.Dir().Path());
  EXPECT_EQ(0, run.exitStatus);
  EXPECT_EQ("DllUnregisterServer -> ok\n", run.out);
  EXPECT_EQ(std::string::npos, ReadFileBytes(registry).find(classId));
}

TEST_F(Xhw, UnusableModulesAndBadCommandLinesAreRefused) {
  const std::string folder = FolderWithScript("Connect\n");
  XhwRun run = RunXhw({"run", "missing.xhw", "script.txt"}, folder);
  EXPECT_EQ(1, run.exitStatus);
  EXPECT_TRUE(run.err.starts_with("xhw: cannot load missing.xhw: ")) << run.err;

  run = RunXhw({"run", ModulePath("Selvane.xhw"), "no-such-script.txt"}, folder);
  EXPECT_EQ(2, run.exitStatus);
  EXPECT_TRUE(run.err.starts_with("xhw: cannot read the script no-such-script.txt: ")) << run.err;
  // A folder opens like a file on Linux; only reading it fails.
  run = RunXhw({"run", ModulePath("Selvane.xhw"), "."}, folder);
  EXPECT_EQ(2, run.exitStatus);
  EXPECT_TRUE(run.err.starts_with("xhw: cannot read the script .: ")) << run.err;
  EXPECT_EQ("", run.out);

  for (const std::vector<std::string>& arguments : std::vector<std::vector<std::string>>{
           {}, {"frob"}, {"info"}, {"run", "script.txt"}, {"run", "--fast", "m.xhw", "script.txt"}}) {
    run = RunXhw(arguments, folder);
    EXPECT_EQ(2, run.exitStatus);
    EXPECT_TRUE(run.err.starts_with("usage: xhw info MODULE\n")) << run.err;
  }
}
