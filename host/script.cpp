#include "host/script.h"

#include <algorithm>
#include <charconv>

#include "platform/utf8.h"

namespace {

constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";

bool IsBlank(char c) { return c == ' ' || c == '\t'; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// One blank-separated piece of a line: a quoted text (already unescaped) or
// a bare word such as a name, a number or true/false.
struct Token {
  bool quoted = false;
  std::string text;
};

struct LexedLine {
  std::vector<Token> tokens;
  std::string error;  // empty when the line could be split
};

// Reads the quoted text that starts at line[pos]; on success pos ends up
// just past the closing quote.
bool ReadQuoted(std::string_view line, size_t& pos, std::string& text, std::string& error) {
  for (size_t i = pos + 1; i < line.size(); ++i) {
    const char c = line[i];
    if (c == '"') {
      pos = i + 1;
      return true;
    }
    if (c != '\\') {
      text += c;
      continue;
    }
    if (++i == line.size()) break;
    switch (line[i]) {
      case '"':
      case '\\':
        text += line[i];
        break;
      case 'n':
        text += '\n';
        break;
      case 'r':
        text += '\r';
        break;
      case 't':
        text += '\t';
        break;
      default:
        error = "unknown escape in a text (known: \\\" \\\\ \\n \\r \\t)";
        return false;
    }
  }
  error = "unterminated text: the closing quote is missing";
  return false;
}

LexedLine Tokenize(std::string_view line) {
  LexedLine lexed;
  size_t pos = 0;
  for (;;) {
    while (pos < line.size() && IsBlank(line[pos])) ++pos;
    if (pos == line.size() || line[pos] == '#') return lexed;
    Token token;
    if (line[pos] == '"') {
      token.quoted = true;
      if (!ReadQuoted(line, pos, token.text, lexed.error)) return lexed;
      // Scripts written in a Windows editor are often saved in Windows-1251;
      // such a text would reach the device as question marks, so it is
      // refused instead.
      if (!IsUtf8(token.text)) {
        lexed.error = "a text is not valid UTF-8 (save the script as UTF-8)";
        return lexed;
      }
    } else {
      const size_t start = pos;
      while (pos < line.size() && !IsBlank(line[pos]) && line[pos] != '#' && line[pos] != '"') ++pos;
      token.text = line.substr(start, pos - start);
    }
    if (pos < line.size() && !IsBlank(line[pos]) && line[pos] != '#') {
      lexed.error = "arguments must be separated by blanks (near column " + std::to_string(pos + 1) + ")";
      return lexed;
    }
    lexed.tokens.push_back(std::move(token));
  }
}

// What a token looks like, before the parameter decides what it may be.
enum class Form { Text, Integer, Decimal, Boolean, Malformed };

Form FormOf(const Token& token) {
  if (token.quoted) return Form::Text;
  std::string_view word = token.text;
  if (word == "true" || word == "false") return Form::Boolean;
  if (!word.empty() && (word[0] == '-' || word[0] == '+')) word.remove_prefix(1);
  auto allDigits = [](std::string_view part) {
    return !part.empty() && std::all_of(part.begin(), part.end(), IsDigit);
  };
  const size_t point = word.find('.');
  if (point == std::string_view::npos) return allDigits(word) ? Form::Integer : Form::Malformed;
  return allDigits(word.substr(0, point)) && allDigits(word.substr(point + 1)) ? Form::Decimal : Form::Malformed;
}

const char* FormName(Form form) {
  switch (form) {
    case Form::Text:
      return "a text";
    case Form::Integer:
      return "an integer";
    case Form::Decimal:
      return "a decimal number";
    case Form::Boolean:
      return "true/false";
    case Form::Malformed:
      break;
  }
  return "malformed";
}

const char* KindName(ValueKind kind) {
  switch (kind) {
    case ValueKind::Integer:
    case ValueKind::ResultCode:
      return "an integer";
    case ValueKind::Number:
    case ValueKind::DateTime:
      return "a number";
    case ValueKind::Text:
      return "a text";
    case ValueKind::Variant:
      return "an integer, a text or true/false";
    case ValueKind::None:
      break;
  }
  return "nothing";
}

bool Accepts(ValueKind kind, Form form) {
  switch (kind) {
    case ValueKind::Integer:
    case ValueKind::ResultCode:
      return form == Form::Integer;
    case ValueKind::Number:
    case ValueKind::DateTime:
      return form == Form::Integer || form == Form::Decimal;
    case ValueKind::Text:
      return form == Form::Text;
    case ValueKind::Variant:
      return form == Form::Integer || form == Form::Text || form == Form::Boolean;
    case ValueKind::None:
      break;
  }
  return false;
}

// from_chars takes a leading minus but no plus.
std::string_view WithoutPlus(std::string_view word) { return word.starts_with('+') ? word.substr(1) : word; }

template <class Number>
bool ReadNumber(std::string_view word, Number& number) {
  word = WithoutPlus(word);
  auto [end, status] = std::from_chars(word.data(), word.data() + word.size(), number);
  return status == std::errc{} && end == word.data() + word.size();
}

// Turns a token into the value the parameter takes; the error text is empty
// on success.
std::string Convert(const Token& token, ValueKind kind, ScriptValue& value) {
  const Form form = FormOf(token);
  if (form == Form::Malformed) return "(" + token.text + ") is malformed; " + KindName(kind) + " is expected";
  if (!Accepts(kind, form)) return std::string("must be ") + KindName(kind) + ", not " + FormName(form);
  switch (form) {
    case Form::Text:
      value = token.text;
      return "";
    case Form::Boolean:
      value = token.text == "true";
      return "";
    case Form::Integer:
      if (kind == ValueKind::Integer || kind == ValueKind::ResultCode || kind == ValueKind::Variant) {
        int32_t integer = 0;
        if (!ReadNumber(token.text, integer)) return "(" + token.text + ") is out of the 32-bit integer range";
        value = integer;
        return "";
      }
      [[fallthrough]];
    case Form::Decimal: {
      double number = 0;
      if (!ReadNumber(token.text, number)) return "(" + token.text + ") is out of range";
      value = number;
      return "";
    }
    case Form::Malformed:
      break;
  }
  return "is malformed";
}

std::string ArgumentCount(size_t count) {
  if (count == 0) return "no arguments";
  return std::to_string(count) + (count == 1 ? " argument" : " arguments");
}

void ParseLine(std::string_view line, int number, ParsedScript& script) {
  LexedLine lexed = Tokenize(line);
  auto fail = [&](std::string message) { script.errors.push_back({number, std::move(message)}); };
  if (!lexed.error.empty()) return fail(lexed.error);
  if (lexed.tokens.empty()) return;

  const Token& name = lexed.tokens.front();
  if (name.quoted) return fail("a line must start with an operation name");
  const Operation* operation = FindOperation(std::string_view(name.text));
  if (!operation) return fail("unknown operation \"" + name.text + "\"");

  const std::string opName(operation->name);
  const size_t given = lexed.tokens.size() - 1;
  if (given != operation->arguments.size()) {
    return fail(opName + " takes " + ArgumentCount(operation->arguments.size()) + ", " + std::to_string(given) +
                " given");
  }

  ScriptCall call{number, operation, std::vector<ScriptValue>(given)};
  bool valid = true;
  for (size_t i = 0; i < given; ++i) {
    std::string error = Convert(lexed.tokens[i + 1], operation->arguments[i], call.arguments[i]);
    if (!error.empty()) {
      fail(opName + ": argument " + std::to_string(i + 1) + " " + error);
      valid = false;
    }
  }
  if (valid) script.calls.push_back(std::move(call));
}

}  // namespace

ParsedScript ParseScript(std::string_view text) {
  if (text.starts_with(kUtf8Bom)) text.remove_prefix(kUtf8Bom.size());
  ParsedScript script;
  int number = 0;
  while (!text.empty()) {
    const size_t end = text.find('\n');
    std::string_view line = text.substr(0, end);
    text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
    if (line.ends_with('\r')) line.remove_suffix(1);
    ParseLine(line, ++number, script);
  }
  return script;
}
