#include "tests/reliability/call_text.h"

#include "platform/codepage.h"

std::string CallText(std::string_view operation, std::initializer_list<Arg> args) {
  std::string text(operation);
  text += '(';
  bool first = true;
  for (const Arg& arg : args) {
    if (!first) text += ", ";
    first = false;
    Variant shown;
    if (SUCCEEDED(VariantChangeType(shown.Get(), &arg.value.Ref(), 0, VT_BSTR))) {
      text += AnsiToUtf8(shown.ToAnsi());
    } else {
      text += '?';
    }
  }
  return text + ')';
}
