#include "platform/windows/system_error.h"

#include <iterator>

#include "platform/codepage.h"
#include "platform/error.h"

HRESULT FailureStatus(DWORD code) { return code == ERROR_SUCCESS ? E_FAIL : HRESULT_FROM_WIN32(code); }

HRESULT LastErrorStatus() { return FailureStatus(GetLastError()); }

OleString SystemText(HRESULT status) {
  // Wide, so a Russian message arrives intact whatever the ANSI code page;
  // the width mask keeps it on one line.
  wchar_t text[512];
  DWORD length =
      FormatMessageW(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS | FORMAT_MESSAGE_MAX_WIDTH_MASK,
                     nullptr, static_cast<DWORD>(status), 0, text, static_cast<DWORD>(std::size(text)), nullptr);
  while (length > 0 && (text[length - 1] == L' ' || text[length - 1] == L'\r' || text[length - 1] == L'\n')) --length;
  if (length == 0) return AnsiToUtf16(StatusMessage(status));
  return OleString(text, length);
}

std::string SystemMessage(HRESULT status) { return Utf16ToAnsi(SystemText(status)); }
