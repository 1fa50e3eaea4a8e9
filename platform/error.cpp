#include "platform/error.h"

#include <cstdio>
#include <new>
#include <utility>

#include "platform/codepage.h"
#ifdef _WIN32
#include "platform/windows/error_info.h"
#else
#include "platform/linux/error_info.h"
#endif

ComError::ComError(HRESULT status, OleString message)
    : std::runtime_error(Utf16ToAnsi(message)), status_(status), wide_(std::move(message)) {}

OleString ComError::WideMessage() const { return wide_.empty() ? AnsiToUtf16(what()) : wide_; }

void CheckStatus(HRESULT status, const std::string& what) {
  if (FAILED(status))
    throw ComError(status, what.empty() ? StatusMessage(status) : what + ": " + StatusMessage(status));
}

std::string StatusMessage(HRESULT status) {
  struct Known {
    HRESULT status;
    const char* message;
  };
  static constexpr Known kMessages[] = {
      {S_OK, "The operation completed successfully."},
      {E_NOTIMPL, "Not implemented"},
      {E_NOINTERFACE, "No such interface supported"},
      {E_POINTER, "Invalid pointer"},
      {E_FAIL, "Unspecified error"},
      {E_UNEXPECTED, "Catastrophic failure"},
      {E_OUTOFMEMORY, "Not enough memory resources are available to complete this operation."},
      {E_INVALIDARG, "The parameter is incorrect."},
      {CLASS_E_NOAGGREGATION, "Class does not support aggregation (or class object is remote)"},
      {CLASS_E_CLASSNOTAVAILABLE, "ClassFactory cannot supply requested class"},
      {REGDB_E_CLASSNOTREG, "Class not registered"},
      {CO_E_CLASSSTRING, "Invalid class string"},
      {CO_E_DLLNOTFOUND, "DLL for class not found"},
      {DISP_E_UNKNOWNINTERFACE, "Unknown interface."},
      {DISP_E_MEMBERNOTFOUND, "Member not found."},
      {DISP_E_PARAMNOTFOUND, "Parameter not found."},
      {DISP_E_TYPEMISMATCH, "Type mismatch."},
      {DISP_E_UNKNOWNNAME, "Unknown name."},
      {DISP_E_NONAMEDARGS, "No named arguments."},
      {DISP_E_BADVARTYPE, "Bad variable type."},
      {DISP_E_EXCEPTION, "Exception occurred."},
      {DISP_E_OVERFLOW, "Out of present range."},
      {DISP_E_BADINDEX, "Invalid index."},
      {DISP_E_BADPARAMCOUNT, "Invalid number of parameters."},
      {DISP_E_PARAMNOTOPTIONAL, "Parameter not optional."},
      {SELFREG_E_CLASS, "Failed to register or unregister the class"},
  };
  for (const Known& known : kMessages) {
    if (known.status == status) return known.message;
  }
  char text[32];
  std::snprintf(text, sizeof text, "Error 0x%08X", static_cast<unsigned>(status));
  return text;
}

namespace {

template <class Description>
void SetErrorInfoOf(std::string_view source, const Description& description) noexcept {
  try {
    SetErrorInfo(0, MakeErrorInfo(AnsiToUtf16(source), description()).Get());
  } catch (...) {
    SetErrorInfo(0, nullptr);
  }
}

}  // namespace

void SetErrorMessage(std::string_view source, std::string_view description) noexcept {
  SetErrorInfoOf(source, [&] { return AnsiToUtf16(description); });
}

void SetErrorMessage(std::string_view source, const ComError& failure) noexcept {
  SetErrorInfoOf(source, [&] { return failure.WideMessage(); });
}
