#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>

#include "platform/bstr.h"
#include "platform/guid.h"

namespace {

TEST(BstrBlock, HasTheSystemLayoutAndIsFreedByPlainFree) {
  const OLECHAR text[] = {u'A', u'\u0416', u'\0', u'z'};  // an embedded zero must survive
  BSTR b = SysAllocStringLen(text, 4);
  ASSERT_NE(b, nullptr);
  const auto* block = reinterpret_cast<const unsigned char*>(b) - 4;
  const unsigned char expected[] = {8, 0, 0, 0, 'A', 0, 0x16, 0x04, 0, 0, 'z', 0, 0, 0};
  EXPECT_EQ(std::memcmp(block, expected, sizeof expected), 0);
  EXPECT_EQ(SysStringLen(b), 4u);
  EXPECT_EQ(SysStringByteLen(b), 8u);
  std::free(reinterpret_cast<char*>(b) - 4);  // what another module's runtime does
}

TEST(BstrBlock, NullAndUninitialisedForms) {
  EXPECT_EQ(SysAllocString(nullptr), nullptr);
  EXPECT_EQ(SysStringLen(nullptr), 0u);
  SysFreeString(nullptr);

  BSTR zeroed = SysAllocStringLen(nullptr, 3);
  ASSERT_NE(zeroed, nullptr);
  for (int i = 0; i <= 3; ++i) EXPECT_EQ(zeroed[i], u'\0');
  SysFreeString(zeroed);

  BSTR counted = SysAllocString(u"abc");
  EXPECT_EQ(SysStringLen(counted), 3u);
  SysFreeString(counted);

  EXPECT_EQ(SysAllocStringLen(u"", 0x7FFFFFFF), nullptr);  // byte length would not fit the prefix
}

TEST(Bstr, OwnsMovesAndConvertsModuleText) {
  Bstr text = AnsiToBstr("\xCA\xE0\xF1\xF1\xE0 1");  // "Касса 1" in Windows-1251
  EXPECT_EQ(text.View(), u"Касса 1");
  EXPECT_EQ(BstrToAnsi(text.Get()), "\xCA\xE0\xF1\xF1\xE0 1");

  Bstr moved = std::move(text);
  EXPECT_EQ(text.Get(), nullptr);
  EXPECT_EQ(moved.View(), u"Касса 1");

  *moved.Put() = SysAllocString(u"new");  // Put frees what was held
  EXPECT_EQ(moved.View(), u"new");
  BSTR raw = moved.Detach();
  EXPECT_EQ(moved.Get(), nullptr);
  SysFreeString(raw);

  EXPECT_EQ(BstrView(nullptr), OleStringView());
  EXPECT_EQ(BstrToAnsi(nullptr), "");
  EXPECT_NE(AnsiToBstr("").Get(), nullptr);  // an empty text is still a string for the caller
}

TEST(Guid, RoundTripsThroughItsTextForm) {
  const GUID guid = {0xAEA0B6CF, 0x6838, 0x4C95, {0xAB, 0x22, 0xA2, 0xAA, 0x30, 0xE7, 0x3F, 0xB1}};
  EXPECT_EQ(GuidToString(guid), "{AEA0B6CF-6838-4C95-AB22-A2AA30E73FB1}");
  const auto upper = ParseGuid("{AEA0B6CF-6838-4C95-AB22-A2AA30E73FB1}");
  const auto lower = ParseGuid("{aea0b6cf-6838-4c95-ab22-a2aa30e73fb1}");
  ASSERT_TRUE(upper && lower);
  EXPECT_TRUE(SameGuid(*upper, guid));
  EXPECT_TRUE(SameGuid(*lower, guid));
  EXPECT_EQ(GuidToString(IID_IDispatch), "{00020400-0000-0000-C000-000000000046}");
}

TEST(Guid, RejectsAnythingButTheExactForm) {
  for (const char* text : {"AEA0B6CF-6838-4C95-AB22-A2AA30E73FB1", "{AEA0B6CF-6838-4C95-AB22-A2AA30E73FB1",
                           "{AEA0B6CF-6838-4C95-AB22A2AA30E73FB1 }", "{AEA0B6CF+6838-4C95-AB22-A2AA30E73FB1}",
                           "{AEA0B6CG-6838-4C95-AB22-A2AA30E73FB1}", "{AEA0B6CF-6838-4C95-AB22-A2AA30E73FB1}x", ""}) {
    EXPECT_FALSE(ParseGuid(text)) << text;
  }
}

}  // namespace
