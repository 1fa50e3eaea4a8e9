#include "simulator/tape.h"

#include "simulator/append_file.h"

void Tape::Print(const std::vector<std::string>& lines) const {
  if (path_.empty() || lines.empty()) return;
  std::string text;
  for (const std::string& line : lines) text += line + '\n';
  AppendToFile(path_, text);
}
