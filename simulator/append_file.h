// The tape and the journal grow by appending; each write opens and closes
// the file, so a reader sees every line as soon as it is written.
#pragma once

#include <string>
#include <string_view>

// `path` is UTF-8. Throws SimulatorError when the text cannot be written in full.
void AppendToFile(const std::string& path, std::string_view text);
