#include "host/script_runner.h"

#include <string>

#include "host/output.h"
#include "platform/codepage.h"

namespace {

Variant ToVariant(const ScriptValue& value) {
  struct Converter {
    Variant operator()(int32_t integer) const { return Variant(static_cast<LONG>(integer)); }
    Variant operator()(double number) const { return Variant(number); }
    Variant operator()(bool flag) const { return Variant(flag); }
    Variant operator()(const std::string& utf8) const { return Variant::Text(Utf8ToAnsi(utf8)); }
  };
  return std::visit(Converter{}, value);
}

bool IsNonzeroResult(const Operation& operation, const VARIANT& out) {
  return operation.out == ValueKind::ResultCode && out.vt == VT_I4 && out.lVal != 0;
}

// After a nonzero result code the host reads the text that goes with it.
// Returns false when reading it failed.
bool AppendResultText(DeviceCaller& caller, std::string& line) {
  static const Operation& getResultText = *FindOperation(std::string_view("GetResultText"));
  const CallOutcome text = caller.Call(getResultText, {});
  if (FAILED(text.status)) {
    line += " (GetResultText " + FormatFailure(text.status, text.message) + ")";
    return false;
  }
  const std::string utf8 = AnsiToUtf8(text.out.ToAnsi());
  if (!utf8.empty()) line += " (" + EscapeText(utf8, false) + ")";
  return true;
}

bool RunCall(const ScriptCall& call, DeviceCaller& caller, std::ostream& out) {
  std::vector<Variant> owned;
  std::vector<VARIANT> arguments;
  for (const ScriptValue& value : call.arguments) owned.push_back(ToVariant(value));
  for (const Variant& value : owned) arguments.push_back(value.Ref());

  const Operation& operation = *call.operation;
  const CallOutcome outcome = caller.Call(operation, arguments);
  std::string line = FormatCall(call);
  bool succeeded = SUCCEEDED(outcome.status);
  if (!succeeded) {
    line += " -> " + FormatFailure(outcome.status, outcome.message);
  } else if (operation.out != ValueKind::None) {
    line += " -> " + FormatVariant(outcome.out.Ref());
    if (IsNonzeroResult(operation, outcome.out.Ref())) succeeded = AppendResultText(caller, line);
  }
  // Flushed line by line, so the output shows how far a script got even if
  // the module takes the process down.
  out << line << std::endl;
  return succeeded;
}

}  // namespace

bool RunScript(const std::vector<ScriptCall>& calls, DeviceCaller& caller, std::ostream& out) {
  bool allSucceeded = true;
  for (const ScriptCall& call : calls) allSucceeded = RunCall(call, caller, out) && allSucceeded;
  return allSucceeded;
}
