// The xhw script: one operation a line, arguments separated by blanks.
//
//   # a whole-line comment
//   SaleItem 1 "Хлеб" 2 45.5 1 4 3   # a trailing comment
//   SetParamValue 0 "receipts.txt"
//
// Arguments are integers, decimal numbers with a point, texts in double
// quotes (UTF-8; escapes \" \\ \n \r \t) and true/false. Parsing checks every
// argument against the operation's parameter kinds, so a script that parses
// calls nothing with a value the operation cannot take.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "contract/operations.h"

// An argument, already in the kind the parameter takes: an integer where an
// integer is due, a double for a number (also when written as an integer),
// a UTF-8 text, or a boolean (parameter values only).
using ScriptValue = std::variant<int32_t, double, bool, std::string>;

struct ScriptCall {
  int line;
  const Operation* operation;
  std::vector<ScriptValue> arguments;
};

struct ScriptError {
  int line;
  std::string message;
};

struct ParsedScript {
  std::vector<ScriptCall> calls;
  std::vector<ScriptError> errors;  // one or more per bad line, in line order
};

ParsedScript ParseScript(std::string_view text);
