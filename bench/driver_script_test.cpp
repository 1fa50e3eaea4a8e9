// The journal lines the adapter benchmark replays: a misread line would
// replay a different access, or the same one with a value of another type.
#include "bench/driver_script.h"

#include <gtest/gtest.h>

#include <stdexcept>

#include "platform/ansi.h"

namespace {

TEST(JournalLine, ReadsEachKindOfAccess) {
  EXPECT_EQ((DriverAccess{AccessKind::Get, "DeviceEnabled", "false"}), ParseJournalLine("get DeviceEnabled -> false"));
  EXPECT_EQ((DriverAccess{AccessKind::Call, "OpenCheck", "0"}), ParseJournalLine("call OpenCheck -> 0"));
  EXPECT_EQ((DriverAccess{AccessKind::Put, "Mode", "1"}), ParseJournalLine("put Mode = 1"));
  EXPECT_EQ((DriverAccess{AccessKind::Put, "Price", "10", true}), ParseJournalLine("put Price = &10"));
}

TEST(JournalLine, KeepsTextsWholeWhateverTheyHold) {
  // Texts may hold the journal's own separators and escaped quotes.
  EXPECT_EQ((DriverAccess{AccessKind::Put, "Name", R"("a = b -> raise \"x\"")", true}),
            ParseJournalLine(R"(put Name = &"a = b -> raise \"x\"")"));
  EXPECT_EQ((DriverAccess{AccessKind::Get, "ResultDescription", R"("Ошибок нет")"}),
            ParseJournalLine(R"(get ResultDescription -> "Ошибок нет")"));
}

TEST(JournalLine, RefusesWhatCannotBeReplayed) {
  EXPECT_FALSE(ParseJournalLine("put Summ = 10 -> raise"));
  EXPECT_FALSE(ParseJournalLine(R"(put Name = "x" -> raise)"));
  EXPECT_FALSE(ParseJournalLine("get EndItem -> raise"));
  EXPECT_FALSE(ParseJournalLine(R"(put Name = "unclosed)"));
  EXPECT_FALSE(ParseJournalLine("set Mode = 1"));
  EXPECT_FALSE(ParseJournalLine("get -> 0"));
  EXPECT_THROW(ParseJournal("put Mode = 1\ncall Beep -> raise\n"), std::runtime_error);
}

TEST(Journal, ReadsEveryLineInOrder) {
  const auto accesses = ParseJournal("put Mode = 1\nget SetMode -> 0\n\ncall ResetMode -> 0");
  ASSERT_EQ(3u, accesses.size());
  EXPECT_EQ("Mode", accesses[0].member);
  EXPECT_EQ("SetMode", accesses[1].member);
  EXPECT_EQ(AccessKind::Call, accesses[2].kind);
}

TEST(PutValue, TakesTheMembersOwnType) {
  // A whole price is written like an integer but goes to the driver as a double.
  Variant price = PutValue({AccessKind::Put, "Price", "10"});
  ASSERT_EQ(VT_R8, price.Type());
  EXPECT_EQ(10.0, price.ToDouble());

  Variant department = PutValue({AccessKind::Put, "Department", "3"});
  ASSERT_EQ(VT_I4, department.Type());
  EXPECT_EQ(3, department.ToInt());

  EXPECT_EQ(VT_BOOL, PutValue({AccessKind::Put, "DeviceEnabled", "true"}).Type());
  EXPECT_TRUE(PutValue({AccessKind::Put, "DeviceEnabled", "true"}).ToBool());

  // An attribute value is a number or a text, by what was written.
  EXPECT_EQ(VT_I4, PutValue({AccessKind::Put, "AttrValue", "8"}).Type());
  Variant contact = PutValue({AccessKind::Put, "AttrValue", R"("Хлеб \"Бородинский\"\r\n")"});
  ASSERT_EQ(VT_BSTR, contact.Type());
  EXPECT_EQ("Хлеб \"Бородинский\"\r\n"_ansi, contact.ToAnsi());
}

TEST(PutValue, RefusesWhatItCannotRead) {
  EXPECT_THROW(PutValue({AccessKind::Put, "NoSuchMember", "1"}), std::runtime_error);
  EXPECT_THROW(PutValue({AccessKind::Put, "Mode", "1.5"}), std::runtime_error);
  EXPECT_THROW(PutValue({AccessKind::Put, "Summ", "ten"}), std::runtime_error);
}

}  // namespace
