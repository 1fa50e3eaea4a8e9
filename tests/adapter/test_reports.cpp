// The register's reports about itself and the record of its last document.
#include "platform/clock.h"
#include "tests/adapter/register_fixture.h"

namespace {

using Reports = RegisterTest;

TEST_F(Reports, StatusReportReadsTheRegisterInOrder) {
  Simulate("[State]\nSerialNumber=123\nROMVersion=3\nClock=2018-03-05 14:30:15\n");
  EXPECT_EQ(0, Device().Int("GetDeviceStatus"));
  EXPECT_EQ(
      "№ 123, версия: 3, Фиск\r\nПоддержка 54ФЗ: Да\r\nДата: 05/03/2018, время: 14:30:15\r\nБумага: есть\r\n"
      "Крышка принтера: закрыта",
      Device().ResultText());
  EXPECT_EQ(Joined({kConnecting,
                    kSwitchingOn,
                    {"call GetStatus -> 0", "get ROMVersion -> \"3\"", "get SerialNumber -> \"123\"",
                     "get CheckPaperPresent -> true", "get ControlPaperPresent -> true", "get Fiscal -> true",
                     "get Is54FZ -> true", "get Day -> 5", "get Month -> 3", "get Year -> 2018", "get Hour -> 14",
                     "get Minute -> 30", "get Second -> 15", "get CoverOpened -> false", "call Beep -> 0"},
                    kSwitchingOffAndDisconnecting}),
            journal_.Take());
}

TEST_F(Reports, StatusReportMarksWhatTheRegisterLacks) {
  Simulate(
      "[State]\nSerialNumber=\nFiscal=0\nIs54FZ=0\nCheckPaperPresent=0\nControlPaperPresent=1\nCoverOpened=1\n"
      "Clock=2018-03-05 09:07:00\n");
  EXPECT_EQ(0, Device().Int("GetDeviceStatus"));
  EXPECT_EQ(
      "№ ???, версия: 3.0.8235, НЕ ФИСК\r\nПоддержка 54ФЗ: Нет\r\nДата: 05/03/2018, время: 9:07:??\r\n"
      "Бумага: датчик ЧЛ: НЕТ, датчик КЛ: есть\r\nКрышка принтера: открыта",
      Device().ResultText());

  Simulate("[State]\nCheckPaperPresent=1\nControlPaperPresent=0\nClock=2018-12-31 00:00:00\n");
  EXPECT_EQ(0, Device().Int("GetDeviceStatus"));
  const std::string report = Device().ResultText();
  EXPECT_NE(std::string::npos, report.find("Дата: 31/12/2018, время: ??:??:??\r\n"));
  EXPECT_NE(std::string::npos, report.find("\r\nБумага: датчик ЧЛ: есть, датчик КЛ: НЕТ\r\n"));

  Simulate("[State]\nCheckPaperPresent=0\nControlPaperPresent=0\n");
  EXPECT_EQ(0, Device().Int("GetDeviceStatus"));
  EXPECT_NE(std::string::npos, Device().ResultText().find("\r\nБумага: НЕТ\r\n"));
}

TEST_F(Reports, IdentificationAndSerialNumber) {
  Simulate("[State]\nSerialNumber=\nVersion=\nIs54FZ=0\n");
  EXPECT_EQ(0, Device().Int("TestConnection"));
  EXPECT_EQ("№ ???, версия: 3.0.8235, Фиск\r\nПоддержка 54ФЗ: Нет\r\nВерсия драйвера: ???", Device().ResultText());
  const Lines seen = journal_.Take();
  EXPECT_EQ((Lines{"call GetStatus -> 0", "get ROMVersion -> \"3.0.8235\"", "get SerialNumber -> \"\"",
                   "get Version -> \"\"", "get Fiscal -> true", "get Is54FZ -> false", "call Beep -> 0"}),
            Lines(seen.begin() + 6, seen.end() - 3));

  // No "???" here, and the report stays in the result text.
  EXPECT_EQ("", Device().Text("GetSerialNumber"));
  EXPECT_EQ(0, Device().ResultCode());
  EXPECT_NE(std::string::npos, Device().ResultText().find("Версия драйвера"));
}

TEST_F(Reports, RaisedErrorLeavesNoReportAndTheRegisterOn) {
  Simulate("[Faults]\nMinute=raise\n");
  EXPECT_EQ(0, Device().Int("Connect"));
  Fails("GetDeviceStatus");
  EXPECT_EQ("", Device().ResultText());
  const Lines seen = journal_.Take();
  EXPECT_EQ("get Minute -> raise", seen.back());
  EXPECT_EQ(1u, CountOf(seen, "put DeviceEnabled = true"));
}

TEST_F(Reports, LastDocumentComesFromRegister51) {
  Simulate("[State]\nDocNumber=17\nLastDocSum=150.5\nLastDocDate=2018-03-04 10:20:30\n");
  EXPECT_EQ(0, Device().Int("Connect"));
  journal_.Take();
  EXPECT_EQ(17, Device().Int("GetLastDocNumber"));
  EXPECT_EQ(Joined({kSwitchingOn,
                    {"put RegisterNumber = 51", "get GetRegister -> 0", "get DocNumber -> 17",
                     "get DeviceEnabled -> true", "put DeviceEnabled = false"}}),
            journal_.Take());
  EXPECT_EQ(150.5, Device().Number("GetLastDocSum"));
  // Seconds are dropped: the register's record is read to the minute.
  EXPECT_EQ(EncodeDateTime(2018, 3, 4, 10, 20, 0), Device().Number("GetLastDocDateTime"));
  EXPECT_EQ(0, Device().ResultCode());
}

TEST_F(Reports, LastDocumentWithoutDateIsNow) {
  Simulate("[State]\nLastDocDate=\n");
  EXPECT_EQ(0, Device().Int("Connect"));
  EXPECT_EQ(EncodeDateTime(2018, 3, 5, 14, 30, 15), Device().Number("GetLastDocDateTime"));
  EXPECT_EQ(0, Device().ResultCode());
}

TEST_F(Reports, FailedOrRaisedRegisterReadSwitchesTheRegisterOffAgain) {
  Simulate("[Faults]\nGetRegister=-9\n");
  EXPECT_EQ(0, Device().Int("Connect"));
  EXPECT_EQ(0, Device().Int("GetLastDocNumber"));
  EXPECT_EQ(1, Device().ResultCode());
  EXPECT_EQ("ResultCode: -9\r\nОшибка, заданная для проверки", Device().ResultText());
  EXPECT_EQ("put DeviceEnabled = false", journal_.Take().back());

  Simulate("[Faults]\nYear=raise\n");
  Device().Call("Disconnect");
  EXPECT_EQ(0, Device().Int("Connect"));
  EXPECT_EQ(0, Device().Int("GetLastDocNumber"));
  EXPECT_EQ("", Device().ResultText());  // a good read clears the old error
  Fails("GetLastDocDateTime");
  EXPECT_EQ("put DeviceEnabled = false", journal_.Take().back());
}

}  // namespace
