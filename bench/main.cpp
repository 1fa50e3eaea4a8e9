// The benchmark suite: every group side by side in one run, then the table
// of ratios. `--smoke` runs each benchmark only briefly, to show that all of
// it builds and runs; its times mean nothing and a missed target does not
// fail it. Other arguments go to Google Benchmark (e.g. --benchmark_filter).
#include <benchmark/benchmark.h>

#include <cstring>
#include <exception>
#include <iostream>
#include <string>
#include <vector>

#include "bench/machine.h"
#include "bench/scenes.h"
#include "bench/summary.h"

namespace {

// Repeated runs with the median taken ride out the other work on a shared
// machine; a smoke run does the least that still runs every benchmark.
const std::vector<std::string> kFullRun = {"--benchmark_min_time=0.2", "--benchmark_repetitions=5",
                                           "--benchmark_report_aggregates_only=true"};
const std::vector<std::string> kSmokeRun = {"--benchmark_min_time=0.001"};

// The scenes hold modules and files of the workspace: they go first, also
// when setting one up failed.
struct ScenesReleased {
  ~ScenesReleased() { benchmark::ClearRegisteredBenchmarks(); }
};

int RunSuite(bool smoke) {
  Workspace workspace;
  ScenesReleased scenesFirst;
  RegisterEmulatorBenchmarks(workspace);
  RegisterDispatchBenchmarks();
  RegisterAdapterBenchmarks(workspace);
  RegisterCodecBenchmarks();
  CollectingReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  std::cout << "\nMachine: " << MachineDescription(workspace.Path(), workspace.StatePath()) << "\n\n"
            << SummaryTables(reporter.Collected(), !smoke);
  const size_t failed = FailedCount(reporter.Collected());
  std::cout << "\n" << reporter.Collected().size() << " benchmarks ran, " << failed << " failed\n";
  // A filter that matches nothing measures nothing: that fails too.
  return failed == 0 && !reporter.Collected().empty() ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
  bool smoke = false;
  std::vector<std::string> given;
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--smoke") == 0) {
      smoke = true;
    } else {
      given.emplace_back(argv[i]);
    }
  }
  // Our settings first, so that the caller's own flags override them.
  std::vector<std::string> all = smoke ? kSmokeRun : kFullRun;
  all.insert(all.end(), given.begin(), given.end());
  std::vector<char*> args{argv[0]};
  for (std::string& arg : all) args.push_back(arg.data());
  int count = static_cast<int>(args.size());
  benchmark::Initialize(&count, args.data());
  if (benchmark::ReportUnrecognizedArguments(count, args.data())) return 2;
  try {
    return RunSuite(smoke);
  } catch (const std::exception& e) {
    std::cerr << "sorvin_bench: " << e.what() << "\n";
    return 1;
  }
}
