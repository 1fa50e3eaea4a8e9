#include <gtest/gtest.h>

#include "platform/ansi.h"
#include "platform/codepage.h"

namespace {

TEST(Codepage, EveryByteRoundTripsThroughUtf16AndUtf8) {
  std::string all;
  for (int byte = 0; byte < 256; ++byte) all += static_cast<char>(byte);
  const OleString wide = AnsiToUtf16(all);
  ASSERT_EQ(wide.size(), 256u);
  EXPECT_EQ(Utf16ToAnsi(wide), all);
  EXPECT_EQ(Utf8ToAnsi(AnsiToUtf8(all)), all);
}

TEST(Codepage, RussianAlphabetAndPrintersSigns) {
  const OleStringView upper = u"АБВГДЕЁЖЗИЙКЛМНОПРСТУФХЦЧШЩЪЫЬЭЮЯ";
  const OleStringView lower = u"абвгдеёжзийклмнопрстуфхцчшщъыьэюя";
  const std::string expectedUpper =
      "\xC0\xC1\xC2\xC3\xC4\xC5\xA8\xC6\xC7\xC8\xC9\xCA\xCB\xCC\xCD\xCE\xCF"
      "\xD0\xD1\xD2\xD3\xD4\xD5\xD6\xD7\xD8\xD9\xDA\xDB\xDC\xDD\xDE\xDF";
  const std::string expectedLower =
      "\xE0\xE1\xE2\xE3\xE4\xE5\xB8\xE6\xE7\xE8\xE9\xEA\xEB\xEC\xED\xEE\xEF"
      "\xF0\xF1\xF2\xF3\xF4\xF5\xF6\xF7\xF8\xF9\xFA\xFB\xFC\xFD\xFE\xFF";
  EXPECT_EQ(Utf16ToAnsi(upper), expectedUpper);
  EXPECT_EQ(Utf16ToAnsi(lower), expectedLower);
  EXPECT_EQ(Utf16ToAnsi(u"«Чек №5» — €"), "\xAB\xD7\xE5\xEA \xB9\x35\xBB \x97 \x88");
  EXPECT_EQ(std::string("Итого: «№»"_ansi), Utf16ToAnsi(u"Итого: «№»"));
  EXPECT_EQ(AnsiToUtf8("\xB8\xEB\xEA\xE0"), "ёлка");
  EXPECT_EQ(Utf8ToAnsi("Сдача №2"), "\xD1\xE4\xE0\xF7\xE0 \xB9\x32");
}

TEST(Codepage, CharactersWithoutACodeBecomeQuestionMarks) {
  EXPECT_EQ(Utf16ToAnsi(u"a\u00E9b\u4E2D"), "a?b?");
  EXPECT_EQ(Utf16ToAnsi(u"x\U0001F600y"), "x?y");  // one character in two units, one mark
  const OLECHAR broken[] = {u'a', 0xD800, u'b', 0xDC00, u'c', 0xD83D};
  EXPECT_EQ(Utf16ToAnsi(OleStringView(broken, 6)), "a?b?c?");

  EXPECT_EQ(Utf8ToAnsi("a\xFF"
                       "b"),
            "a?b");                      // not a UTF-8 byte
  EXPECT_EQ(Utf8ToAnsi("a\xD0"), "a?");  // cut short at the end
  EXPECT_EQ(Utf8ToAnsi("\xE2\x82"
                       "A"),
            "?A");                                 // cut short inside
  EXPECT_EQ(Utf8ToAnsi("\xC0\xAF"), "??");         // overlong form
  EXPECT_EQ(Utf8ToAnsi("\xED\xA0\x80"), "?");      // encoded surrogate
  EXPECT_EQ(Utf8ToAnsi("\xF0\x9F\x98\x80"), "?");  // valid, but no code in the page
  EXPECT_EQ(Utf8ToAnsi("\x80z"), "?z");            // stray continuation byte
}

}  // namespace
