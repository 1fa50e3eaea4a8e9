#include "simulator/settings.h"

#include <charconv>

#include "platform/environment.h"
#include "simulator/number_text.h"
#include "simulator/utf8.h"

namespace {

constexpr std::string_view kSimulator = "Simulator";
constexpr std::string_view kState = "State";

// Read from the process's environment as it is now: a host may name the
// file for itself after it started. The value comes as module text, the
// encoding profile file names are in.
std::string SettingsPath() {
  const std::string named = EnvironmentVariable("SORVIN_FPRNM8_SIM");
  return named.empty() ? "FprnM8Sim.ini" : named;
}

template <class Number>
Number ParseOr(std::string_view text, Number fallback) {
  Number value{};
  auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  return error == std::errc() && end == text.data() + text.size() ? value : fallback;
}

class Reader {
 public:
  explicit Reader(const ProfileFile& file) : file_(file) {}

  std::string Text(std::string_view section, std::string_view key, std::string_view fallback) const {
    return SettingsTextToUtf8(file_.ReadString(section, key, fallback));
  }
  bool Flag(std::string_view key, bool fallback) const {
    return ParseOr<long long>(file_.ReadString(kState, key, ""), fallback ? 1 : 0) != 0;
  }
  long long Integer(std::string_view key) const { return ParseOr<long long>(file_.ReadString(kState, key, ""), 0); }
  double Number(std::string_view key) const { return ParseOr<double>(file_.ReadString(kState, key, ""), 0.0); }
  std::optional<calendar::DateTime> Time(std::string_view key) const {
    return calendar::Parse(file_.ReadString(kState, key, ""));
  }

 private:
  const ProfileFile& file_;
};

}  // namespace

SimulatorSettings::SimulatorSettings() : file_(SettingsPath()) {}

SimulatorFiles SimulatorSettings::Files() const {
  Reader read(file_);
  return {read.Text(kSimulator, "TapeFile", ""), read.Text(kSimulator, "JournalFile", "")};
}

RegisterSetup SimulatorSettings::Setup() const {
  Reader read(file_);
  RegisterSetup setup;
  setup.serialNumber = read.Text(kState, "SerialNumber", setup.serialNumber);
  setup.romVersion = read.Text(kState, "ROMVersion", setup.romVersion);
  setup.version = read.Text(kState, "Version", setup.version);
  setup.fiscal = read.Flag("Fiscal", setup.fiscal);
  setup.is54FZ = read.Flag("Is54FZ", setup.is54FZ);
  setup.checkPaperPresent = read.Flag("CheckPaperPresent", setup.checkPaperPresent);
  setup.controlPaperPresent = read.Flag("ControlPaperPresent", setup.controlPaperPresent);
  setup.coverOpened = read.Flag("CoverOpened", setup.coverOpened);
  setup.fixedClock = read.Time("Clock");
  return setup;
}

RegisterCounters SimulatorSettings::Counters() const {
  Reader read(file_);
  RegisterCounters counters;
  counters.cash = read.Number("Cash");
  counters.shiftOpen = read.Flag("ShiftOpen", false);
  counters.docNumber = read.Integer("DocNumber");
  counters.lastDocSum = read.Number("LastDocSum");
  counters.lastDocDate = read.Time("LastDocDate");
  return counters;
}

void SimulatorSettings::SaveCounters(const RegisterCounters& counters) {
  file_.WriteString(kState, "Cash", ShortestNumber(counters.cash));
  file_.WriteString(kState, "ShiftOpen", counters.shiftOpen ? "1" : "0");
  file_.WriteString(kState, "DocNumber", std::to_string(counters.docNumber));
  file_.WriteString(kState, "LastDocSum", ShortestNumber(counters.lastDocSum));
  file_.WriteString(kState, "LastDocDate", counters.lastDocDate ? calendar::Format(*counters.lastDocDate) : "");
}
