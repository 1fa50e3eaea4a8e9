#include "bench/driver_script.h"

#include <charconv>
#include <stdexcept>

#include "platform/codepage.h"
#include "simulator/members.h"

namespace {

constexpr std::string_view kResultArrow = " -> ";
constexpr std::string_view kRaised = "raise";

bool Take(std::string_view& text, std::string_view prefix) {
  if (!text.starts_with(prefix)) return false;
  text.remove_prefix(prefix.size());
  return true;
}

// The text inside double quotes with its escapes undone; the rest of `text`
// stays behind. Nullopt when the quotes are not closed.
std::optional<std::string> TakeQuoted(std::string_view& text) {
  std::string out;
  for (size_t i = 1; i < text.size(); ++i) {
    char c = text[i];
    if (c == '"') {
      text.remove_prefix(i + 1);
      return out;
    }
    if (c == '\\' && i + 1 < text.size()) {
      c = text[++i];
      if (c == 'n') c = '\n';
      if (c == 'r') c = '\r';
    }
    out += c;
  }
  return std::nullopt;
}

// One value as the journal writes it; a quoted text keeps its quotes and
// escapes, so every form compares as text. Nullopt when there is no value
// or something follows it.
std::optional<std::string> TakeValue(std::string_view text) {
  if (text.empty()) return std::nullopt;
  if (text.front() == '"') {
    std::string_view rest = text;
    if (!TakeQuoted(rest) || !rest.empty()) return std::nullopt;
  } else if (text.find(' ') != std::string_view::npos) {
    return std::nullopt;
  }
  return std::string(text);
}

template <class Number>
Number ParseNumber(std::string_view text) {
  Number value{};
  auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size()) {
    throw std::runtime_error("not a number: " + std::string(text));
  }
  return value;
}

}  // namespace

std::optional<DriverAccess> ParseJournalLine(std::string_view line) {
  DriverAccess access{};
  if (Take(line, "get ")) {
    access.kind = AccessKind::Get;
  } else if (Take(line, "call ")) {
    access.kind = AccessKind::Call;
  } else if (Take(line, "put ")) {
    access.kind = AccessKind::Put;
  } else {
    return std::nullopt;
  }
  const std::string_view separator = access.kind == AccessKind::Put ? " = " : kResultArrow;
  const size_t nameEnd = line.find(separator);
  if (nameEnd == 0 || nameEnd == std::string_view::npos) return std::nullopt;
  access.member = line.substr(0, nameEnd);
  line.remove_prefix(nameEnd + separator.size());
  if (access.kind == AccessKind::Put) access.byReference = Take(line, "&");
  // A refused put carries " -> raise" after its value, which TakeValue
  // rejects; a refused get or call has "raise" for its value.
  auto value = TakeValue(line);
  if (!value || *value == kRaised) return std::nullopt;
  access.value = std::move(*value);
  return access;
}

std::vector<DriverAccess> ParseJournal(std::string_view text) {
  std::vector<DriverAccess> accesses;
  while (!text.empty()) {
    const size_t end = text.find('\n');
    const std::string_view line = text.substr(0, end);
    text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
    if (line.empty()) continue;
    auto access = ParseJournalLine(line);
    if (!access) throw std::runtime_error("cannot replay the journal line: " + std::string(line));
    accesses.push_back(std::move(*access));
  }
  return accesses;
}

Variant PutValue(const DriverAccess& access) {
  const auto member = FindMember(std::string_view(access.member));
  if (!member) throw std::runtime_error("no driver member " + access.member);
  std::string_view text = access.value;
  if (text.front() == '"') {
    // The journal holds UTF-8; the adapter hands the driver Windows-1251
    // texts widened, which is what this gives back.
    return Variant::Text(Utf8ToAnsi(*TakeQuoted(text)));
  }
  if (text == "true" || text == "false") return Variant(text == "true");
  if (text == "empty") return Variant();
  if (InfoOf(*member).type == ValueType::Float) return Variant(ParseNumber<double>(text));
  return Variant(ParseNumber<LONG>(text));
}
