// Saving the settings of both modules when the file cannot be written, when
// the process dies in the middle of a save, and when a value tries to smuggle
// in a key of its own.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <chrono>
#include <filesystem>
#include <functional>
#include <random>
#include <thread>

#include "platform/profile.h"
#include "tests/support/child_process.h"
#include "tests/support/host_module.h"
#include "tests/support/temp_dir.h"

namespace {

constexpr const char* kWriteFailure = "Не удалось записать файл настроек";
constexpr HRESULT kFileTooLarge = static_cast<HRESULT>(0x800700DF);
constexpr HRESULT kAccessDenied = static_cast<HRESULT>(0x80070005);

std::vector<std::string> FolderEntries(const std::string& folder) {
  std::vector<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(folder)) names.push_back(entry.path().filename());
  std::sort(names.begin(), names.end());
  return names;
}

class SettingsSave : public ::testing::Test {
 protected:
  void SetUp() override {
    std::filesystem::create_directories(config_.SettingsFolder());
    adapter_.Call("SetParamValue", {0, AdapterFolder() + "/"});
  }

  std::string EmulatorFile() const { return config_.SettingsFolder() + "/Selvane.xhw.ini"; }
  std::string AdapterFolder() const { return config_.Dir().File("adapter"); }
  std::string AdapterFile() const { return AdapterFolder() + "/Tarnvik.xhw.ini"; }

  // Both objects with values of their own that differ from the stored ones.
  // The adapter's debug journal goes outside the settings folder, whose
  // files the tests count.
  void ChangeValues() const {
    emulator_.Call("SetParamValue", {1, "Новый заголовок"});
    adapter_.Call("SetParamValue", {1, true});
    adapter_.Call("SetParamValue", {2, config_.Dir().File("новый.log")});
  }

  // SaveSettings in a child that first makes the file unwritable with
  // `restrict`: the status and the error message it left.
  ChildReport SaveRestricted(const HostModule& module, const HostDevice& device,
                             const std::function<void()>& restrict) const {
    return RunInChild([&] {
      restrict();
      ChildReport report;
      report.status = device.TryCall("SaveSettings", {});
      report.SetText(module.LastErrorMessage());
      return report;
    });
  }

  IsolatedConfig config_;
  HostModule selvane_{"Selvane.xhw"};
  HostModule tarnvik_{"Tarnvik.xhw"};
  HostDevice emulator_{selvane_.CreateDevice()};
  HostDevice adapter_{tarnvik_.CreateDevice()};
};

TEST_F(SettingsSave, UnwritableFileFailsTheSaveAndKeepsTheOldFile) {
  std::filesystem::create_directories(AdapterFolder());
  const std::string emulatorOld = Ansi("; касса 1\r\n[GENERAL]\r\nFile=receipts.txt\r\nLastnum=41\r\nSumma=100\r\n");
  const std::string adapterOld = "[DEBUG]\nDebugMode=0\nLogFile=old.log\n[Other]\nKey=1\n";
  WriteFileBytes(EmulatorFile(), emulatorOld);
  WriteFileBytes(AdapterFile(), adapterOld);
  emulator_.Call("LoadSettings");
  adapter_.Call("LoadSettings");
  ChangeValues();
  chmod(config_.Dir().Path().c_str(), 0755);  // an ordinary user may look in

  const struct {
    const HostModule& module;
    const HostDevice& device;
    std::string file;
    std::string old;
  } cases[] = {{selvane_, emulator_, EmulatorFile(), emulatorOld}, {tarnvik_, adapter_, AdapterFile(), adapterOld}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.file);
    const std::string folder = std::filesystem::path(c.file).parent_path();
    const auto folderBefore = FolderEntries(folder);
    // Nothing at all fits, a part of a line fits, or as much as the old file
    // held (every key written so far fits, the whole new file does not); or
    // the folder is read-only to an ordinary user.
    // Each fails with the code Windows gives for the same cause.
    std::vector<std::pair<std::function<void()>, HRESULT>> restrictions;
    for (unsigned long long limit : {0ULL, 16ULL, static_cast<unsigned long long>(c.old.size())}) {
      restrictions.emplace_back([limit] { LimitFileSize(limit); }, kFileTooLarge);
    }
    restrictions.emplace_back(
        [&folder] {
          chmod(folder.c_str(), 0555);
          BecomeOrdinaryUser();
        },
        kAccessDenied);
    for (std::size_t i = 0; i < restrictions.size(); ++i) {
      const ChildReport save = SaveRestricted(c.module, c.device, restrictions[i].first);
      chmod(folder.c_str(), 0755);
      EXPECT_EQ(restrictions[i].second, save.status) << "restriction " << i;
      EXPECT_NE(std::string::npos, std::string(save.text).find(kWriteFailure)) << save.text;
      EXPECT_EQ(c.old, ReadFileBytes(c.file));
      // No temporary file is left behind.
      EXPECT_EQ(folderBefore, FolderEntries(folder));
    }
  }

  // Where the file can be written again, the same objects save normally.
  ASSERT_EQ(S_OK, emulator_.TryCall("SaveSettings", {}));
  ASSERT_EQ(S_OK, adapter_.TryCall("SaveSettings", {}));
  EXPECT_EQ(Ansi("Новый заголовок"), ProfileFile(EmulatorFile()).ReadString("GENERAL", "Title", ""));
  EXPECT_EQ("41", ProfileFile(EmulatorFile()).ReadString("GENERAL", "Lastnum", ""));
  EXPECT_EQ("1", ProfileFile(AdapterFile()).ReadString("DEBUG", "DebugMode", ""));
  EXPECT_EQ("1", ProfileFile(AdapterFile()).ReadString("Other", "Key", ""));
}

