// Two ways of doing the same thing, timed in turn inside one benchmark, so
// that both meet the same machine: a build starting next door slows both
// alike instead of only whichever ran at the time. The benchmark's own time
// is the measured way's; the medians of both sides and of their difference,
// pair by pair, go to counters, since a median shrugs off the odd iteration
// another process interrupted. The set-up of an iteration is
// not timed.
#pragma once

#include <benchmark/benchmark.h>

#include <chrono>
#include <optional>
#include <vector>

inline constexpr const char* kMedianCounter = "median_s";
inline constexpr const char* kReferenceMedianCounter = "reference_median_s";
inline constexpr const char* kDifferenceMedianCounter = "difference_median_s";

// Seconds taken by `runs` runs of `step`, or nullopt when a run failed.
template <class Step>
std::optional<double> Timed(int runs, Step&& step) {
  const auto start = std::chrono::steady_clock::now();
  for (int i = 0; i < runs; ++i) {
    if (!step()) return std::nullopt;
  }
  const auto stop = std::chrono::steady_clock::now();
  return std::chrono::duration<double>(stop - start).count();
}

class Pairing {
 public:
  Pairing(benchmark::State& state, const char* measuredFailed, const char* referenceFailed);
  Pairing(const Pairing&) = delete;
  Pairing& operator=(const Pairing&) = delete;
  // Sets the counters.
  ~Pairing();

  // One iteration's pair, each side timed over `runs` runs (the iteration's
  // time is the measured side's whole batch, the medians are per run);
  // false, with the benchmark stopped and the reason given, when either side
  // failed.
  bool Record(std::optional<double> measured, std::optional<double> reference, int runs = 1);

 private:
  benchmark::State& state_;
  const char* measuredFailed_;
  const char* referenceFailed_;
  std::vector<double> measured_;
  std::vector<double> reference_;
  std::vector<double> difference_;
};
