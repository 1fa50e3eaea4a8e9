#include "platform/profile_text.h"

namespace {
constexpr std::string_view kBlanks = " \t";
}  // namespace

std::string OneLine(std::string_view text) {
  std::string out(text);
  for (char& c : out) {
    if (c == '\r' || c == '\n') c = ' ';
  }
  return out;
}

std::string StoredValue(std::string_view value) {
  std::string line = OneLine(value);
  bool edgeBlank = !line.empty() && (kBlanks.find(line.front()) != std::string_view::npos ||
                                     kBlanks.find(line.back()) != std::string_view::npos);
  bool quoted = line.size() >= 2 && (line.front() == '"' || line.front() == '\'') && line.back() == line.front();
  return edgeBlank || quoted ? '"' + line + '"' : line;
}
