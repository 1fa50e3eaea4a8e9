// One adapter object of the loaded Tarnvik module, driven through random
// operations against the register simulator while faults come and go: the
// register refuses a method with an error code, or a member raises an
// automation error. After every step the promises that must hold whatever
// the register did are checked, reading what the adapter asked of the
// driver from the simulator's journal:
//   - a failure status always comes with an error message;
//   - after a CloseReceipt that got past switching the register on, the
//     register is off, the taxation system is -1 and the contact is empty;
//   - after a CancelReceipt that got past switching the register on, no
//     connection is open (a Payment is refused without asking the driver);
//   - the adapter's debug journal (debug mode is on) has a line for every
//     operation, and shows every driver access the simulator recorded, in
//     the same order, with the same values.
// The simulator must be registered and SORVIN_FPRNM8_SIM must name
// `folder`/sim.ini.
#pragma once

#include <cstdint>
#include <deque>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

#include "tests/reliability/choices.h"
#include "tests/support/host_module.h"

class AdapterRun {
 public:
  AdapterRun(const HostModule& tarnvik, const std::string& folder);

  // One operation, possibly after changing the faults; empty when every
  // promise held, else what broke.
  std::string Step(Choices& choices);
  // Releases the object: no driver object may outlive it.
  std::string Finish(const HostModule& simulator);

 private:
  struct Reply {
    HRESULT status;
    Variant out;
  };

  void ChangeFaults(Choices& c);
  void Operation(Choices& c);
  Reply Call(std::string_view operation, std::initializer_list<Arg> args = {});
  // The simulator's new journal lines, compared with the debug journal's.
  std::vector<std::string> TakeJournal();
  void CompareDebugJournal(const std::vector<std::string>& simulator);
  // Follows the register's switch through what the adapter asked.
  void Follow(const std::vector<std::string>& lines);
  void Check(bool held, const std::string& what);

  const HostModule& tarnvik_;
  HostDevice device_;
  std::string settingsPath_;
  std::string journalPath_;
  uint64_t journalOffset_ = 0;
  std::string debugJournalPath_;
  uint64_t debugJournalOffset_ = 0;
  uint64_t operations_ = 0;  // called so far
  uint64_t operationsJournaled_ = 0;
  std::vector<std::string> faults_;        // "Member=code" or "Member=raise", set now
  std::vector<std::string> objectFaults_;  // those the current driver object was created with
  bool enableRefused_ = false;             // the faults of the current driver object refuse switching on
  bool enableRefusedNext_ = false;         // ... and of the next one created
  bool registerOn_ = false;
  uint64_t steps_ = 0;
  std::string failure_;
  std::deque<std::string> trail_;
};
