#include "simulator/replay_journal.h"

#include <cctype>
#include <charconv>
#include <cstdint>
#include <cstdio>

#include "platform/quoted_text.h"

namespace {

constexpr std::string_view kIndent = "  ";
constexpr std::string_view kRefusedArguments = "refused by the module";
// "2026-12-09 06:40:14.135 "
constexpr std::size_t kTimestampLength = 24;

// Reads one line from its left end; each Take consumes what it read.
class LineReader {
 public:
  LineReader(std::string_view text, int line) : rest_(text), line_(line) {}

  bool Take(std::string_view literal) {
    if (!rest_.starts_with(literal)) return false;
    rest_.remove_prefix(literal.size());
    return true;
  }
  void Expect(std::string_view literal) {
    if (!Take(literal)) Fail("\"" + std::string(literal) + "\" expected");
  }
  // A word of letters and digits (a member or operation name, a ProgID with dots).
  std::string Word() {
    std::size_t length = 0;
    while (length < rest_.size() && (std::isalnum(static_cast<unsigned char>(rest_[length])) || rest_[length] == '.'))
      ++length;
    if (length == 0) Fail("a name expected");
    return Cut(length);
  }
  // A quoted text with its quotes and escapes, as written.
  std::string Quoted() {
    if (rest_.empty() || rest_[0] != '"') Fail("a quoted text expected");
    for (std::size_t at = 1; at < rest_.size(); ++at) {
      if (rest_[at] == '\\') {
        ++at;
      } else if (rest_[at] == '"') {
        return Cut(at + 1);
      }
    }
    Fail("a text without its closing quote");
  }
  // A value: a quoted text, or the text up to `end` (any one of its
  // characters when `anyOf`).
  std::string Value(std::string_view end, bool anyOf = false) {
    if (!rest_.empty() && rest_[0] == '"') return Quoted();
    const std::size_t at = anyOf ? rest_.find_first_of(end) : rest_.find(end);
    const std::string value = Cut(at == std::string_view::npos ? rest_.size() : at);
    if (value.empty()) Fail("a value expected");
    return value;
  }
  // "raise 0x80004005 "text"", after "raise".
  RecordedRaise Raise() {
    RecordedRaise raised{E_FAIL, {}};
    if (Take(" 0x")) {
      const std::string hex = Cut(std::min<std::size_t>(8, rest_.size()));
      unsigned status = 0;
      if (std::from_chars(hex.data(), hex.data() + hex.size(), status, 16).ptr != hex.data() + hex.size() ||
          hex.size() != 8)
        Fail("a status of 8 hex digits expected");
      raised.status = static_cast<HRESULT>(status);
    }
    if (Take(" ")) raised.description = Unquoted(Quoted());
    return raised;
  }
  std::string_view Rest() const { return rest_; }
  bool AtEnd() const { return rest_.empty(); }
  [[noreturn]] void Fail(const std::string& why) const { throw JournalLineError(line_, why); }

  static std::string Unquoted(std::string_view quoted) {
    std::string text;
    for (std::size_t at = 1; at + 1 < quoted.size(); ++at) {
      char c = quoted[at];
      if (c == '\\') {
        c = quoted[++at];
        c = c == 'n' ? '\n' : c == 'r' ? '\r' : c;
      }
      text += c;
    }
    return text;
  }

 private:
  std::string Cut(std::size_t length) {
    std::string taken(rest_.substr(0, length));
    rest_.remove_prefix(length);
    return taken;
  }

