// Tarnvik as its module hands it out: TTarnvik, and in debug mode one
// journal line for each operation the host calls, after the lines of the
// driver accesses it made: when it was called, its arguments, its out
// value (or the error it raised), the result code and text it left, and
// how long it took. With debug mode off an operation goes straight through.
#pragma once

#include "adapter/debug_journal.h"
#include "adapter/tarnvik.h"

class JournaledTarnvik final : public Device {
 public:
  // How the journal shows an out value: personal data masked, a date as a date.
  enum class Out { AsItIs, Masked, Date };

  JournaledTarnvik() = default;

#include "module/device_overrides.inc"
  void Refused(const char* operation, const ComError& refusal) noexcept override;

 private:
  // Runs `method` with `args` and, in debug mode, writes its line.
  template <Out kOut = Out::AsItIs, class Result, class... Params, class... Args>
  Result Logged(const char* operation, Result (TTarnvik::*method)(Params...), const Args&... args);
  // The operation's line; `outcome()` is " -> " and the out value or the
  // error, or nothing for an operation without out value.
  template <class Arguments, class Outcome>
  void WriteOperation(const char* operation, Arguments arguments, Outcome outcome) noexcept;

  DebugJournal journal_;
  TTarnvik tarnvik_{journal_};
};
