// The Windows-1251 codec on any bytes and any UTF-16 units: every byte
// string survives the way to UTF-8 or UTF-16 and back, what comes out as
// UTF-8 is valid UTF-8, one character never becomes more than one byte, and
// converting once more changes nothing.
#include "platform/bstr.h"
#include "platform/codepage.h"
#include "tests/fuzz/fuzz_environment.h"

namespace {

// Every character of Windows-1251 lies below U+10000: one to three bytes.
bool ValidUtf8(std::string_view text) {
  for (std::size_t i = 0; i < text.size();) {
    const auto lead = static_cast<unsigned char>(text[i]);
    const std::size_t extra = lead < 0x80 ? 0 : lead >= 0xC2 && lead <= 0xDF ? 1 : lead >= 0xE0 && lead <= 0xEF ? 2 : 3;
    if (extra == 3 || text.size() - i <= extra) return extra == 0;
    for (std::size_t k = 1; k <= extra; ++k) {
      if ((static_cast<unsigned char>(text[i + k]) & 0xC0) != 0x80) return false;
    }
    const auto second = static_cast<unsigned char>(text[i + 1]);
    if ((lead == 0xE0 && second < 0xA0) || (lead == 0xED && second >= 0xA0)) return false;  // overlong, surrogate
    i += extra + 1;
  }
  return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string bytes(reinterpret_cast<const char*>(data), size);

  // Module text to interface text and back.
  const std::string utf8 = AnsiToUtf8(bytes);
  if (!ValidUtf8(utf8)) BrokenPromise("AnsiToUtf8 gave invalid UTF-8");
  if (Utf8ToAnsi(utf8) != bytes) BrokenPromise("a byte string did not survive the way to UTF-8 and back");
  const OleString utf16 = AnsiToUtf16(bytes);
  if (utf16.size() != bytes.size()) BrokenPromise("AnsiToUtf16 changed the number of characters");
  if (Utf16ToAnsi(utf16) != bytes) BrokenPromise("a byte string did not survive the way to UTF-16 and back");
  if (BstrToAnsi(AnsiToBstr(bytes).Get()) != bytes) BrokenPromise("a byte string did not survive a BSTR");

  // Any bytes as UTF-8, any units as UTF-16.
  const std::string fromUtf8 = Utf8ToAnsi(bytes);
  if (fromUtf8.size() > bytes.size()) BrokenPromise("Utf8ToAnsi made more characters than bytes");
  if (Utf8ToAnsi(AnsiToUtf8(fromUtf8)) != fromUtf8) BrokenPromise("Utf8ToAnsi is not stable");
  OleString units(size / 2, u'\0');
  for (std::size_t i = 0; i < units.size(); ++i) units[i] = static_cast<char16_t>(data[2 * i] | data[2 * i + 1] << 8);
  const std::string fromUtf16 = Utf16ToAnsi(units);
  if (fromUtf16.size() > units.size()) BrokenPromise("Utf16ToAnsi made more characters than units");
  if (Utf16ToAnsi(AnsiToUtf16(fromUtf16)) != fromUtf16) BrokenPromise("Utf16ToAnsi is not stable");
  return 0;
}
