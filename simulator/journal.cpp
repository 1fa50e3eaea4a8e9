#include "simulator/journal.h"

#include "platform/quoted_text.h"
#include "simulator/append_file.h"
#include "simulator/number_text.h"

std::string JournalValue(const RegisterValue& value) {
  struct Formatter {
    std::string operator()(std::monostate) const { return "empty"; }
    std::string operator()(long long number) const { return std::to_string(number); }
    std::string operator()(double number) const { return ShortestNumber(number); }
    std::string operator()(bool flag) const { return flag ? "true" : "false"; }
    std::string operator()(const std::string& text) const { return QuotedText(text); }
  };
  return std::visit(Formatter{}, value);
}

void Journal::Read(Access access, std::string_view member, const RegisterValue* result) const {
  // Without a journal there is nothing to format either.
  if (path_.empty()) return;
  std::string verb = access == Access::Call ? "call " : "get ";
  Write(verb + std::string(member) + " -> " + (result ? JournalValue(*result) : "raise"));
}

void Journal::Put(std::string_view member, const RegisterValue& value, bool byReference, bool raised) const {
  if (path_.empty()) return;
  Write("put " + std::string(member) + " = " + (byReference ? "&" : "") + JournalValue(value) +
        (raised ? " -> raise" : ""));
}

void Journal::Write(std::string line) const {
  if (path_.empty()) return;
  line += '\n';
  AppendToFile(path_, line);
}
