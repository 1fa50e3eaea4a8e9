#include "simulator/append_file.h"

#include <fstream>

#include "simulator/simulator_error.h"

void AppendToFile(const std::string& path, std::string_view text) {
  std::ofstream file(path, std::ios::binary | std::ios::app);
  file.write(text.data(), static_cast<std::streamsize>(text.size()));
  file.close();
  if (!file) throw SimulatorError("Не удалось записать файл: " + path);
}
