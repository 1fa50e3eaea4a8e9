// Operation sequences on the adapter taken from the input, against the
// register simulator with faults switched on and off by the input; the
// adapter's promises are checked after every step (see tests/reliability).
#include "tests/fuzz/fuzz_environment.h"
#include "tests/reliability/adapter_run.h"

namespace {
// Loaded before fuzzing starts, so their coverage counts from the first input.
const HostModule* gModule = nullptr;
}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  RegisteredSimulator();
  gModule = new HostModule("Tarnvik.xhw");
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const HostModule* module = gModule;
  ResetScratch();
  ByteChoices choices(std::span<const uint8_t>(data, size));
  std::string failure;
  {
    AdapterRun run(*module, FuzzScratch() + "/work");
    for (int step = 0; step < 100 && !choices.Exhausted() && failure.empty(); ++step) failure = run.Step(choices);
    if (failure.empty()) failure = run.Finish(RegisteredSimulator());
  }
  if (!failure.empty()) BrokenPromise(failure);
  return 0;
}
