// The C runtime keeps a copy of the environment taken when it started,
// which SetEnvironmentVariable does not change; the system's own block is
// the one the process and its host share. It is read in UTF-16, so a value
// means the same whatever the ANSI code page.
#include "platform/environment.h"

#include "platform/codepage.h"

std::string EnvironmentVariable(const char* name) {
  const OleString wideName = AnsiToUtf16(name);
  OleString value;
  // Another thread may lengthen the value between the two calls: ask again.
  for (;;) {
    const DWORD size = static_cast<DWORD>(value.size());
    const DWORD length = GetEnvironmentVariableW(wideName.c_str(), value.data(), size);
    if (length < size || length == 0) {
      value.resize(length);
      return Utf16ToAnsi(value);
    }
    value.resize(length);  // the length asked for counts the closing zero
  }
}
