// The soak: receipts, returns, cash movements and free texts through one
// emulator object, every operation checked against the model, the whole
// receipt file read back as a ledger at the end, and the heap measured after
// a warm-up and at the end. SORVIN_SOAK_DOCUMENTS sets the length (the test
// suite runs 5,000; scripts/soak runs 100,000).
#include <gtest/gtest.h>
#include <malloc.h>

#include <chrono>
#include <cstdio>
#include <fstream>

#include "tests/reliability/emulator_run.h"
#include "tests/reliability/reliability_env.h"
#include "tests/support/temp_dir.h"

namespace {

// Bytes handed out by the allocator and not yet freed.
std::size_t HeapInUse() { return mallinfo2().uordblks; }

std::size_t ResidentKilobytes() {
  std::ifstream status("/proc/self/status");
  for (std::string line; std::getline(status, line);) {
    if (line.starts_with("VmRSS:")) return std::stoul(line.substr(6));
  }
  return 0;
}

TEST(Soak, DocumentsCheckOutAndMemoryStaysFlat) {
  IsolatedConfig config;
  TempDir files;
  ScopedEnv clock("SORVIN_FIXED_CLOCK", kRunClock);
  ScopedEnv locale("LC_ALL", kRunLocale);
  HostModule module("Selvane.xhw");
  const uint64_t documents = SizeFromEnv("SORVIN_SOAK_DOCUMENTS", 5000);
  const uint64_t warmUp = documents / 10;

  const auto start = std::chrono::steady_clock::now();
  std::size_t heapAfterWarmUp = 0;
  std::size_t residentAfterWarmUp = 0;
  {
    EmulatorRun run(module, files.Path(), EmulatorRun::Mix::kDocuments);
    RandomChoices choices(SizeFromEnv("SORVIN_SOAK_SEED", 7));
    for (uint64_t i = 0; i < documents; ++i) {
      if (i == warmUp) {
        heapAfterWarmUp = HeapInUse();
        residentAfterWarmUp = ResidentKilobytes();
      }
      const std::string failure = run.Step(choices);
      ASSERT_EQ("", failure) << "document " << i;
    }
    const std::size_t heapAtEnd = HeapInUse();
    const std::size_t residentAtEnd = ResidentKilobytes();
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    ASSERT_EQ("", run.CheckLedger());
    std::printf(
        "soak: %llu documents in %.1f s; heap in use %zu -> %zu bytes, resident %zu -> %zu kB; "
        "receipt file %llu bytes\n",
        static_cast<unsigned long long>(documents), seconds, heapAfterWarmUp, heapAtEnd, residentAfterWarmUp,
        residentAtEnd, static_cast<unsigned long long>(ReadFileBytes(run.ReceiptPath()).size()));
    // Nothing the object keeps may grow with the number of documents.
    EXPECT_LT(heapAtEnd, heapAfterWarmUp + 64 * 1024);
  }
}

}  // namespace
