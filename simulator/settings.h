// The simulator's settings file: where it prints and journals, the
// register it plays, and that register's counters, which every document
// changes and which are written back at once, so the next object (or the
// next run) finds the register as the last one left it.
#pragma once

#include <optional>
#include <string>

#include "platform/calendar.h"
#include "platform/profile.h"

struct SimulatorFiles {
  std::string tape;     // empty: nothing is printed
  std::string journal;  // empty: no journal is kept
};

// What the register is and what its sensors see; fixed for an object's life.
struct RegisterSetup {
  std::string serialNumber = "00106700123456";
  std::string romVersion = "3.0.8235";
  std::string version = "8.16.2.5";
  bool fiscal = true;
  bool is54FZ = true;
  bool checkPaperPresent = true;
  bool controlPaperPresent = true;
  bool coverOpened = false;
  std::optional<calendar::DateTime> fixedClock;  // none: the computer's clock
};

struct RegisterCounters {
  double cash = 0;
  bool shiftOpen = false;
  long long docNumber = 0;  // of the last document
  double lastDocSum = 0;
  std::optional<calendar::DateTime> lastDocDate;
};

class SimulatorSettings {
 public:
  // The file named by SORVIN_FPRNM8_SIM, else FprnM8Sim.ini in the settings folder.
  SimulatorSettings();

  const ProfileFile& File() const { return file_; }
  SimulatorFiles Files() const;
  RegisterSetup Setup() const;
  RegisterCounters Counters() const;
  // Throws a ComError when the file cannot be written.
  void SaveCounters(const RegisterCounters& counters);

 private:
  ProfileFile file_;
};
