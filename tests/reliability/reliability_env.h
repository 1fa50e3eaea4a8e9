// Sizes of the longer reliability runs, changeable from the environment so
// the test suite stays quick and the soak scripts can go the full length.
#pragma once

#include <cstdint>
#include <cstdlib>
#include <string>

inline uint64_t SizeFromEnv(const char* name, uint64_t fallback) {
  const char* text = std::getenv(name);
  if (!text || !*text) return fallback;
  char* end = nullptr;
  const unsigned long long value = std::strtoull(text, &end, 10);
  return end && *end == '\0' && value > 0 ? value : fallback;
}
