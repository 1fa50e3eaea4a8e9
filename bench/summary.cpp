#include "bench/summary.h"

#include <cstdio>
#include <sstream>
#include <string_view>

#include "bench/paired.h"

namespace {

// A measurement beside its reference, which the same benchmark timed in
// turn with it: the medians of both, and of their difference pair by pair.
// All are divided by the run's counter `per` when one is named.
struct Comparison {
  std::string_view label;
  std::string_view name;
  std::string_view referenceLabel;
  double target;  // the highest ratio that passes; 0 for none
  std::string_view per;
};

constexpr std::string_view kFloor = "open for append + one write + close";

constexpr Comparison kComparisons[] = {
    {"Emulator CloseReceipt, 1 line, regular file", "emulator/close/1", kFloor, 0, ""},
    {"Emulator CloseReceipt, 10 lines, regular file", "emulator/close/10", kFloor, 1.5, ""},
    {"Emulator CloseReceipt, 100 lines, regular file", "emulator/close/100", kFloor, 0, ""},
    {"Emulator sale (3 lines, payment, close) by name through IDispatch", "sale/by_name",
     "the same sale through the vtable", 2.0, ""},
    {"Adapter sale (3 lines, payment, close), per driver member call", "adapter/sale",
     "the same member calls, raw Invoke, DISPIDs known", 1.2, "member_calls"},
    {"Adapter sale (3 lines, payment, close), debug journal on", "adapter/sale_journal",
     "the same sale with the journal off", 0, ""},
    {"Driver property put (Quantity by reference), the adapter's driver class", "driver_call/put",
     "raw Invoke, DISPID known", 1.2, ""},
    {"Driver property get (CheckState), the adapter's driver class", "driver_call/get", "raw Invoke, DISPID known", 1.2,
     ""},
};

struct Conversion {
  std::string_view label;
  std::string_view name;
};

constexpr Conversion kConversions[] = {
    {"UTF-16 to Windows-1251 (texts coming in)", "codec/utf16_to_1251"},
    {"Windows-1251 to UTF-16 (texts going out)", "codec/1251_to_utf16"},
    {"UTF-8 to Windows-1251", "codec/utf8_to_1251"},
    {"Windows-1251 to UTF-8", "codec/1251_to_utf8"},
};

std::string Format(const char* pattern, double value) {
  char text[64];
  std::snprintf(text, sizeof text, pattern, value);
  return text;
}

std::string Duration(double seconds) {
  const double ns = seconds * 1e9;
  if (ns < 1e3) return Format("%.0f ns", ns);
  if (ns < 1e6) return Format("%.2f µs", ns / 1e3);
  return Format("%.2f ms", ns / 1e6);
}

std::string SignedDuration(double seconds) { return seconds < 0 ? "-" + Duration(-seconds) : Duration(seconds); }

// The run, or why there is none.
const Measurement* Find(const Measurements& measured, std::string_view name, std::string& problem) {
  auto found = measured.find(std::string(name));
  if (found == measured.end()) {
    problem = "not run";
    return nullptr;
  }
  if (!found->second.error.empty()) {
    problem = "error: " + found->second.error;
    return nullptr;
  }
  return &found->second;
}

double Counter(const Measurement& run, std::string_view name, double fallback) {
  auto counter = run.counters.find(std::string(name));
  return counter == run.counters.end() ? fallback : counter->second;
}

void ComparisonTable(std::ostream& out, const Measurements& measured, bool checkTargets) {
  out << "| Measure | Time | Reference | Reference time | Difference | Ratio | Target |\n"
      << "|---|---:|---|---:|---:|---:|---|\n";
  for (const Comparison& row : kComparisons) {
    std::string problem;
    const Measurement* run = Find(measured, row.name, problem);
    out << "| " << row.label << " | ";
    if (!run) {
      out << problem << " | " << row.referenceLabel << " | | | | |\n";
      continue;
    }
    const double per = row.per.empty() ? 1 : Counter(*run, row.per, 1);
    const double time = Counter(*run, kMedianCounter, 0) / per;
    const double reference = Counter(*run, kReferenceMedianCounter, 0) / per;
    const double ratio = time / reference;
    out << Duration(time) << " | " << row.referenceLabel << " | " << Duration(reference) << " | "
        << SignedDuration(Counter(*run, kDifferenceMedianCounter, 0) / per) << " | " << Format("%.2f×", ratio) << " | ";
    if (row.target > 0) {
      out << Format("≤ %.1f×", row.target);
      if (checkTargets) out << (ratio <= row.target ? " PASS" : " MISS");
    }
    out << " |\n";
  }
}

void CodecTable(std::ostream& out, const Measurements& measured) {
  out << "| Conversion | 64 KiB text | one goods name (31 characters) |\n|---|---:|---:|\n";
  for (const Conversion& row : kConversions) {
    out << "| " << row.label;
    for (std::string_view size : {"/64KiB", "/name"}) {
      std::string problem;
      const Measurement* run = Find(measured, std::string(row.name) + std::string(size), problem);
      out << " | ";
      if (!run) {
        out << problem;
        continue;
      }
      // The time per call from the rate, not from the run's own median time:
      // of repeated runs the two medians may come from different runs.
      const double rate = Counter(*run, "bytes_per_second", 0);
      out << Format("%.0f MB/s", rate / 1e6);
      if (size == "/name" && rate > 0) out << " (" << Duration(Counter(*run, "text_bytes", 0) / rate) << ")";
    }
    out << " |\n";
  }
}

}  // namespace

void CollectingReporter::ReportRuns(const std::vector<Run>& runs) {
  ConsoleReporter::ReportRuns(runs);
  for (const Run& run : runs) {
    const bool median = run.run_type == Run::RT_Aggregate && run.aggregate_name == "median";
    if (run.run_type == Run::RT_Aggregate && !median) continue;
    Measurement& kept = measured_[run.run_name.function_name];
    if (run.error_occurred) {
      kept.error = run.error_message;
      continue;
    }
    // A repeated benchmark reports each repetition, then the median, which wins.
    kept.seconds = run.GetAdjustedRealTime() / benchmark::GetTimeUnitMultiplier(run.time_unit);
    kept.counters.clear();
    for (const auto& [name, counter] : run.counters) kept.counters[name] = counter.value;
  }
}

std::string SummaryTables(const Measurements& measured, bool checkTargets) {
  std::ostringstream out;
  if (!checkTargets) out << "Smoke run: too short for the times to mean anything; no verdicts.\n\n";
  ComparisonTable(out, measured, checkTargets);
  out << "\nWindows-1251 codec, throughput in MB (10^6 bytes) of Windows-1251 text per second:\n\n";
  CodecTable(out, measured);
  return out.str();
}

size_t FailedCount(const Measurements& measured) {
  size_t failed = 0;
  for (const auto& [name, measurement] : measured) failed += measurement.error.empty() ? 0 : 1;
  return failed;
}
