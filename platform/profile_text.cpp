#include "platform/profile_text.h"

#include <vector>

#include "platform/ascii.h"

namespace {

constexpr std::string_view kBlanks = " \t";

std::string_view Trim(std::string_view text) {
  const std::size_t first = text.find_first_not_of(kBlanks);
  if (first == std::string_view::npos) return {};
  return text.substr(first, text.find_last_not_of(kBlanks) - first + 1);
}

// A line break in a name or value must not start a line of its own (and so
// add or change another key): each CR and LF becomes a blank.
std::string OneLine(std::string_view text) {
  std::string out(text);
  for (char& c : out) {
    if (c == '\r' || c == '\n') c = ' ';
  }
  return out;
}

// The value as stored: one line, and quoted where reading would otherwise
// trim its edge blanks or strip its own quotes.
std::string StoredValue(std::string_view value) {
  const std::string line = OneLine(value);
  const bool edgeBlank = !line.empty() && (kBlanks.find(line.front()) != std::string_view::npos ||
                                           kBlanks.find(line.back()) != std::string_view::npos);
  const bool quoted = line.size() >= 2 && (line.front() == '"' || line.front() == '\'') && line.back() == line.front();
  return edgeBlank || quoted ? '"' + line + '"' : line;
}

// One line of the file: its text and its own line end ("\r\n", "\n", "\r",
// or nothing on a last line without one), so untouched lines are written
// back exactly as they were.
struct Line {
  std::string_view text;
  std::string_view end;
};

// A bare CR ends a line too, as the Windows profile functions read it;
// otherwise a key written after such a line would change its value.
std::vector<Line> SplitLines(std::string_view bytes) {
  std::vector<Line> lines;
  while (!bytes.empty()) {
    std::size_t end = bytes.find_first_of("\r\n");
    const std::size_t endLength = end == std::string_view::npos ? 0 : bytes.substr(end).starts_with("\r\n") ? 2 : 1;
    if (end == std::string_view::npos) end = bytes.size();
    lines.push_back({bytes.substr(0, end), bytes.substr(end, endLength)});
    bytes.remove_prefix(end + endLength);
  }
  return lines;
}

// New lines follow the style of the file's first line end.
std::string_view LineEndOf(const std::vector<Line>& lines) {
  for (const Line& line : lines) {
    if (!line.end.empty()) return line.end;
  }
  return "\n";
}

enum class LineKind { kBlank, kComment, kSection, kKey, kOther };

struct ParsedLine {
  LineKind kind;
  std::string_view name;
  std::string_view value;
};

ParsedLine Parse(std::string_view text) {
  const std::string_view t = Trim(text);
  if (t.empty()) return {LineKind::kBlank, {}, {}};
  if (t.front() == ';') return {LineKind::kComment, {}, {}};
  if (t.front() == '[') {
    const std::string_view inner = t.substr(1);
    return {LineKind::kSection, Trim(inner.substr(0, inner.find(']'))), {}};
  }
  const std::size_t eq = t.find('=');
  if (eq == std::string_view::npos) return {LineKind::kOther, {}, {}};
  std::string_view value = Trim(t.substr(eq + 1));
  // Single quotes are taken off as double ones are, as the Windows profile
  // functions do.
  if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front()) {
    value = value.substr(1, value.size() - 2);
  }
  return {LineKind::kKey, Trim(t.substr(0, eq)), value};
}

// Where a key is, or would go, in the first section of that name.
struct Place {
  std::optional<std::size_t> section;
  std::optional<std::size_t> key;
  std::string_view value;
  // The last line of the section that is neither blank nor a comment: a new
  // key goes after it, ahead of blank lines and comments that lead into the
  // next section.
  std::size_t lastEntry = 0;
};

Place Find(const std::vector<Line>& lines, std::string_view section, std::string_view key) {
  Place place;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    const ParsedLine line = Parse(lines[i].text);
    if (line.kind == LineKind::kSection) {
      if (place.section) break;
      if (SameAsciiName(line.name, Trim(section))) place.section = place.lastEntry = i;
      continue;
    }
    if (!place.section || line.kind == LineKind::kBlank || line.kind == LineKind::kComment) continue;
    place.lastEntry = i;
    if (line.kind == LineKind::kKey && SameAsciiName(line.name, Trim(key))) {
      place.key = i;
      place.value = line.value;
      break;
    }
  }
  return place;
}

// One key set in the text, the other lines kept as they were.
std::string WithValue(std::string_view bytes, std::string_view section, std::string_view key, std::string_view value) {
  const std::vector<Line> lines = SplitLines(bytes);
  const std::string_view eol = LineEndOf(lines);
  const std::string entry = OneLine(key) + "=" + StoredValue(value);
  const Place place = Find(lines, section, key);

  std::string out;
  out.reserve(bytes.size() + entry.size() + section.size() + 8);
  for (std::size_t i = 0; i < lines.size(); ++i) {
    if (place.key == i) {
      out.append(entry).append(lines[i].end);
      continue;
    }
    out.append(lines[i].text).append(lines[i].end);
    if (!place.key && place.section && place.lastEntry == i) {
      if (lines[i].end.empty()) out.append(eol);
      out.append(entry).append(eol);
    }
  }
  if (!place.section) {
    if (!out.empty() && out.back() != '\n') out.append(eol);
    out.append("[").append(OneLine(section)).append("]").append(eol).append(entry).append(eol);
  }
  return out;
}

}  // namespace

std::optional<std::string_view> FindProfileValue(std::string_view text, std::string_view section,
                                                 std::string_view key) {
  const Place place = Find(SplitLines(text), section, key);
  if (!place.key) return std::nullopt;
  return place.value;
}

std::string WithProfileValues(std::string_view text, std::string_view section, std::span<const ProfileEntry> entries) {
  std::string out(text);
  for (const ProfileEntry& entry : entries) out = WithValue(out, section, entry.key, entry.value);
  return out;
}

std::optional<std::string> WithoutProfileKey(std::string_view text, std::string_view section, std::string_view key) {
  const std::vector<Line> lines = SplitLines(text);
  const Place place = Find(lines, section, key);
  if (!place.key) return std::nullopt;
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < lines.size(); ++i) {
    if (place.key != i) out.append(lines[i].text).append(lines[i].end);
  }
  return out;
}
