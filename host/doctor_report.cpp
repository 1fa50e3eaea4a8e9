#include "host/doctor_report.h"

namespace {

constexpr std::string_view kIndent = "     ";

std::string Marker(Outcome outcome, Language language) {
  switch (outcome) {
    case Outcome::Ok:
      return language == Language::Russian ? "[ок]" : "[ok]";
    case Outcome::Problem:
      return "[!!]";
    case Outcome::Info:
      break;
  }
  return "[..]";
}

std::string Render(const Text& text, Language language) {
  std::string rendered = Fill(text.message, language, text.values);
  for (const Text& next : text.then) rendered += "; " + Render(next, language);
  return rendered;
}

// A value of several lines (a register's status report) keeps each of
// them under the finding.
void AppendIndented(std::string& out, std::string_view text) {
  std::size_t start = 0;
  for (;;) {
    const std::size_t end = text.find('\n', start);
    std::string_view line = text.substr(start, end == std::string_view::npos ? std::string_view::npos : end - start);
    if (line.ends_with('\r')) line.remove_suffix(1);
    if (start > 0) out += std::string(kIndent) + " ";
    out += line;
    out += '\n';
    if (end == std::string_view::npos) return;
    start = end + 1;
  }
}

}  // namespace

std::string RenderFindings(const Findings& findings, Language language) {
  std::string out;
  for (const Finding& finding : findings) {
    std::string line = Marker(finding.outcome, language) + " " + Render(finding.what, language);
    const std::string text = Render(finding.text, language);
    if (!text.empty()) line += ": " + text;
    AppendIndented(out, line);
    if (finding.fix.message != Message::None) {
      AppendIndented(out, std::string(kIndent) + Fill(Message::FixLabel, language, {}) + " " +
                              Render(finding.fix, language));
    }
  }
  return out;
}

std::string ReportFileBytes(const std::string& rendered) {
  std::string bytes = "\xEF\xBB\xBF";
  for (const char c : rendered) {
    if (c == '\n') bytes += '\r';
    bytes += c;
  }
  return bytes;
}
