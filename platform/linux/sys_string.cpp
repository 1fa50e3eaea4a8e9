// BSTR blocks in the system's memory layout, where the system has no
// runtime to make them.
#include <cstdlib>
#include <cstring>
#include <string>

#include "platform/com.h"

namespace {

// A BSTR block is [uint32 byte length][UTF-16 units][16-bit zero] from one
// malloc, and the BSTR points past the length: whoever frees it, host or
// module, frees it with free() at BSTR - 4.
constexpr std::size_t kLengthPrefix = sizeof(uint32_t);

uint32_t ByteLength(BSTR text) {
  uint32_t bytes;
  std::memcpy(&bytes, reinterpret_cast<const char*>(text) - kLengthPrefix, sizeof bytes);
  return bytes;
}

}  // namespace

BSTR SysAllocString(const OLECHAR* text) {
  if (!text) return nullptr;
  return SysAllocStringLen(text, static_cast<UINT>(std::char_traits<OLECHAR>::length(text)));
}

BSTR SysAllocStringLen(const OLECHAR* text, UINT length) {
  if (length > (UINT32_MAX - kLengthPrefix - sizeof(OLECHAR)) / sizeof(OLECHAR)) return nullptr;
  const auto bytes = static_cast<uint32_t>(length * sizeof(OLECHAR));
  auto* block = static_cast<char*>(std::malloc(kLengthPrefix + bytes + sizeof(OLECHAR)));
  if (!block) return nullptr;
  std::memcpy(block, &bytes, kLengthPrefix);
  auto* units = reinterpret_cast<OLECHAR*>(block + kLengthPrefix);
  if (text) {
    std::memcpy(units, text, bytes);
  } else {
    std::memset(units, 0, bytes);
  }
  units[length] = 0;
  return units;
}

void SysFreeString(BSTR text) {
  if (text) std::free(reinterpret_cast<char*>(text) - kLengthPrefix);
}

UINT SysStringLen(BSTR text) { return text ? ByteLength(text) / sizeof(OLECHAR) : 0; }

UINT SysStringByteLen(BSTR text) { return text ? ByteLength(text) : 0; }
