// What `xhw doctor` finds, as data: small check functions append findings,
// one renderer turns them into the console's lines and the report file.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "host/doctor_messages.h"

// A message of the table and the values it names, in UTF-8 (paths,
// versions, result codes), which fill its %1, %2, ...
struct Text {
  Text() = default;
  Text(Message message, std::vector<std::string> values = {}) : message(message), values(std::move(values)) {}

  Message message = Message::None;
  std::vector<std::string> values;
  std::vector<Text> then;  // sentences that follow in the same line
};

enum class Outcome { Ok, Problem, Info };

struct Finding {
  Text what;  // the subject: a module in one registry view, the driver, a settings file
  Outcome outcome = Outcome::Info;
  Text text;
  Text fix;  // what to do; every problem has one
  // The word size of the hosts a problem stops; 0 for hosts of either,
  // kStopsNoHost for one that hosts work despite (a journal not written).
  int stops = 0;
};

inline constexpr int kStopsNoHost = -1;

using Findings = std::vector<Finding>;

// What every check needs to know about the program it runs in.
struct DoctorContext {
  int programWordSize = 0;
  int systemWordSize = 0;
  std::vector<int> views;  // the registry views to look at, the program's own first
};

inline Finding Ok(Text what, Text text) { return {std::move(what), Outcome::Ok, std::move(text), {}, 0}; }
inline Finding Info(Text what, Text text, Text fix = {}) {
  return {std::move(what), Outcome::Info, std::move(text), std::move(fix), 0};
}
inline Finding Problem(Text what, Text text, Text fix, int stops) {
  return {std::move(what), Outcome::Problem, std::move(text), std::move(fix), stops};
}

// True when no problem stops a host of `wordSize`.
bool HostCanWork(const Findings& findings, int wordSize);
