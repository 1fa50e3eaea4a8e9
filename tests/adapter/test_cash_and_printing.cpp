// Cash movements, X and Z reports and free printing on the register.
#include <functional>

#include "tests/adapter/register_fixture.h"

namespace {

using CashAndPrinting = RegisterTest;

const std::string kTestFault = "Ошибка, заданная для проверки";

TEST_F(CashAndPrinting, EachWorkSwitchesItsModeAndResetsIt) {
  EXPECT_EQ(0, Device().Int("CashIn", {100.0}));
  EXPECT_EQ(
      Joined({kConnecting,
              kSwitchingOn,
              {"put Mode = 1", "get SetMode -> 0", "put Summ = &100", "get CashIncome -> 0", "call ResetMode -> 0"},
              kSwitchingOffAndDisconnecting}),
      journal_.Take());

  EXPECT_EQ(0, Device().Int("Connect"));
  journal_.Take();
  const struct {
    std::function<LONG()> run;
    Lines work;
  } cases[] = {
      {[&] { return Device().Int("CashOut", {40.5}); },
       {"put Mode = 1", "get SetMode -> 0", "put Summ = &40.5", "get CashOutcome -> 0"}},
      {[&] { return Device().Int("XReport"); },
       {"put Mode = 2", "get SetMode -> 0", "put ReportType = 2", "get Report -> 0"}},
      {[&] { return Device().Int("ZReport"); },
       {"put Mode = 3", "get SetMode -> 0", "put ReportType = 1", "get Report -> 0"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.work.front());
    EXPECT_EQ(0, c.run());
    EXPECT_EQ(
        Joined(
            {kSwitchingOn, c.work, {"call ResetMode -> 0", "get DeviceEnabled -> true", "put DeviceEnabled = false"}}),
        journal_.Take());
  }
}

TEST_F(CashAndPrinting, DriverFailuresGiveTheirOwnCodesWithTheDriversText) {
  auto cashOut = [&] { return Device().Int("CashOut", {10.0}); };
  auto zReport = [&] { return Device().Int("ZReport"); };
  const struct {
    const char* member;
    const char* driverCode;
    std::function<LONG()> run;
    int code;
  } cases[] = {
      {"CashOutcome", "-3800", cashOut, 7},
      {"CashOutcome", "-1", cashOut, 1},
      {"Report", "-3828", zReport, 11},
      {"Report", "-5", zReport, 1},
      {"Report", "-5", [&] { return Device().Int("XReport"); }, 1},
      {"CashIncome", "-4", [&] { return Device().Int("CashIn", {10.0}); }, 1},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.member) + "=" + c.driverCode);
    Simulate("[Faults]\n" + std::string(c.member) + "=" + c.driverCode + "\n");
    EXPECT_EQ(c.code, c.run());
    EXPECT_EQ(c.code, Device().ResultCode());
    EXPECT_EQ("ResultCode: " + std::string(c.driverCode) + "\r\n" + kTestFault, Device().ResultText());
    const Lines seen = journal_.Take();
    EXPECT_EQ(1u, CountOf(seen, "call ResetMode -> 0"));
    EXPECT_EQ("get DeviceEnabled -> false", seen.back());
  }
}

TEST_F(CashAndPrinting, RefusedModeSkipsTheWorkButPutsEverythingBack) {
  Simulate("[Faults]\nSetMode=-12\n");
  EXPECT_EQ(3, Device().Int("CashIn", {100.0}));
  EXPECT_EQ("ResultCode: -12\r\n" + kTestFault, Device().ResultText());
  EXPECT_EQ(Joined({kConnecting,
                    kSwitchingOn,
                    {"put Mode = 1", "get SetMode -> -12", "get ResultCode -> -12",
                     "get ResultDescription -> \"" + kTestFault + "\""},
                    kSwitchingOffAndDisconnecting}),
            journal_.Take());
}

TEST_F(CashAndPrinting, FreePrinting) {
  EXPECT_EQ(0, Device().Int("Connect"));
  EXPECT_EQ(0, Device().Int("FeedLines", {0}));
  EXPECT_EQ(0, Device().Int("FeedLines", {-5}));
  journal_.Take();
  EXPECT_EQ(0, Device().Int("FeedLines", {3}));
  const Lines feed = journal_.Take();
  EXPECT_EQ(3u, CountOf(feed, "put Caption = \" \""));
  EXPECT_EQ(3u, CountOf(feed, "put Alignment = 1"));
  EXPECT_EQ(3u, CountOf(feed, "get PrintString -> 0"));

  EXPECT_EQ(0, Device().Int("PrintBarcode", {"4600000000000", 99}));
  EXPECT_EQ(Joined({kSwitchingOn,
                    {"put Barcode = \"4600000000000\"", "put BarcodeType = 2", "put AutoSize = true",
                     "put Alignment = 1", "put PrintBarcodeText = 2", "get PrintBarcode -> 0",
                     "get DeviceEnabled -> true", "put DeviceEnabled = false"}}),
            journal_.Take());
}

TEST_F(CashAndPrinting, UnprintedLinesAreFailures) {
  Simulate("[Faults]\nPrintString=-2\nPrintBarcode=-6\n");
  EXPECT_EQ(1, Device().Int("PrintText", {"Привет"}));
  EXPECT_EQ("ResultCode: -2\r\n" + kTestFault, Device().ResultText());
  EXPECT_EQ(1, Device().Int("FeedLines", {3}));  // stops at the first line
  EXPECT_EQ(2u, CountOf(journal_.Take(), "get PrintString -> -2"));
  EXPECT_EQ(1, Device().Int("PrintBarcode", {"4600000000000", 0}));
  EXPECT_EQ("ResultCode: -6\r\n" + kTestFault, Device().ResultText());
}

TEST_F(CashAndPrinting, RaisedErrorLeavesTheRegisterOnAndTheResultAsItWas) {
  Simulate("[Faults]\nPrintBarcode=-6\nPrintString=raise\nCashOutcome=raise\n");
  Fails("CashOut", {10.0});
  EXPECT_EQ("get CashOutcome -> raise", journal_.Take().back());
  EXPECT_EQ(0, Device().Int("Connect"));  // the connection the call opened is still open
  EXPECT_EQ(Lines{"get LoadDevicesSettings -> 0"}, journal_.Take());

  EXPECT_EQ(1, Device().Int("PrintBarcode", {"4600000000000", 0}));
  journal_.Take();
  Fails("PrintText", {"x"});
  EXPECT_EQ(1, Device().ResultCode());
  EXPECT_EQ(
      (Lines{"get DeviceEnabled -> true", "put Caption = \"x\"", "put Alignment = 1", "get PrintString -> raise"}),
      journal_.Take());
}

}  // namespace
