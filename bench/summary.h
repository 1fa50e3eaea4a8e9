// The table scripts/bench prints after the benchmarks: each measurement
// beside its reference, the difference and the ratio, against the target.
#pragma once

#include <benchmark/benchmark.h>

#include <map>
#include <string>
#include <vector>

// What one benchmark measured: time per iteration in seconds (the median
// when it was repeated) and its counters, or the error that stopped it.
struct Measurement {
  double seconds = 0;
  std::map<std::string, double> counters;
  std::string error;
};

using Measurements = std::map<std::string, Measurement>;

// The console reporter, keeping what it reports for the table.
class CollectingReporter : public benchmark::ConsoleReporter {
 public:
  CollectingReporter() : ConsoleReporter(OO_Tabular) {}
  void ReportRuns(const std::vector<Run>& runs) override;
  const Measurements& Collected() const { return measured_; }

 private:
  Measurements measured_;
};

// The tables in Markdown. `checkTargets` false marks the times as not
// meaningful (a smoke run) and leaves the verdicts out.
std::string SummaryTables(const Measurements& measured, bool checkTargets);
size_t FailedCount(const Measurements& measured);
