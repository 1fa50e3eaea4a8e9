#include "adapter/journaled_tarnvik.h"

#include <exception>
#include <string>
#include <type_traits>

#include "adapter/journal_text.h"
#include "platform/on_exit.h"

namespace {

using ::JournalValue;

// The customer's phone or e-mail on its way in: passed on as it is, shown
// masked.
struct Personal {
  const std::string& text;
  operator const std::string&() const { return text; }
};

std::string JournalValue(const Personal& contact) { return JournalValue(Masked(contact.text)); }

// An argument on its way to TTarnvik, marked for the journal by its role.
template <ValueRole kRole, class Arg>
decltype(auto) Journaled(const Arg& arg) {
  if constexpr (kRole == ValueRole::Personal) {
    return Personal{arg};
  } else {
    return (arg);
  }
}

constexpr JournaledTarnvik::Out ShownAs(ValueRole role) {
  if (role == ValueRole::Personal) return JournaledTarnvik::Out::Masked;
  if (role == ValueRole::DateTime) return JournaledTarnvik::Out::Date;
  return JournaledTarnvik::Out::AsItIs;
}
std::string JournalValue(const Variant& value) { return JournalValue(value.Ref()); }

template <class... Args>
std::string ArgumentList(const Args&... args) {
  std::string list;
  bool first = true;
  ((list += (first ? "" : ", ") + JournalValue(args), first = false), ...);
  return list;
}

template <JournaledTarnvik::Out kOut, class Value>
std::string OutValue(const Value& value) {
  if constexpr (kOut == JournaledTarnvik::Out::Masked) {
    return JournalValue(Masked(value));
  } else if constexpr (kOut == JournaledTarnvik::Out::Date) {
    return DateText(value);
  } else {
    return JournalValue(value);
  }
}

}  // namespace

template <class Arguments, class Outcome>
void JournaledTarnvik::WriteOperation(const char* operation, Arguments arguments, Outcome outcome) noexcept {
  journal_.Write([&] {
    return journal_.Started() + " " + operation + "(" + arguments() + ")" + outcome() + ", ResultCode " +
           std::to_string(tarnvik_.GetResultCode()) + ", ResultText " + JournalValue(tarnvik_.GetResultText()) + ", " +
           DurationText(journal_.Milliseconds());
  });
}

template <JournaledTarnvik::Out kOut, class Result, class... Params, class... Args>
Result JournaledTarnvik::Logged(const char* operation, Result (TTarnvik::*method)(Params...), const Args&... args) {
  if (!tarnvik_.DebugMode()) return (tarnvik_.*method)(args...);
  journal_.Begin([&] { return tarnvik_.JournalFile(); });
  const OnExit end([&] { journal_.End(); });
  const auto arguments = [&] { return ArgumentList(args...); };
  try {
    if constexpr (std::is_void_v<Result>) {
      (tarnvik_.*method)(args...);
      WriteOperation(operation, arguments, [] { return std::string(); });
    } else {
      Result out = (tarnvik_.*method)(args...);
      WriteOperation(operation, arguments, [&] { return " -> " + OutValue<kOut>(out); });
      return out;
    }
  } catch (...) {
    WriteOperation(operation, arguments, [raised = std::current_exception()] { return " -> " + RaisedText(raised); });
    throw;
  }
}

// An operation the module refused before the register was asked: its line
// says so in place of the arguments, which were never passed on.
void JournaledTarnvik::Refused(const char* operation, const ComError& refusal) noexcept {
  if (!tarnvik_.DebugMode()) return;
  journal_.Begin([&] { return tarnvik_.JournalFile(); });
  WriteOperation(operation, [] { return std::string("refused by the module"); },
                 [&] { return " -> " + RaisedText(std::make_exception_ptr(refusal)); });
  journal_.End();
}

#define FISCAL_OPERATION(id, name, out, ...)                                           \
  DEVICE_OUT out JournaledTarnvik::name(DEVICE_PARAMETERS(__VA_ARGS__)) {              \
    return Logged<ShownAs(FISCAL_ROLE out)>(#name, &TTarnvik::name __VA_OPT__(, )      \
                                                FISCAL_EACH(JOURNAL_ARGUMENT, __VA_ARGS__)); \
  }
#define FISCAL_COMMAND(id, name, ...)                                                   \
  void JournaledTarnvik::name(DEVICE_PARAMETERS(__VA_ARGS__)) {                        \
    Logged(#name, &TTarnvik::name __VA_OPT__(, ) FISCAL_EACH(JOURNAL_ARGUMENT, __VA_ARGS__)); \
  }
#define JOURNAL_ARGUMENT(role, name) Journaled<ValueRole::role>(name)
#include "contract/operations.def"
