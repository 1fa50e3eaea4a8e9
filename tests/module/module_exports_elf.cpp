// The defined global and weak symbols of the module file's .dynsym: what
// the loader lets the host (or another module) bind to.
#include <elf.h>
#include <link.h>

#include <cstring>
#include <stdexcept>

#include "tests/module/module_exports.h"
#include "tests/support/temp_dir.h"

namespace {

class ElfImage {
 public:
  explicit ElfImage(const std::string& path) : path_(path), bytes_(ReadFileBytes(path)) {
    if (bytes_.size() < SELFMAG || std::memcmp(bytes_.data(), ELFMAG, SELFMAG) != 0) Fail("no ELF file");
  }

  // A copy of the structure at `offset`, checked to lie inside the file.
  template <class T>
  T At(std::size_t offset) const {
    if (offset > bytes_.size() || bytes_.size() - offset < sizeof(T)) Fail("truncated");
    T value;
    std::memcpy(&value, bytes_.data() + offset, sizeof value);
    return value;
  }

  std::string Text(std::size_t offset) const {
    if (offset >= bytes_.size()) Fail("name outside the file");
    return std::string(bytes_.data() + offset, strnlen(bytes_.data() + offset, bytes_.size() - offset));
  }

  [[noreturn]] void Fail(const char* what) const { throw std::runtime_error(path_ + ": " + what); }

 private:
  std::string path_;
  std::string bytes_;
};

}  // namespace

std::set<std::string> ExportedNames(const HostModule& module) {
  const ElfImage image(module.Path());
  const auto header = image.At<ElfW(Ehdr)>(0);
  std::set<std::string> names;
  for (std::size_t i = 0; i < header.e_shnum; ++i) {
    const auto section = image.At<ElfW(Shdr)>(header.e_shoff + i * header.e_shentsize);
    if (section.sh_type != SHT_DYNSYM) continue;
    const auto strings = image.At<ElfW(Shdr)>(header.e_shoff + section.sh_link * header.e_shentsize);
    for (std::size_t at = 0; at + sizeof(ElfW(Sym)) <= section.sh_size; at += sizeof(ElfW(Sym))) {
      const auto symbol = image.At<ElfW(Sym)>(section.sh_offset + at);
      const unsigned binding = ELF64_ST_BIND(symbol.st_info);
      if (symbol.st_shndx == SHN_UNDEF || (binding != STB_GLOBAL && binding != STB_WEAK)) continue;
      names.insert(image.Text(strings.sh_offset + symbol.st_name));
    }
  }
  return names;
}
