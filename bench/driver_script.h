// The driver member accesses of an operation as the register simulator's
// journal records them, one a line: "get Name -> value", "call Name ->
// value", "put Name = value" with "&" before a value passed by reference.
// The adapter benchmark replays them on a driver object with plain Invoke
// calls, to learn what the same accesses cost without the adapter.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/variant.h"

enum class AccessKind { Get, Call, Put };

struct DriverAccess {
  AccessKind kind;
  std::string member;
  std::string value;  // in the journal's form: the value put, or the result read
  bool byReference = false;

  bool operator==(const DriverAccess&) const = default;
};

// Nullopt for a line of any other form; a raised access cannot be replayed
// and is one of them.
std::optional<DriverAccess> ParseJournalLine(std::string_view line);
// Every line of a journal; throws std::runtime_error naming a line it cannot read.
std::vector<DriverAccess> ParseJournal(std::string_view text);

// The value of a put as the adapter passes it: of the member's own type, so
// a price the journal writes as "10" is a double. Throws std::runtime_error
// for an unknown member or a value it cannot read.
Variant PutValue(const DriverAccess& access);
