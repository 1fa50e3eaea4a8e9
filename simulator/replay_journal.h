// Tarnvik's debug journal read back for a replay: each operation the host
// called, with its arguments, its out value (or the error it raised), the
// result code and text it left, and the driver accesses it made, in order.
// Every value stays in the journal's own text (Windows-1251), so a replay
// compares what happens again with what was written, character for
// character.
#pragma once

#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "platform/com.h"
#include "platform/variant.h"

enum class AccessVerb { Create, Get, Call, Put };

// An error raised, as the journal shows it: raise 0x80004005 "text".
struct RecordedRaise {
  HRESULT status;
  std::string description;
};

struct RecordedAccess {
  int line;
  std::string text;  // the line without its indent
  AccessVerb verb;
  std::string member;  // the ProgID for a creation
  std::string value;   // a read's answer, or the value written with '&' for a reference
  std::optional<RecordedRaise> raised;
};

struct RecordedOperation {
  int line;
  std::string name;
  // Each argument's text; none when the module refused the call before
  // the arguments went on, so the journal does not hold them.
  std::optional<std::vector<std::string>> arguments;
  // The out value's text, "raise ..." for an error, empty for none.
  std::string outcome;
  std::string result;  // "ResultCode 0, ResultText """
  std::vector<RecordedAccess> accesses;
};

struct RecordedJournal {
  std::vector<RecordedOperation> operations;
  // The line where accesses begin that no operation line closes: the
  // journal was cut inside an operation.
  std::optional<int> cutAt;
};

class JournalLineError : public std::runtime_error {
 public:
  JournalLineError(int line, const std::string& message) : std::runtime_error(message), line_(line) {}
  int Line() const { return line_; }

 private:
  int line_;
};

// Throws JournalLineError for the first line it cannot read.
RecordedJournal ReadRecordedJournal(std::string_view bytes);

// A value as the journal writes it, read back: empty, true, false, an
// integer, a number, a quoted text. Nothing for any other text.
std::optional<Variant> JournalTextValue(std::string_view text);
// The recorded raise as a journal writes it.
std::string RaiseText(const RecordedRaise& raised);
