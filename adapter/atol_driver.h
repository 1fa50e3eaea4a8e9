// The ATOL driver object "AddIn.FprnM8" as the adapter talks to it: its
// members by their place in the one table, and, while debug mode is on,
// every access written to the journal as it happens: what was read or
// written, and the error the driver raised.
#pragma once

#include <exception>
#include <utility>

#include "adapter/debug_journal.h"
#include "adapter/driver_members.h"
#include "platform/automation.h"

// Whether a value written may be shown as it is; personal data is masked.
enum class Shown { AsItIs, Masked };

class AtolDriver {
 public:
  // Creates the driver object by its ProgID, journaling how that went;
  // throws ComError.
  explicit AtolDriver(DebugJournal& journal);

  // With debug mode off an access costs the driver call and one test more.

  // A member's value (a property read, or a method's result).
  Variant Get(DriverMember member) { return journal_.On() ? JournaledGet(member) : object_.Get(member.place); }
  // A method whose result the caller does not need.
  void Call(DriverMember member) {
    if (journal_.On()) return JournaledCall(member);
    object_.Call(member.place);
  }
  // A property write; `byReference` passes the value as a reference to a
  // variant, as the driver has always received the host's values.
  void Put(DriverMember member, Variant&& value, bool byReference = false, Shown shown = Shown::AsItIs) {
    if (journal_.On()) return JournaledPut(member, std::move(value), byReference, shown);
    object_.Put(member.place, std::move(value), byReference);
  }

 private:
  Variant JournaledGet(DriverMember member);
  void JournaledCall(DriverMember member);
  void JournaledPut(DriverMember member, Variant&& value, bool byReference, Shown shown);
  template <class Access>
  Variant Read(const char* verb, DriverMember member, Access access);

  DebugJournal& journal_;
  AutomationObject object_;
};
