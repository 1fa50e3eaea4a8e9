#include <gtest/gtest.h>

#include "host/script.h"

namespace {

std::vector<std::string> Messages(const ParsedScript& script) {
  std::vector<std::string> messages;
  for (const ScriptError& error : script.errors) messages.push_back(std::to_string(error.line) + ": " + error.message);
  return messages;
}

// The one error of a one-line script.
std::string ErrorOf(std::string_view line) {
  ParsedScript script = ParseScript(line);
  EXPECT_TRUE(script.calls.empty()) << line;
  return script.errors.size() == 1 ? script.errors[0].message : "(" + std::to_string(script.errors.size()) + " errors)";
}

ScriptCall OnlyCall(std::string_view line) {
  ParsedScript script = ParseScript(line);
  EXPECT_TRUE(script.errors.empty()) << (script.errors.empty() ? "" : script.errors[0].message);
  return script.calls.size() == 1 ? script.calls[0] : ScriptCall{0, nullptr, {}};
}

}  // namespace

TEST(ScriptGrammar, CommentsBlankLinesAndLineEndsAreSkippedAndLinesKeepTheirNumbers) {
  ParsedScript script = ParseScript(
      "\xEF\xBB\xBF# a whole-line comment\r\n"
      "\r\n"
      "   \t\n"
      "connect   # trailing comment\r\n"
      "PrintText \"# not a comment\"#comment right after the text\n"
      "FeedLines 3#no blank needed before a comment");
  ASSERT_TRUE(script.errors.empty()) << script.errors[0].message;
  ASSERT_EQ(3u, script.calls.size());
  EXPECT_EQ("Connect", script.calls[0].operation->name);
  EXPECT_EQ(4, script.calls[0].line);
  EXPECT_EQ(ScriptValue(std::string("# not a comment")), script.calls[1].arguments[0]);
  EXPECT_EQ(5, script.calls[1].line);
  EXPECT_EQ(ScriptValue(int32_t{3}), script.calls[2].arguments[0]);
  EXPECT_EQ(6, script.calls[2].line);
}

TEST(ScriptGrammar, ArgumentsTakeTheKindOfTheirParameter) {
  ScriptCall sale = OnlyCall("SaleItem 1 \"Хлеб\" 2 45.5 -1 +4 3");
  ASSERT_EQ(7u, sale.arguments.size());
  EXPECT_EQ(ScriptValue(int32_t{1}), sale.arguments[0]);
  EXPECT_EQ(ScriptValue(std::string("Хлеб")), sale.arguments[1]);
  // An integer written where a number is due is a number.
  EXPECT_EQ(ScriptValue(2.0), sale.arguments[2]);
  EXPECT_EQ(ScriptValue(45.5), sale.arguments[3]);
  EXPECT_EQ(ScriptValue(int32_t{-1}), sale.arguments[4]);
  EXPECT_EQ(ScriptValue(int32_t{4}), sale.arguments[5]);

  EXPECT_EQ(ScriptValue(int32_t{7}), OnlyCall("SetParamValue 0 7").arguments[1]);
  EXPECT_EQ(ScriptValue(std::string("7")), OnlyCall("SetParamValue 0 \"7\"").arguments[1]);
  EXPECT_EQ(ScriptValue(true), OnlyCall("SetParamValue 1 true").arguments[1]);
  EXPECT_EQ(ScriptValue(false), OnlyCall("SetParamValue 1 false").arguments[1]);
}

TEST(ScriptGrammar, IntegersStayWithin32Bits) {
  EXPECT_EQ(ScriptValue(int32_t{2147483647}), OnlyCall("FeedLines 2147483647").arguments[0]);
  EXPECT_EQ(ScriptValue(int32_t{-2147483647 - 1}), OnlyCall("FeedLines -2147483648").arguments[0]);
  EXPECT_EQ("FeedLines: argument 1 (2147483648) is out of the 32-bit integer range", ErrorOf("FeedLines 2147483648"));
  EXPECT_EQ("SetParamValue: argument 2 (-2147483649) is out of the 32-bit integer range",
            ErrorOf("SetParamValue 0 -2147483649"));
  // A number parameter takes a large integer as it is.
  EXPECT_EQ(ScriptValue(1e10), OnlyCall("CashIn 10000000000").arguments[0]);
  EXPECT_EQ("CashIn: argument 1 (1" + std::string(400, '0') + ".5) is out of range",
            ErrorOf("CashIn 1" + std::string(400, '0') + ".5"));
}

