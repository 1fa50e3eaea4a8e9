// The table scripts/bench prints: its verdicts decide what the README
// reports, and a smoke run must never print one.
#include "bench/summary.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "bench/machine.h"
#include "bench/paired.h"

namespace {

Measurement Paired(double median, double reference, std::map<std::string, double> more = {}) {
  Measurement run;
  run.seconds = median;
  run.counters = std::move(more);
  run.counters[kMedianCounter] = median;
  run.counters[kReferenceMedianCounter] = reference;
  run.counters[kDifferenceMedianCounter] = median - reference;
  return run;
}

// The table's row that starts with `label`.
std::string Row(const std::string& table, const std::string& label) {
  std::istringstream lines(table);
  for (std::string line; std::getline(lines, line);) {
    if (line.starts_with("| " + label)) return line;
  }
  return "";
}

TEST(Summary, JudgesEachRatioAgainstItsTarget) {
  Measurements measured;
  measured["emulator/close/10"] = Paired(0.375, 0.25);  // exactly on the target
  measured["sale/by_name"] = Paired(4.1e-6, 2e-6);
  // Per member call: 50 calls in the sale.
  measured["adapter/sale"] = Paired(50e-6, 40e-6, {{"member_calls", 50}});
  const std::string table = SummaryTables(measured, true);

  EXPECT_NE(std::string::npos, Row(table, "Emulator CloseReceipt, 10 lines").find("1.50× | ≤ 1.5× PASS"));
  EXPECT_NE(std::string::npos, Row(table, "Emulator sale").find("2.05× | ≤ 2.0× MISS"));
  EXPECT_EQ(
      "| Adapter sale (3 lines, payment, close), per driver member call | 1.00 µs | the same member calls, raw "
      "Invoke, DISPIDs known | 800 ns | 200 ns | 1.25× | ≤ 1.2× MISS |",
      Row(table, "Adapter sale"));
  // A row without a target shows its ratio and no verdict.
  measured["emulator/close/1"] = Paired(9e-6, 1e-6);
  EXPECT_EQ(std::string::npos, Row(SummaryTables(measured, true), "Emulator CloseReceipt, 1 line").find("MISS"));
}

TEST(Summary, SmokeRunsGiveNoVerdicts) {
  Measurements measured;
  measured["emulator/close/10"] = Paired(9e-6, 2e-6);
  measured["driver_call/get"] = Paired(1e-9, 2e-9);
  const std::string table = SummaryTables(measured, false);
  EXPECT_EQ(std::string::npos, table.find("PASS"));
  EXPECT_EQ(std::string::npos, table.find("MISS"));
}

TEST(Summary, ShowsWhatDidNotRunOrFailed) {
  Measurements measured;
  measured["driver_call/put"].error = "the raw Invoke failed";
  Measurement codec;
  codec.seconds = 1e-6;  // ignored: the time per call comes from the rate
  codec.counters["bytes_per_second"] = 5e8;
  codec.counters["text_bytes"] = 40;
  measured["codec/utf16_to_1251/name"] = codec;
  const std::string table = SummaryTables(measured, true);

  EXPECT_NE(std::string::npos, Row(table, "Driver property put").find("error: the raw Invoke failed"));
  EXPECT_NE(std::string::npos, Row(table, "Driver property get").find("not run"));
  EXPECT_EQ("| UTF-16 to Windows-1251 (texts coming in) | not run | 500 MB/s (80 ns) |",
            Row(table, "UTF-16 to Windows-1251"));
  EXPECT_EQ(1u, FailedCount(measured));
}

TEST(Machine, NamesTheFileSystemMountedDeepestAbovePath) {
  const std::string table =
      "22 1 254:0 / / rw,relatime shared:1 - ext4 /dev/vda rw\n"
      "30 22 0:26 / /tmp rw shared:5 - tmpfs tmpfs rw\n"
      "31 22 0:27 / /tmpfoo rw - xfs /dev/vdb rw\n"
      "garbage\n";
  auto typeOf = [&](const std::string& path) {
    std::istringstream mounts(table);
    return MountedFileSystem(path, mounts);
  };
  EXPECT_EQ("tmpfs", typeOf("/tmp"));
  EXPECT_EQ("tmpfs", typeOf("/tmp/sorvin-bench-1"));
  EXPECT_EQ("xfs", typeOf("/tmpfoo/x"));
  EXPECT_EQ("ext4", typeOf("/work/main"));
  std::istringstream none;
  EXPECT_EQ("unknown", MountedFileSystem("/tmp", none));
}

}  // namespace