// A child closes receipts of 10.00 and saves after each, until it is killed
// at a random moment; whatever it was doing, the stored file is a whole one
// whose cash belongs to its receipt number.
TEST_F(SettingsSave, KilledMidSaveNeverLosesTheStoredCounters) {
  std::mt19937 random(42);
  int saved = 0;
  for (int round = 0; round < 30; ++round) {
    SCOPED_TRACE(round);
    WriteFileBytes(EmulatorFile(), "[GENERAL]\r\nFile=NUL\r\nLastnum=0\r\nSumma=0\r\n");
    const pid_t child = StartChild([this] {
      emulator_.Call("LoadSettings");
      emulator_.Call("Connect");
      for (;;) {
        emulator_.Call("SaleItem", {1, "Хлеб", 1.0, 10.0, 0, 0, 0});
        emulator_.Call("CloseReceipt");
        emulator_.Call("SaveSettings");
      }
    });
    std::this_thread::sleep_for(std::chrono::milliseconds(2 + random() % 30));
    KillChild(child);

    const ProfileFile stored(EmulatorFile());
    const int number = std::stoi(stored.ReadString("GENERAL", "Lastnum", "-1"));
    EXPECT_EQ(std::to_string(number * 10), stored.ReadString("GENERAL", "Summa", "")) << "receipt number " << number;
    EXPECT_EQ("NUL", stored.ReadString("GENERAL", "File", ""));
    saved += number;
  }
  EXPECT_GT(saved, 0);
}

TEST_F(SettingsSave, LineBreaksInAValueCannotAddOrChangeAKey) {
  std::filesystem::create_directories(AdapterFolder());
  emulator_.Call("SetParamValue", {1, "Магазин\r\nLastnum=999\r\n[GENERAL]\nSumma=1000000"});
  emulator_.Call("SetParamValue", {2, "\rFile=/etc/passwd"});
  ASSERT_EQ(S_OK, emulator_.TryCall("SaveSettings", {}));
  adapter_.Call("SetParamValue", {2, "x.log\nDebugMode=1"});
  ASSERT_EQ(S_OK, adapter_.TryCall("SaveSettings", {}));

  HostDevice emulator(selvane_.CreateDevice());
  emulator.Call("LoadSettings");
  EXPECT_EQ(0, emulator.Int("GetLastDocNumber"));
  EXPECT_EQ("nul", emulator.Text("GetParamValue", {0}));
  EXPECT_EQ("Магазин  Lastnum=999  [GENERAL] Summa=1000000", emulator.Text("GetParamValue", {1}));
  EXPECT_EQ(7, emulator.Int("CashOut", {0.01}));  // the drawer is still empty

  HostDevice adapter(tarnvik_.CreateDevice());
  adapter.Call("SetParamValue", {0, AdapterFolder() + "/"});
  adapter.Call("LoadSettings");
  EXPECT_FALSE(adapter.Call("GetParamValue", {1}).ToBool());
  EXPECT_EQ("x.log DebugMode=1", adapter.Text("GetParamValue", {2}));
}

}  // namespace
