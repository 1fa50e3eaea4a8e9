// The C library's environment is the process's own: setenv changes it.
#include "platform/environment.h"

#include <cstdlib>

#include "platform/codepage.h"

// The system's texts are UTF-8.
std::string EnvironmentVariable(const char* name) {
  const char* value = std::getenv(name);
  return value ? Utf8ToAnsi(value) : std::string();
}
