#include "simulator/append_file.h"

#include <filesystem>
#include <fstream>

#include "simulator/simulator_error.h"

namespace {

// The path is UTF-8; Windows would read a plain string in its ANSI code page.
std::filesystem::path Utf8Path(const std::string& path) { return std::u8string(path.begin(), path.end()); }

}  // namespace

void AppendToFile(const std::string& path, std::string_view text) {
  std::ofstream file(Utf8Path(path), std::ios::binary | std::ios::app);
  file.write(text.data(), static_cast<std::streamsize>(text.size()));
  file.close();
  if (!file) throw SimulatorError("Не удалось записать файл: " + path);
}