  std::string_view rest_;
  int line_;
};

void CheckValue(const LineReader& reader, const std::string& text) {
  if (!JournalTextValue(text)) reader.Fail("a value the journal does not write: " + text);
}

RecordedAccess ReadAccess(std::string_view text, int line) {
  LineReader reader(text, line);
  RecordedAccess access{line, std::string(text), AccessVerb::Get, {}, {}, {}};
  if (reader.Take("create ")) {
    access.verb = AccessVerb::Create;
  } else if (reader.Take("get ")) {
    access.verb = AccessVerb::Get;
  } else if (reader.Take("call ")) {
    access.verb = AccessVerb::Call;
  } else if (reader.Take("put ")) {
    access.verb = AccessVerb::Put;
  } else {
    reader.Fail("a driver access (create, get, call, put) expected");
  }
  access.member = reader.Word();
  if (access.verb == AccessVerb::Put) {
    reader.Expect(" = ");
    const bool byReference = reader.Take("&");
    const std::string value = reader.Value(" -> ");
    CheckValue(reader, value);
    access.value = (byReference ? "&" : "") + value;
    if (reader.Take(" -> raise")) access.raised = reader.Raise();
  } else {
    reader.Expect(" -> ");
    if (reader.Take("raise")) {
      access.raised = reader.Raise();
    } else if (access.verb == AccessVerb::Create) {
      reader.Expect("ok");
    } else {
      access.value = reader.Value("\r");
      CheckValue(reader, access.value);
    }
  }
  if (!reader.AtEnd()) reader.Fail("unexpected text at the end: " + std::string(reader.Rest()));
  return access;
}

RecordedOperation ReadOperation(std::string_view text, int line) {
  if (text.size() < kTimestampLength || text[4] != '-' || text[10] != ' ' || text[kTimestampLength - 1] != ' ')
    throw JournalLineError(line, "neither an operation (it begins with the time) nor an indented driver access");
  LineReader reader(text.substr(kTimestampLength), line);
  RecordedOperation operation{line, reader.Word(), std::vector<std::string>{}, {}, {}, {}};
  reader.Expect("(");
  if (reader.Take(kRefusedArguments)) {
    operation.arguments.reset();
  } else if (!reader.Take(")")) {
    do {
      std::string value = reader.Value(",)", true);
      CheckValue(reader, value);
      operation.arguments->push_back(value);
    } while (reader.Take(", "));
    reader.Expect(")");
  }
  if (!operation.arguments) reader.Expect(")");
  if (reader.Take(" -> ")) {
    if (reader.Take("raise")) {
      operation.outcome = RaiseText(reader.Raise());
    } else {
      operation.outcome = reader.Value(", ResultCode ");
    }
  }
  reader.Expect(", ResultCode ");
  std::string code = reader.Value(",");
  reader.Expect(", ResultText ");
  std::string resultText = reader.Quoted();
  operation.result = "ResultCode " + code + ", ResultText " + resultText;
  reader.Expect(", ");
  if (!reader.Rest().ends_with(" ms")) reader.Fail("the duration expected at the end");
  return operation;
}

}  // namespace

std::optional<Variant> JournalTextValue(std::string_view text) {
  if (text == "empty") return Variant();
  if (text == "true" || text == "false") return Variant(text == "true");
  if (text.size() >= 2 && text.front() == '"' && text.back() == '"') return Variant::Text(LineReader::Unquoted(text));
  const char* end = text.data() + text.size();
  long long integer = 0;
  if (auto [at, error] = std::from_chars(text.data(), end, integer); error == std::errc() && at == end) {
    if (integer >= INT32_MIN && integer <= INT32_MAX) return Variant(static_cast<LONG>(integer));
  }
  double number = 0;
  if (auto [at, error] = std::from_chars(text.data(), end, number); error == std::errc() && at == end) {
    return Variant(number);
  }
  return std::nullopt;
}

std::string RaiseText(const RecordedRaise& raised) {
  char status[16];
  std::snprintf(status, sizeof status, "0x%08X", static_cast<unsigned>(raised.status));
  return std::string("raise ") + status + " " + QuotedText(raised.description);
}

RecordedJournal ReadRecordedJournal(std::string_view bytes) {
  RecordedJournal journal;
  std::vector<RecordedAccess> pending;
  int line = 0;
  for (std::size_t start = 0; start < bytes.size();) {
    ++line;
    std::size_t end = bytes.find('\n', start);
    // A last line without its line end was being written when the file was
    // taken: it belongs to an operation that did not finish.
    if (end == std::string_view::npos) {
      if (!journal.cutAt) journal.cutAt = pending.empty() ? line : pending.front().line;
      break;
    }
    std::string_view text = bytes.substr(start, end - start);
    start = end + 1;
    if (text.ends_with('\r')) text.remove_suffix(1);
    if (text.empty()) continue;
    if (text.starts_with(kIndent)) {
      pending.push_back(ReadAccess(text.substr(kIndent.size()), line));
      continue;
    }
    RecordedOperation operation = ReadOperation(text, line);
    operation.accesses = std::move(pending);
    pending.clear();
    journal.operations.push_back(std::move(operation));
  }
  if (!pending.empty() && !journal.cutAt) journal.cutAt = pending.front().line;
  return journal;
}
