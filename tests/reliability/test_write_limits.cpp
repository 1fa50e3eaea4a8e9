// Cash movements, free text and empty lines cut off by a full disk at every
// line in turn (a file-size limit in a child process): the failure is
// reported with the file error, the drawer moves only with a complete
// write, and the retry writes the whole block once. And a receipt file that
// an ordinary user may not write.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "platform/profile.h"
#include "tests/support/child_process.h"
#include "tests/support/host_module.h"
#include "tests/support/temp_dir.h"

namespace {

const std::string kSeparator(70, '-');

std::string Block(std::initializer_list<std::string> utf8Lines) {
  std::string bytes;
  for (const std::string& line : utf8Lines) bytes += Ansi(line) + "\r\n";
  return bytes;
}

struct Writer {
  std::string name;
  std::function<LONG(const HostDevice&)> call;  // the out value
  std::string block;                            // what one successful call appends
  const char* cashAfter;                        // stored cash after exactly one success
};

TEST(WriteLimits, EveryLineOfEveryWriterCutOffInTurn) {
  IsolatedConfig config;
  TempDir files;
  HostModule module("Selvane.xhw");
  std::filesystem::create_directories(config.SettingsFolder());
  const std::string settings = config.SettingsFolder() + "/Selvane.xhw.ini";
  const std::string receipts = files.File("receipts.txt");

  const Writer writers[] = {
      {"CashIn", [](const HostDevice& d) { return d.Int("CashIn", {150.0}); },
       Block({"Внесение суммы          150.00", kSeparator}), "250"},
      {"CashOut", [](const HostDevice& d) { return d.Int("CashOut", {40.0}); },
       Block({"Снятие суммы             40.00", kSeparator}), "60"},
      {"PrintText", [](const HostDevice& d) { return d.Int("PrintText", {"Акция: второй хлеб в подарок"}); },
       Block({"Акция: второй хлеб в подарок", kSeparator}), "100"},
      {"FeedLines", [](const HostDevice& d) { return d.Int("FeedLines", {3}); }, "\r\n\r\n\r\n", "100"},
  };
  for (const Writer& writer : writers) {
    // A cut just inside each line, and before the very last byte.
    std::vector<std::size_t> cuts;
    for (std::size_t start = 0; start < writer.block.size(); start = writer.block.find('\n', start) + 1) {
      cuts.push_back(start + 1);
    }
    cuts.push_back(writer.block.size() - 1);
    for (std::size_t cut : cuts) {
      SCOPED_TRACE(writer.name + " cut at " + std::to_string(cut));
      WriteFileBytes(settings, "[GENERAL]\r\nSumma=100\r\n");
      const std::string before = Ansi("Чек №1 от 08.12.2026 14:05:09\r\n");
      WriteFileBytes(receipts, before);
      HostDevice device(module.CreateDevice());
      device.Call("LoadSettings");
      device.Call("SetParamValue", {0, receipts});
      device.Call("Connect");

      const ChildReport failed = RunInChild([&] {
        const unsigned long long unlimited = LimitFileSize(before.size() + cut);
        ChildReport report;
        report.status = writer.call(device) * 100 + device.ResultCode();
        report.SetText(device.ResultText());
        LimitFileSize(unlimited);
        if (writer.call(device) != 0) report.status = -1;
        device.TryCall("SaveSettings", {});
        return report;
      });
      EXPECT_EQ(808, failed.status);  // result 8, recorded as the last result
      EXPECT_EQ("Ошибка доступа к файлу", std::string(failed.text));
      EXPECT_EQ(before + writer.block.substr(0, cut) + writer.block, ReadFileBytes(receipts));
      EXPECT_EQ(writer.cashAfter, ProfileFile(settings).ReadString("GENERAL", "Summa", ""));
    }
  }
}

// A new receipt file in a read-only folder, and a read-only receipt file:
// every writer is refused as for a file that cannot be opened, and nothing
// is counted.
TEST(WriteLimits, ReadOnlyReceiptFileRefusesEveryWriter) {
  IsolatedConfig config;
  TempDir files;
  HostModule module("Selvane.xhw");
  const std::string folder = files.File("read-only");
  std::filesystem::create_directories(folder);
  const std::string existing = folder + "/existing.txt";
  WriteFileBytes(existing, Ansi("Чек №7\r\n"));
  chmod(files.Path().c_str(), 0755);  // an ordinary user may look in
  chmod(existing.c_str(), 0444);
  chmod(folder.c_str(), 0555);
  for (const std::string& receipts : {folder + "/receipts.txt", existing}) {
    SCOPED_TRACE(receipts);
    HostDevice device(module.CreateDevice());
    device.Call("SetParamValue", {0, receipts});
    device.Call("Connect");
    const ChildReport refused = RunInChild([&] {
      BecomeOrdinaryUser();
      std::string results;
      device.Int("SaleItem", {1, "Хлеб", 1.0, 10.0, 0, 0, 0});
      // A braced list runs its calls in order.
      for (LONG result : {device.Int("CloseReceipt"), device.Int("CashIn", {5.0}), device.Int("PrintText", {"x"}),
                          device.Int("FeedLines", {1}), device.Int("GetLastDocNumber")}) {
        results += std::to_string(result) + ' ';
      }
      ChildReport report;
      report.SetText(results);
      return report;
    });
    EXPECT_EQ("3 3 3 8 0 ", std::string(refused.text));  // the last: no receipt counted
  }
  EXPECT_FALSE(FileExists(folder + "/receipts.txt"));
  EXPECT_EQ(Ansi("Чек №7\r\n"), ReadFileBytes(existing));
  chmod(folder.c_str(), 0755);
}

}  // namespace
