// Operation sequences on the emulator taken from the input, each step
// checked against the independent model (see tests/reliability).
#include "tests/fuzz/fuzz_environment.h"
#include "tests/reliability/emulator_run.h"

namespace {
// Loaded before fuzzing starts, so its coverage counts from the first input.
const HostModule* gModule = nullptr;
}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  FuzzScratch();
  gModule = new HostModule("Selvane.xhw");
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const HostModule* module = gModule;
  ResetScratch();
  ByteChoices choices(std::span<const uint8_t>(data, size));
  EmulatorRun run(*module, FuzzScratch() + "/work", EmulatorRun::Mix::kEverything);
  for (int step = 0; step < 200 && !choices.Exhausted(); ++step) {
    const std::string failure = run.Step(choices);
    if (!failure.empty()) BrokenPromise(failure);
  }
  return 0;
}
