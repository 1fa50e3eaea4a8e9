// Random operation sequences on the adapter against the register simulator,
// with faults switched on and off at random: the register refuses a method
// with an error code, or a member raises an automation error. Whatever
// happens, the promises of the adapter hold after every step and no driver
// object outlives the adapter object. SORVIN_SEQUENCE_SEEDS and
// SORVIN_SEQUENCE_STEPS make the run longer.
#include <gtest/gtest.h>

#include "tests/reliability/adapter_run.h"
#include "tests/reliability/registered_simulator.h"
#include "tests/reliability/reliability_env.h"
#include "tests/support/temp_dir.h"

namespace {

TEST(AdapterSequences, PromisesHoldWhateverTheRegisterDoes) {
  HostThread thread;
  IsolatedConfig config;
  ScopedEnv clock("SORVIN_FIXED_CLOCK", "2026-12-08 14:05:09");
  RegisteredSimulator simulator(config.Dir(), "[Simulator]\n");  // each run writes its own
  HostModule tarnvik("Tarnvik.xhw");
  const uint64_t seeds = SizeFromEnv("SORVIN_SEQUENCE_SEEDS", 10);
  const uint64_t steps = SizeFromEnv("SORVIN_SEQUENCE_STEPS", 300);
  for (uint64_t seed = 1; seed <= seeds; ++seed) {
    AdapterRun run(tarnvik, config.Dir().Path());
    RandomChoices choices(seed);
    for (uint64_t step = 0; step < steps; ++step) {
      const std::string failure = run.Step(choices);
      ASSERT_EQ("", failure) << "seed " << seed;
    }
    ASSERT_EQ("", run.Finish(simulator.Module())) << "seed " << seed;
  }
}

// The smallest case the random runs found: the register raises an error on
// every WriteAttribute. The close fails, but the taxation system and the
// contact still hold for that one close only, and the register is off.
TEST(AdapterSequences, RaisingAttributeWritesStillEndTheOneShotValues) {
  HostThread thread;
  IsolatedConfig config;
  const std::string journal = config.Dir().File("journal.txt");
  RegisteredSimulator simulator(config.Dir(),
                                "[Simulator]\nJournalFile=" + journal + "\n[Faults]\nWriteAttribute=raise\n");
  HostModule tarnvik("Tarnvik.xhw");
  HostDevice device(tarnvik.CreateDevice());
  for (int code : {3, 9}) {
    SCOPED_TRACE(code);
    ASSERT_EQ(0, device.Int("SaleItem", {1, "Хлеб", 1.0, 10.0, 1, 4, 0}));
    ASSERT_EQ(0, device.Int("Payment", {10.0, 0}));
    device.Call("SetTaxSystem", {code});
    device.Call("SetCustomerContact", {"+79001234567"});
    EXPECT_TRUE(FAILED(device.TryCall("CloseReceipt", {})));
    EXPECT_EQ(-1, device.Int("GetTaxSystem"));
    EXPECT_EQ("", device.Text("GetCustomerContact"));
    const std::string asked = ReadFileBytes(journal);
    EXPECT_EQ(asked.rfind("put DeviceEnabled = false"), asked.rfind("put DeviceEnabled"));
    device.Int("CancelReceipt");
  }
}

}  // namespace
