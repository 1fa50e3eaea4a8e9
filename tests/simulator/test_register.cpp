// The register's behaviour: documents on the tape, counters kept in the
// settings file, refusals where a real register refuses.
#include "tests/simulator/simulator_fixture.h"

namespace {

const std::string kRule(40, '-');

TEST_F(SimulatorTest, ClosedReceiptIsPrintedCountedAndRemembered) {
  AutomationObject driver = Create();
  SwitchOn(driver, 1);
  Put(driver, "CheckType", Long(1));
  driver.Call("OpenCheck");
  EXPECT_EQ(Int(driver, "CheckState"), 1);
  EXPECT_EQ(AddLine(driver, "Хлеб", 1.5, 10, 3), 0);
  PutText(driver, "Caption", "Акция недели");
  driver.Call("PrintString");
  EXPECT_EQ(AddLine(driver, "Молоко", 2, 45.5), 0);
  Put(driver, "AttrNumber", Long(1055));
  Put(driver, "AttrValue", Long(8));
  driver.Call("WriteAttribute");
  Put(driver, "AttrNumber", Long(1008));
  PutText(driver, "AttrValue", "+79001234567");
  driver.Call("WriteAttribute");
  EXPECT_EQ(Pay(driver, 100), 0);
  EXPECT_EQ(Pay(driver, 10, 1), 0);
  EXPECT_EQ(Int(driver, "CloseCheck"), 0);
  EXPECT_EQ(Int(driver, "CheckState"), 0);

  EXPECT_EQ(Tape(),
            "КАССОВЫЙ ЧЕК. ПРИХОД\n"
            "Хлеб\n"
            "  1.5 x 10.00 = 15.00\n"
            "  секция 3, предмет 1, способ расчета 4, налог 0\n"
            "Акция недели\n"
            "Молоко\n"
            "  2 x 45.50 = 91.00\n"
            "  секция 0, предмет 1, способ расчета 4, налог 2\n"
            "РЕКВИЗИТ 1008: +79001234567\n"
            "РЕКВИЗИТ 1055: 8\n"
            "ИТОГ: 106.00\n"
            "НАЛИЧНЫМИ: 100.00\n"
            "ЭЛЕКТРОННЫМИ: 10.00\n"
            "СДАЧА: 4.00\n"
            "ДОКУМЕНТ № 1, 2018-03-05 14:30:15\n" +
                kRule + "\n");
  // Only the cash part stays in the drawer: 100 paid in cash less 4 change.
  EXPECT_EQ(State("Cash"), "96");
  EXPECT_EQ(State("ShiftOpen"), "1");
  EXPECT_EQ(State("DocNumber"), "1");
  EXPECT_EQ(State("LastDocSum"), "106");
  EXPECT_EQ(State("LastDocDate"), "2018-03-05 14:30:15");

  // The next object finds the register's record of that document.
  AutomationObject later = Create();
  Put(later, "DeviceEnabled", Variant(true));
  Put(later, "RegisterNumber", Long(51));
  ASSERT_EQ(Int(later, "GetRegister"), 0);
  EXPECT_EQ(Int(later, "DocNumber"), 1);
  EXPECT_DOUBLE_EQ(later.Get("Summ").ToDouble(), 106);
  EXPECT_EQ(Int(later, "Year"), 2018);
  EXPECT_EQ(Int(later, "Month"), 3);
  EXPECT_EQ(Int(later, "Day"), 5);
  EXPECT_EQ(Int(later, "Hour"), 14);
  EXPECT_EQ(Int(later, "Minute"), 30);
  EXPECT_EQ(Int(later, "Second"), 15);
}

TEST_F(SimulatorTest, CashDocumentsReturnsAndReportsMoveTheDrawer) {
  AddSettings("Cash=50");
  AutomationObject driver = Create();
  SwitchOn(driver, 1);
  Put(driver, "Summ", Variant(30.0), true);
  EXPECT_EQ(Int(driver, "CashIncome"), 0);

  Put(driver, "Summ", Variant(80.01), true);
  EXPECT_EQ(Int(driver, "CashOutcome"), -3800);
  EXPECT_EQ(Int(driver, "ResultCode"), -3800);
  EXPECT_EQ(Text(driver, "ResultDescription"), "Выплачиваемая сумма больше суммы наличных в кассе");

  // A return paying out more than the drawer holds is refused; the receipt stays open.
  Put(driver, "CheckType", Long(2));
  driver.Call("OpenCheck");
  AddLine(driver, "Чайник", 1, 90);
  Pay(driver, 90);
  EXPECT_EQ(Int(driver, "CloseCheck"), -3800);
  EXPECT_EQ(Int(driver, "CheckState"), 2);
  EXPECT_EQ(Int(driver, "CancelCheck"), 0);
  EXPECT_EQ(Int(driver, "CheckState"), 0);

  Put(driver, "CheckType", Long(2));
  driver.Call("OpenCheck");
  AddLine(driver, "Кружка", 1, 20);
  Pay(driver, 20);
  EXPECT_EQ(Int(driver, "CloseCheck"), 0);

  Put(driver, "Mode", Long(3));
  ASSERT_EQ(Int(driver, "SetMode"), 0);
  Put(driver, "ReportType", Long(1));
  EXPECT_EQ(Int(driver, "Report"), 0);

  EXPECT_EQ(Tape(), "ВНЕСЕНИЕ: 30.00\nВ КАССЕ: 80.00\nДОКУМЕНТ № 1, 2018-03-05 14:30:15\n" + kRule +
                        "\n"
                        "КАССОВЫЙ ЧЕК. ВОЗВРАТ ПРИХОДА\nЧайник\n  1 x 90.00 = 90.00\n"
                        "  секция 0, предмет 1, способ расчета 4, налог 2\nЧЕК АННУЛИРОВАН\n" +
                        kRule +
                        "\n"
                        "КАССОВЫЙ ЧЕК. ВОЗВРАТ ПРИХОДА\nКружка\n  1 x 20.00 = 20.00\n"
                        "  секция 0, предмет 1, способ расчета 4, налог 2\nИТОГ: 20.00\nНАЛИЧНЫМИ: 20.00\n"
                        "СДАЧА: 0.00\nДОКУМЕНТ № 2, 2018-03-05 14:30:15\n" +
                        kRule +
                        "\n"
                        "ОТЧЕТ С ГАШЕНИЕМ\nСМЕНА ЗАКРЫТА\nВ КАССЕ: 60.00\nДОКУМЕНТ № 3, 2018-03-05 14:30:15\n" +
                        kRule + "\n");
  EXPECT_EQ(State("Cash"), "60");
  EXPECT_EQ(State("DocNumber"), "3");
  EXPECT_EQ(State("ShiftOpen"), "0");
}

TEST_F(SimulatorTest, RefusesWhatARealRegisterRefuses) {
  AutomationObject driver = Create();
  auto refusal = [&](std::string_view method) {
    long result = Int(driver, method);
    EXPECT_EQ(Int(driver, "ResultCode"), result);
    return result;
  };

  Put(driver, "Mode", Long(1));
  EXPECT_EQ(refusal("SetMode"), -16);
  EXPECT_EQ(Text(driver, "ResultDescription"), "Устройство не включено");
  Put(driver, "DeviceEnabled", Variant(true));
  Put(driver, "CheckType", Long(1));
  EXPECT_EQ(refusal("OpenCheck"), -3801);  // still in mode 0
  EXPECT_EQ(refusal("BeginItem"), -3805);  // no receipt open
  EXPECT_EQ(refusal("Payment"), -3805);
  ASSERT_EQ(refusal("SetMode"), 0);
  EXPECT_EQ(Text(driver, "ResultDescription"), "Ошибок нет");
  ASSERT_EQ(refusal("OpenCheck"), 0);
  EXPECT_EQ(refusal("OpenCheck"), -3804);
  Put(driver, "Summ", Variant(5.0));
  EXPECT_EQ(refusal("CashIncome"), -3804);  // not inside a receipt
  EXPECT_EQ(refusal("EndItem"), -3806);     // no line begun

  Put(driver, "Mode", Long(2));
  EXPECT_EQ(refusal("SetMode"), -3802);
  Put(driver, "Mode", Long(1));
  EXPECT_EQ(refusal("SetMode"), 0);  // keeping mode 1 is allowed
  EXPECT_EQ(refusal("ResetMode"), -3802);

  ASSERT_EQ(AddLine(driver, "Хлеб", 1, 10.5), 0);
  EXPECT_EQ(Pay(driver, 0), -3807);
  ASSERT_EQ(Pay(driver, 10), 0);
  EXPECT_EQ(refusal("CloseCheck"), -3808);  // 10.00 paid of 10.50
  ASSERT_EQ(Pay(driver, 11, 1), 0);
  EXPECT_EQ(refusal("CloseCheck"), -3809);  // change cannot come from a card
  EXPECT_EQ(refusal("CancelCheck"), 0);

  Put(driver, "ReportType", Long(2));
  EXPECT_EQ(refusal("Report"), -3801);  // X report needs mode 2
  Put(driver, "Mode", Long(2));
  ASSERT_EQ(refusal("SetMode"), 0);
  EXPECT_EQ(refusal("Report"), 0);
  Put(driver, "ReportType", Long(1));
  EXPECT_EQ(refusal("Report"), -3801);  // Z report needs mode 3
  Put(driver, "RegisterNumber", Long(50));
  EXPECT_EQ(refusal("GetRegister"), -3811);

  // Switched off again, the register refuses every document.
  Put(driver, "DeviceEnabled", Variant(false));
  EXPECT_EQ(refusal("Report"), -16);
  EXPECT_EQ(refusal("PrintString"), -16);
  EXPECT_EQ(Tape(),
            "КАССОВЫЙ ЧЕК. ПРИХОД\nХлеб\n  1 x 10.50 = 10.50\n"
            "  секция 0, предмет 1, способ расчета 4, налог 2\nЧЕК АННУЛИРОВАН\n" +
                kRule + "\nОТЧЕТ БЕЗ ГАШЕНИЯ\nСМЕНА: ЗАКРЫТА\nВ КАССЕ: 0.00\n2018-03-05 14:30:15\n" + kRule + "\n");
}

TEST_F(SimulatorTest, GetStatusReadsSensorsAndClock) {
  AddSettings("SerialNumber=№ 42\nCoverOpened=1\nControlPaperPresent=0");
  AutomationObject driver = Create();
  EXPECT_EQ(Text(driver, "SerialNumber"), "№ 42");
  EXPECT_EQ(Text(driver, "ROMVersion"), "3.0.8235");
  EXPECT_EQ(Text(driver, "Version"), "8.16.2.5");
  // Sensor values are those of the last GetStatus, and there has been none.
  EXPECT_FALSE(driver.Get("Fiscal").ToBool());

  Put(driver, "DeviceEnabled", Variant(true));
  ASSERT_EQ(Int(driver, "GetStatus"), 0);
  EXPECT_TRUE(driver.Get("Fiscal").ToBool());
  EXPECT_TRUE(driver.Get("Is54FZ").ToBool());
  EXPECT_TRUE(driver.Get("CheckPaperPresent").ToBool());
  EXPECT_FALSE(driver.Get("ControlPaperPresent").ToBool());
  EXPECT_TRUE(driver.Get("CoverOpened").ToBool());
  EXPECT_EQ(Int(driver, "Day"), 5);
  EXPECT_EQ(Int(driver, "Month"), 3);
  EXPECT_EQ(Int(driver, "Year"), 2018);
  EXPECT_EQ(Int(driver, "Hour"), 14);
  EXPECT_EQ(Int(driver, "Minute"), 30);
  EXPECT_EQ(Int(driver, "Second"), 15);
}

TEST_F(SimulatorTest, RegisterWithoutDocumentsGivesAnEmptyRecord) {
  AutomationObject driver = Create();
  Put(driver, "DeviceEnabled", Variant(true));
  Put(driver, "RegisterNumber", Long(51));
  ASSERT_EQ(Int(driver, "GetRegister"), 0);
  EXPECT_EQ(Int(driver, "DocNumber"), 0);
  EXPECT_EQ(Int(driver, "Month"), 0);
  EXPECT_EQ(Int(driver, "Day"), 0);
}

}  // namespace
