// The call journal: one line per member access, in the order they happen,
// so tests can compare exactly what a caller did with the driver.
#pragma once

#include <string>
#include <string_view>
#include <utility>

#include "simulator/register_value.h"

enum class Access { Get, Call, Put };

class Journal {
 public:
  // An empty path keeps no journal.
  explicit Journal(std::string path) : path_(std::move(path)) {}

  // "get Name -> value" or "call Name -> value"; `result` null when the
  // access raised an error.
  void Read(Access access, std::string_view member, const RegisterValue* result) const;
  // "put Name = value", "put Name = &value" for a value passed by
  // reference, with " -> raise" when the write raised an error.
  void Put(std::string_view member, const RegisterValue& value, bool byReference, bool raised) const;

 private:
  void Write(std::string line) const;

  std::string path_;
};

// Integers in decimal, numbers in the shortest form that reads back the
// same, texts in double quotes with \ escapes, true/false, empty.
std::string JournalValue(const RegisterValue& value);
