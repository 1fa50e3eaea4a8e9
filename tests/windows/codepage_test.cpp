// The system's Windows-1251 tables against the one the sources are
// compiled with (cp1251.h): both must give the same bytes, or texts would
// change between the platforms and between compile time and run time.
#include "platform/codepage.h"

#include <gtest/gtest.h>

#include "platform/cp1251.h"

namespace {

TEST(WindowsCodePage, EveryByteMapsAsTheCompiledTable) {
  std::string all;
  for (int byte = 0; byte < 256; ++byte) all += static_cast<char>(byte);
  OleString wide = AnsiToUtf16(all);
  ASSERT_EQ(256u, wide.size());
  for (int byte = 0; byte < 256; ++byte) {
    EXPECT_EQ(static_cast<unsigned>(cp1251::ToUnicode(static_cast<unsigned char>(byte))),
              static_cast<unsigned>(wide[byte]))
        << "byte " << byte;
  }
  EXPECT_EQ(all, Utf16ToAnsi(wide));
}

// With the system's best-fit mapping left on, 'é' would come out as 'e'
// and '∞' as '8' instead of '?'.
TEST(WindowsCodePage, EveryOtherCharacterBecomesOneQuestionMark) {
  for (unsigned code = 0x80; code < 0x10000; ++code) {
    if (code >= 0xD800 && code <= 0xDFFF) continue;
    const int expected = cp1251::FromUnicode(static_cast<char32_t>(code));
    const wchar_t unit = static_cast<wchar_t>(code);
    const std::string got = Utf16ToAnsi(OleStringView(&unit, 1));
    ASSERT_EQ(expected < 0 ? std::string("?") : std::string(1, static_cast<char>(expected)), got)
        << "U+" << std::hex << code;
  }
}

TEST(WindowsCodePage, SurrogatesAndZerosKeepTheTextInStep) {
  // A pair is one character beyond the code page; a lone half is broken.
  EXPECT_EQ("a?b", Utf16ToAnsi(L"a\xD83D\xDE00"
                               L"b"));
  EXPECT_EQ("?x?", Utf16ToAnsi(L"\xD800x\xDC00"));
  EXPECT_EQ(std::string("a\0b", 3), Utf16ToAnsi(OleStringView(L"a\0b", 3)));
  EXPECT_EQ(OleString(L"a\0b", 3), AnsiToUtf16(std::string_view("a\0b", 3)));
  EXPECT_EQ("", Utf16ToAnsi(L""));
}

TEST(WindowsCodePage, Utf8RoundTripAndMalformedInput) {
  const std::string utf8 = "Сдача: 5 ₽ № 7";
  const std::string ansi = Utf8ToAnsi(utf8);
  EXPECT_EQ("\xD1\xE4\xE0\xF7\xE0: 5 ? \xB9 7", ansi);
  EXPECT_EQ("Сдача: 5 ? № 7", AnsiToUtf8(ansi));
  // A broken sequence is replaced, never dropped silently or read past.
  const std::string broken = Utf8ToAnsi(
      "a\xC3"
      "b\xFF");
  EXPECT_EQ('a', broken.front());
  EXPECT_NE(std::string::npos, broken.find('b'));
  EXPECT_NE(std::string::npos, broken.find('?'));
}

}  // namespace
