// The doctor's table of messages: a message names the same values in
// both languages, so no translation drops a path or a package.
#include <gtest/gtest.h>

#include "host/doctor_findings.h"
#include "host/doctor_report.h"

namespace {

const std::vector<std::string> kValues{"<1>", "<2>", "<3>", "<4>"};

std::string ValuesNamed(const std::string& filled) {
  std::string named;
  for (const std::string& value : kValues) named += filled.find(value) != std::string::npos ? value : "";
  return named;
}

TEST(DoctorMessages, EveryMessageHasBothLanguagesNamingTheSameValues) {
  for (int i = 1; i < static_cast<int>(Message::Count); ++i) {
    const auto message = static_cast<Message>(i);
    const std::string russian = Fill(message, Language::Russian, kValues);
    const std::string english = Fill(message, Language::English, kValues);
    EXPECT_FALSE(russian.empty()) << i;
    EXPECT_FALSE(english.empty()) << i;
    EXPECT_EQ(ValuesNamed(russian), ValuesNamed(english)) << russian << " / " << english;
    EXPECT_EQ(std::string::npos, russian.find('%')) << russian;
    EXPECT_EQ(std::string::npos, english.find('%')) << english;
  }
}

TEST(DoctorMessages, AValueIsPutInAsItIsAndAMissingOneLeavesItsMark) {
  EXPECT_EQ("установите 100%1.msi", Fill(Message::InstallPackage, Language::Russian, {"100%1.msi"}));
  EXPECT_EQ("install %1", Fill(Message::InstallPackage, Language::English, {}));
}

TEST(DoctorReport, AProblemHasItsFixOnTheNextLineAndLinesOfAValueStayUnderIt) {
  const Findings findings{
      Problem({Message::WhatRegister}, {Message::OperationAnswerText, {"Connect", "4", "ResultCode: -1\r\nНет связи"}},
              {Message::CheckRegister}, 32),
      Ok({Message::WhatXhw}, {Message::XhwVersion, {"1.0.0"}}),
  };
  EXPECT_EQ(
      "[!!] Касса: Connect: код 4\n"
      "      ResultCode: -1\n"
      "      Нет связи\n"
      "     Что сделать: проверьте, что касса включена и подключена, и настройки драйвера (порт, скорость)\n"
      "[ок] xhw: версия 1.0.0\n",
      RenderFindings(findings, Language::Russian));
  EXPECT_EQ("\xEF\xBB\xBF" "a\r\nb\r\n", ReportFileBytes("a\nb\n"));
  EXPECT_FALSE(HostCanWork(findings, 32));
  EXPECT_TRUE(HostCanWork(findings, 64));
}

}  // namespace
