// Random operation sequences on one emulator object, every step checked
// against the independent model: out values, last result, counters, the
// settings it stores and each byte the receipt file gains, with the receipt
// file switched between a real file, the null device, a full device and a
// folder that does not exist. SORVIN_SEQUENCE_SEEDS and
// SORVIN_SEQUENCE_STEPS make the run longer.
#include <gtest/gtest.h>

#include "tests/reliability/emulator_run.h"
#include "tests/reliability/reliability_env.h"
#include "tests/support/temp_dir.h"

namespace {

TEST(EmulatorSequences, EveryStepAgreesWithTheModel) {
  IsolatedConfig config;
  FileRemoval settings(config.SettingsFolder() + "/Selvane.xhw.ini");
  TempDir files;
  ScopedEnv clock("SORVIN_FIXED_CLOCK", kRunClock);
  ScopedEnv locale("LC_ALL", kRunLocale);
  HostModule module("Selvane.xhw");
  const uint64_t seeds = SizeFromEnv("SORVIN_SEQUENCE_SEEDS", 20);
  const uint64_t steps = SizeFromEnv("SORVIN_SEQUENCE_STEPS", 400);
  for (uint64_t seed = 1; seed <= seeds; ++seed) {
    EmulatorRun run(module, files.Path(), EmulatorRun::Mix::kEverything);
    RandomChoices choices(seed);
    for (uint64_t step = 0; step < steps; ++step) {
      const std::string failure = run.Step(choices);
      ASSERT_EQ("", failure) << "seed " << seed;
    }
  }
}

}  // namespace
