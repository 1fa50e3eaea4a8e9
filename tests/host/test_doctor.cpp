// xhw doctor as an integrator runs it, against the class registry file of
// a scratch configuration: what is missing is named with its fix, and the
// exit status says whether a host of this word size can work.
#include <gtest/gtest.h>

#include <filesystem>

#include "tests/host/run_xhw.h"
#include "tests/support/temp_dir.h"

namespace {

class Doctor : public testing::Test {
 protected:
  void Register(const std::string& module) {
    const XhwRun run = RunXhw({"register", ModulePath(module)}, folder_.Path());
    ASSERT_EQ(0, run.exitStatus) << run.out << run.err;
  }
  void RegisterAll() {
    Register("Selvane.xhw");
    Register("Tarnvik.xhw");
    Register("FprnM8Sim.so");
  }
  XhwRun Run(std::vector<std::string> options = {}) {
    options.insert(options.begin(), "doctor");
    return RunXhw(options, folder_.Path());
  }
  std::string SettingsFile(const std::string& name) const { return config_.SettingsFolder() + "/" + name; }

  IsolatedConfig config_;
  TempDir folder_;
  // The simulator reads its settings from here, not from the user's.
  ScopedEnv simulator_{"SORVIN_FPRNM8_SIM", folder_.File("sim.ini")};
};

bool Has(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

std::string LastLine(const std::string& text) {
  const std::size_t end = text.find_last_not_of('\n');
  const std::size_t start = text.rfind('\n', end);
  return text.substr(start == std::string::npos ? 0 : start + 1, end - (start == std::string::npos ? 0 : start + 1) + 1);
}

TEST_F(Doctor, NothingRegisteredNamesBothModulesAndTheDriverWithTheirFixes) {
  const XhwRun run = Run();
  EXPECT_EQ(1, run.exitStatus) << run.out << run.err;
  EXPECT_TRUE(Has(run.out, "[!!] Selvane, 64 бит: класс не зарегистрирован")) << run.out;
  EXPECT_TRUE(Has(run.out, "[!!] Tarnvik, 64 бит: класс не зарегистрирован")) << run.out;
  EXPECT_TRUE(Has(run.out, "[!!] Драйвер AddIn.FprnM8, 64 бит: не зарегистрирован")) << run.out;
  EXPECT_TRUE(Has(run.out, "Что сделать: зарегистрируйте драйвер, или для проверки симулятор: xhw register FprnM8Sim.so"))
      << run.out;
  EXPECT_TRUE(LastLine(run.out).starts_with("[!!] Итог: 64-разрядная программа не сможет работать (замечаний: 3"))
      << run.out;
  EXPECT_EQ("", run.err);
}

TEST_F(Doctor, ModulesWithoutTheDriverAreCreatedButTheHostCannotWork) {
  Register("Selvane.xhw");
  Register("Tarnvik.xhw");
  const XhwRun run = Run();
  EXPECT_EQ(1, run.exitStatus) << run.out;
  EXPECT_TRUE(Has(run.out, "[ок] Selvane, 64 бит: объект создаётся и отвечает: GetParamCount = 3")) << run.out;
  EXPECT_TRUE(Has(run.out, "[ок] Tarnvik, 64 бит: объект создаётся и отвечает: GetParamCount = 5")) << run.out;
  EXPECT_TRUE(Has(run.out, "[!!] Драйвер AddIn.FprnM8")) << run.out;
  EXPECT_TRUE(Has(LastLine(run.out), "замечаний: 1,")) << run.out;
}

TEST_F(Doctor, EverythingRegisteredCanWorkAndTheSimulatorIsNamedAsSuch) {
  RegisterAll();
  const XhwRun run = Run();
  EXPECT_EQ(0, run.exitStatus) << run.out;
  EXPECT_TRUE(Has(run.out, "это симулятор ККМ Sorvin, а не драйвер АТОЛ")) << run.out;
  EXPECT_FALSE(Has(run.out, "[!!]")) << run.out;
  EXPECT_EQ("[ок] Итог: 64-разрядная программа может работать с модулями", LastLine(run.out));

  const XhwRun english = Run({"--english"});
  EXPECT_EQ(0, english.exitStatus);
  EXPECT_EQ("[ok] Verdict: a 64-bit program can work with the modules", LastLine(english.out));
  EXPECT_TRUE(Has(english.out, "this is the Sorvin register simulator")) << english.out;
}

TEST_F(Doctor, TheReportFileIsTheConsolesTextWithAByteOrderMarkAndCrLf) {
  RegisterAll();
  const XhwRun run = Run({"--report", "support/report.txt"});
  ASSERT_EQ(0, run.exitStatus) << run.out << run.err;
  const std::string report = ReadFileBytes(folder_.File("support/report.txt"));
  ASSERT_TRUE(report.starts_with("\xEF\xBB\xBF")) << report;
  std::string expected = "\xEF\xBB\xBF";
  const std::string shown = run.out.substr(0, run.out.find("Отчёт записан"));
  for (const char c : shown) expected += c == '\n' ? std::string("\r\n") : std::string(1, c);
  EXPECT_EQ(expected, report);
  EXPECT_TRUE(Has(run.out, "Отчёт записан: support/report.txt")) << run.out;
}

TEST_F(Doctor, AModuleWhoseFileWasDeletedNamesThePath) {
  const std::string copy = folder_.File("Selvane.xhw");
  std::filesystem::copy_file(ModulePath("Selvane.xhw"), copy);
  Register("Tarnvik.xhw");
  Register("FprnM8Sim.so");
  ASSERT_EQ(0, RunXhw({"register", copy}, folder_.Path()).exitStatus);
  std::filesystem::remove(copy);
  const XhwRun run = Run();
  EXPECT_EQ(1, run.exitStatus) << run.out;
  EXPECT_TRUE(Has(run.out, "[!!] Selvane, 64 бит: класс зарегистрирован, но файла модуля нет: " + copy)) << run.out;
}

TEST_F(Doctor, SettingsThatCannotBeReplacedAreAProblem) {
  RegisterAll();
  // A folder in the settings file's place: it can be neither read nor replaced.
  std::filesystem::create_directories(SettingsFile("Selvane.xhw.ini"));
  const XhwRun run = Run();
  EXPECT_EQ(1, run.exitStatus) << run.out;
  EXPECT_TRUE(Has(run.out, "[!!] Настройки Selvane: файл " + SettingsFile("Selvane.xhw.ini") + " не читается"))
      << run.out;
  EXPECT_TRUE(Has(run.out, "Что сделать: дайте пользователю кассы право изменять")) << run.out;
}

TEST_F(Doctor, ASettingsFolderThatCannotBeMadeIsAProblem) {
  RegisterAll();
  // The registry stays where it is; the settings folder would be made under a file.
  const ScopedEnv registry("SORVIN_REGISTRY", config_.SettingsFolder() + "/registry.ini");
  WriteFileBytes(folder_.File("plain-file"), "");
  const ScopedEnv config("XDG_CONFIG_HOME", folder_.File("plain-file"));
  const XhwRun run = Run();
  EXPECT_EQ(1, run.exitStatus) << run.out;
  EXPECT_TRUE(Has(run.out, "[!!] Настройки Tarnvik: файл " + folder_.File("plain-file") +
                               "/sorvin/Tarnvik.xhw.ini нельзя заменить"))
      << run.out;
}

TEST_F(Doctor, AReceiptFolderAndAJournalFolderThatAreMissingAreNamed) {
  RegisterAll();
  const std::string receipts = folder_.File("missing/receipts.txt");
  const std::string journal = folder_.File("gone/Tarnvik.log");
  WriteFileBytes(SettingsFile("Selvane.xhw.ini"), "[GENERAL]\nFile=" + receipts + "\n");
  WriteFileBytes(SettingsFile("Tarnvik.xhw.ini"), "[DEBUG]\nDebugMode=1\nLogFile=" + journal + "\n");
  const XhwRun run = Run();
  EXPECT_TRUE(Has(run.out, "[!!] Чеки Selvane: файл чеков " + receipts + " нельзя записать")) << run.out;
  EXPECT_TRUE(Has(run.out, "[!!] Журнал Tarnvik: режим отладки включён, но журнал " + journal + " не записать"))
      << run.out;
  // The receipts stop Selvane's hosts; a journal not written stops none.
  EXPECT_TRUE(Has(LastLine(run.out), "замечаний: 1,")) << run.out;

  std::filesystem::create_directories(folder_.File("gone"));
  EXPECT_TRUE(Has(Run().out, "[ок] Журнал Tarnvik: режим отладки включён, журнал пишется в " + journal));
}

TEST_F(Doctor, ConnectShowsTheRegistersCodeAndText) {
  RegisterAll();
  WriteFileBytes(folder_.File("sim.ini"), "[Faults]\nDeviceEnabled=-1\n");
  const XhwRun run = Run({"--connect"});
  EXPECT_EQ(1, run.exitStatus) << run.out;
  EXPECT_TRUE(Has(run.out, "[ок] Касса: Connect: код 0\n")) << run.out;
  EXPECT_TRUE(Has(run.out, "[!!] Касса: GetDeviceStatus: код 1\n      ResultCode: -1\n      Ошибка, заданная для проверки\n"))
      << run.out;
  EXPECT_TRUE(Has(run.out, "Что сделать: проверьте, что касса включена")) << run.out;

  WriteFileBytes(folder_.File("sim.ini"), "[State]\nSerialNumber=00106700999999\n");
  const XhwRun healthy = Run({"--connect"});
  EXPECT_EQ(0, healthy.exitStatus) << healthy.out;
  EXPECT_TRUE(Has(healthy.out, "[ок] Касса: GetDeviceStatus: код 0\n      № 00106700999999")) << healthy.out;
}

}  // namespace