TEST(ScriptGrammar, TextEscapesAreDecoded) {
  EXPECT_EQ(ScriptValue(std::string("say \"hi\" \\ now\r\n\tend")),
            OnlyCall(R"(PrintText "say \"hi\" \\ now\r\n\tend")").arguments[0]);
  EXPECT_EQ(ScriptValue(std::string("")), OnlyCall(R"(PrintText "")").arguments[0]);
  EXPECT_EQ(ScriptValue(std::string("a  b")), OnlyCall(R"(PrintText "a  b")").arguments[0]);
}

TEST(ScriptGrammar, MalformedLinesAreRefusedWithAReason) {
  EXPECT_EQ("unterminated text: the closing quote is missing", ErrorOf(R"(PrintText "open)"));
  EXPECT_EQ("unterminated text: the closing quote is missing", ErrorOf(R"(PrintText "ends in a backslash\")"));
  EXPECT_EQ("unknown escape in a text (known: \\\" \\\\ \\n \\r \\t)", ErrorOf(R"(PrintText "C:\temp\x")"));
  EXPECT_EQ("arguments must be separated by blanks (near column 14)", ErrorOf(R"(PrintText "a"b)"));
  EXPECT_EQ("arguments must be separated by blanks (near column 12)", ErrorOf(R"(PrintText a"b")"));
  EXPECT_EQ("a line must start with an operation name", ErrorOf(R"("Connect")"));
  EXPECT_EQ("unknown operation \"Conect\"", ErrorOf("Conect"));
  EXPECT_EQ("a text is not valid UTF-8 (save the script as UTF-8)", ErrorOf("PrintText \"\xD5\xEB\xE5\xE1\""));
}

TEST(ScriptGrammar, ArgumentCountAndKindsAreChecked) {
  EXPECT_EQ("Connect takes no arguments, 1 given", ErrorOf("Connect 1"));
  EXPECT_EQ("FeedLines takes 1 argument, 0 given", ErrorOf("FeedLines"));
  EXPECT_EQ("SaleItem takes 7 arguments, 6 given", ErrorOf("SaleItem 1 \"x\" 1 1 1 1"));
  EXPECT_EQ("FeedLines: argument 1 must be an integer, not a decimal number", ErrorOf("FeedLines 2.0"));
  EXPECT_EQ("FeedLines: argument 1 must be an integer, not true/false", ErrorOf("FeedLines true"));
  EXPECT_EQ("CashIn: argument 1 must be a number, not a text", ErrorOf("CashIn \"5\""));
  EXPECT_EQ("PrintText: argument 1 must be a text, not an integer", ErrorOf("PrintText 5"));
  EXPECT_EQ("SetParamValue: argument 2 must be an integer, a text or true/false, not a decimal number",
            ErrorOf("SetParamValue 0 1.5"));
  for (const char* number : {"1,5", "1.", ".5", "1e3", "--1", "TRUE", "five", "0x10"}) {
    EXPECT_EQ(std::string("CashIn: argument 1 (") + number + ") is malformed; a number is expected",
              ErrorOf(std::string("CashIn ") + number));
  }
}

TEST(ScriptGrammar, EveryBadLineAndEveryBadArgumentIsReported) {
  ParsedScript script = ParseScript(
      "Connect\n"
      "SaleItem \"1\" 2 3 4 5 6 7\n"
      "PrintText \"fine\"\n"
      "Nope\n");
  EXPECT_EQ((std::vector<std::string>{"2: SaleItem: argument 1 must be an integer, not a text",
                                      "2: SaleItem: argument 2 must be a text, not an integer",
                                      "4: unknown operation \"Nope\""}),
            Messages(script));
}
