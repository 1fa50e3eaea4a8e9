// Objects of both modules created and used on threads of their own, as the
// apartment model delivers them: each thread creates its objects, drives
// them through receipts and failures and releases them, while the main
// thread keeps asking whether the modules may unload. Run under
// ThreadSanitizer by scripts/tsan; SORVIN_THREAD_ROUNDS sets the length.
#include <gtest/gtest.h>

#include <atomic>
#include <limits>
#include <string>
#include <thread>
#include <vector>

#include "tests/reliability/registered_simulator.h"
#include "tests/reliability/reliability_env.h"
#include "tests/support/host_module.h"
#include "tests/support/temp_dir.h"

namespace {

// What one thread saw; checked on the main thread.
struct Outcome {
  int receiptsClosed = 0;
  int unexpected = 0;
  std::string firstProblem;

  void Expect(bool ok, const std::string& what) {
    if (ok) return;
    if (unexpected++ == 0) firstProblem = what;
  }
};

LONG IntOf(const HostDevice& device, std::string_view operation, std::initializer_list<Arg> args, Outcome& outcome) {
  Variant out;
  const HRESULT status = device.TryCall(operation, args, &out);
  outcome.Expect(status == S_OK, std::string(operation) + " failed with status " + std::to_string(status));
  return status == S_OK ? out.ToInt() : -1;
}

// Receipts and cash into a file of this thread's own; the error information
// of a refused argument stays on this thread.
void DriveEmulator(const HostModule& module, const std::string& receipts, int rounds, Outcome& outcome) {
  HostThread apartment;
  for (int round = 0; round < rounds; ++round) {
    HostDevice device(module.CreateDevice());
    device.TryCall("SetParamValue", {0, receipts});
    IntOf(device, "Connect", {}, outcome);
    outcome.Expect(IntOf(device, "CashIn", {100.0}, outcome) == 0, "CashIn refused");
    outcome.Expect(IntOf(device, "SaleItem", {1, "Хлеб", 2.0, 45.5, 1, 4, 3}, outcome) == 0, "SaleItem refused");
    outcome.Expect(IntOf(device, "Payment", {100.0, 1}, outcome) == 0, "Payment refused");
    outcome.Expect(IntOf(device, "CloseReceipt", {}, outcome) == 0, "CloseReceipt refused");
    outcome.Expect(IntOf(device, "GetLastDocNumber", {}, outcome) == 1, "the object's own receipt number is not 1");
    outcome.Expect(device.TryCall("CashOut", {std::numeric_limits<double>::quiet_NaN()}) == E_INVALIDARG,
                   "a NaN withdrawal was taken");
    outcome.Expect(!module.LastErrorMessage().empty(), "the refusal left no error information on its thread");
    ++outcome.receiptsClosed;
  }
}

// Receipts on the register simulator; every object creates its own driver
// object on this thread.
void DriveAdapter(const HostModule& module, int rounds, Outcome& outcome) {
  HostThread apartment;
  for (int round = 0; round < rounds; ++round) {
    HostDevice device(module.CreateDevice());
    device.TryCall("SetTaxSystem", {round % 6});
    outcome.Expect(IntOf(device, "SaleItem", {1, "Хлеб", 1.0, 10.0, 1, 4, 0}, outcome) == 0, "SaleItem refused");
    outcome.Expect(IntOf(device, "Payment", {10.0, 0}, outcome) == 0, "Payment refused");
    outcome.Expect(IntOf(device, "CloseReceipt", {}, outcome) == 0, "CloseReceipt refused");
    outcome.Expect(IntOf(device, "GetTaxSystem", {}, outcome) == -1, "the taxation system outlived the close");
    outcome.Expect(device.TryCall("CashIn", {std::numeric_limits<double>::infinity()}) == E_INVALIDARG,
                   "an infinite deposit was taken");
    outcome.Expect(!module.LastErrorMessage().empty(), "the refusal left no error information on its thread");
    IntOf(device, "Disconnect", {}, outcome);
    ++outcome.receiptsClosed;
  }
}

TEST(Threads, EachObjectOnItsOwnThread) {
  IsolatedConfig config;
  ScopedEnv clock("SORVIN_FIXED_CLOCK", "2026-12-08 14:05:09");
  RegisteredSimulator simulator(config.Dir(), "[Simulator]\n");
  HostModule selvane("Selvane.xhw");
  HostModule tarnvik("Tarnvik.xhw");

  const int threadsPerModule = static_cast<int>(SizeFromEnv("SORVIN_THREADS", 4));
  const int rounds = static_cast<int>(SizeFromEnv("SORVIN_THREAD_ROUNDS", 25));
  std::vector<Outcome> outcomes(2 * threadsPerModule);
  std::atomic<bool> done{false};
  std::atomic<int> polls{0};
  std::thread watcher([&] {
    // Only the counters are shared; asking while objects come and go must
    // never race with them.
    while (!done.load()) {
      selvane.CanUnloadNow();
      tarnvik.CanUnloadNow();
      polls.fetch_add(1);
      std::this_thread::yield();
    }
  });
  std::vector<std::thread> threads;
  for (int i = 0; i < threadsPerModule; ++i) {
    threads.emplace_back(DriveEmulator, std::cref(selvane), config.Dir().File("receipts-" + std::to_string(i) + ".txt"),
                         rounds, std::ref(outcomes[2 * i]));
    threads.emplace_back(DriveAdapter, std::cref(tarnvik), rounds, std::ref(outcomes[2 * i + 1]));
  }
  for (std::thread& thread : threads) thread.join();
  done = true;
  watcher.join();

  for (const Outcome& outcome : outcomes) {
    EXPECT_EQ(0, outcome.unexpected) << outcome.firstProblem;
    EXPECT_EQ(rounds, outcome.receiptsClosed);
  }
  EXPECT_GT(polls.load(), 0);
  EXPECT_EQ(S_OK, selvane.CanUnloadNow());
  EXPECT_EQ(S_OK, tarnvik.CanUnloadNow());
  EXPECT_EQ(S_OK, simulator.Module().CanUnloadNow());
}

}  // namespace
