// The conversions through the system's own code page tables. Best-fit
// mapping is turned off: a character that Windows-1251 lacks becomes '?',
// never a look-alike letter ('é' must not turn into 'e').
#include "platform/codepage.h"

#include <climits>
#include <new>

namespace {

constexpr UINT kAnsiCodePage = 1251;

int CheckedLength(std::size_t size) {
  if (size > INT_MAX) throw std::bad_alloc();
  return static_cast<int>(size);
}

std::string Narrow(UINT codePage, DWORD flags, const char* noCode, OleStringView text) {
  if (text.empty()) return {};
  const int length = CheckedLength(text.size());
  const int size = WideCharToMultiByte(codePage, flags, text.data(), length, nullptr, 0, noCode, nullptr);
  if (size <= 0) throw std::bad_alloc();
  std::string out(static_cast<std::size_t>(size), '\0');
  WideCharToMultiByte(codePage, flags, text.data(), length, out.data(), size, noCode, nullptr);
  return out;
}

OleString Widen(UINT codePage, std::string_view text) {
  if (text.empty()) return {};
  const int length = CheckedLength(text.size());
  const int size = MultiByteToWideChar(codePage, 0, text.data(), length, nullptr, 0);
  if (size <= 0) throw std::bad_alloc();
  OleString out(static_cast<std::size_t>(size), L'\0');
  MultiByteToWideChar(codePage, 0, text.data(), length, out.data(), size);
  return out;
}

// The system turns each unit of a surrogate pair into its own '?'; a pair
// is one character, so it becomes one unit without a code (U+FFFD) first.
OleString OneUnitPerCharacter(OleStringView text) {
  OleString out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    bool pair = IS_HIGH_SURROGATE(text[i]) && i + 1 < text.size() && IS_LOW_SURROGATE(text[i + 1]);
    out += pair ? L'\xFFFD' : text[i];
    if (pair) ++i;
  }
  return out;
}

}  // namespace

std::string Utf16ToAnsi(OleStringView text) {
  return Narrow(kAnsiCodePage, WC_NO_BEST_FIT_CHARS, "?", OneUnitPerCharacter(text));
}

OleString AnsiToUtf16(std::string_view text) { return Widen(kAnsiCodePage, text); }

// UTF-8 takes no flags and no default character; malformed input arrives
// as U+FFFD, which Windows-1251 then shows as '?'.
std::string AnsiToUtf8(std::string_view text) { return Narrow(CP_UTF8, 0, nullptr, AnsiToUtf16(text)); }

std::string Utf8ToAnsi(std::string_view text) { return Utf16ToAnsi(Widen(CP_UTF8, text)); }
