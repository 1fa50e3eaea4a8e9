// The profile-file reader and writer on files of any content. Whatever the
// file holds: a written value reads back as written (a line break as a
// blank), and neither a write nor a delete changes the value of any other
// key; reading with any section or key name never fails.
#include <cstdio>
#include <map>
#include <optional>
#include <set>
#include <utility>

#include "platform/profile.h"
#include "tests/fuzz/fuzz_environment.h"
#include "tests/support/temp_dir.h"

namespace {

constexpr const char* kFallback = "\x01missing";

// Names that the file format can hold: no line break, no '=' or ']', no
// blank at either end, not starting a comment or a section.
std::string Name(FuzzInput& in) {
  static const char* const kNames[] = {
      "GENERAL", "general", "DEBUG", "Faults", "File", "Lastnum", "Summa", "Key", "key", "A b", "\xCA\xE0\xF1\xF1\xE0"};
  if (in.Below(4) != 0) return kNames[in.Below(std::size(kNames))];
  std::string name;
  for (std::size_t length = 1 + in.Below(8); length > 0; --length) {
    static const char kAlphabet[] = "abcXYZ09_.-\xC0\xE0\xFF";
    name += kAlphabet[in.Below(sizeof kAlphabet - 1)];
  }
  return name;
}

std::string OneLine(std::string text) {
  for (char& c : text) {
    if (c == '\r' || c == '\n') c = ' ';
  }
  return text;
}

using Probes = std::set<std::pair<std::string, std::string>>;
using Values = std::map<std::pair<std::string, std::string>, std::string>;

Values ReadAll(const ProfileFile& file, const Probes& probes) {
  Values values;
  for (const auto& [section, key] : probes) values[{section, key}] = file.ReadString(section, key, kFallback);
  return values;
}

// A value as it shows in a report: control characters as escapes.
std::string Shown(const std::string& value) {
  std::string text = "\"";
  for (char c : value) {
    if (static_cast<unsigned char>(c) < 0x20) {
      char escaped[8];
      std::snprintf(escaped, sizeof escaped, "\\x%02X", static_cast<unsigned char>(c));
      text += escaped;
    } else {
      text += c;
    }
  }
  return text + "\"";
}

bool SameIgnoringCase(const std::string& a, const std::string& b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; };
    if (lower(a[i]) != lower(b[i])) return false;
  }
  return true;
}

bool SameEntry(const std::pair<std::string, std::string>& a, const std::pair<std::string, std::string>& b) {
  return SameIgnoringCase(a.first, b.first) && SameIgnoringCase(a.second, b.second);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string path = FuzzScratch() + "/profile.ini";
  FuzzInput in(data, size);
  WriteFileBytes(path, in.Bytes(2048));
  ProfileFile file(path);

  Probes probes;
  for (int i = 0; i < 6; ++i) probes.insert({Name(in), Name(in)});
  // Any name at all may be asked for.
  file.ReadString(in.Bytes(16), in.Bytes(16), "");

  for (int step = 0; step < 6 && !in.Empty(); ++step) {
    const std::pair<std::string, std::string> entry{Name(in), Name(in)};
    probes.insert(entry);
    const Values before = ReadAll(file, probes);
    // A key the file holds twice reads as its second copy once the first is
    // deleted, so a delete is only held to leaving the others alone.
    std::optional<std::string> expected;
    if (in.Below(4) == 0) {
      file.DeleteKey(entry.first, entry.second);
    } else {
      const std::string value = in.Bytes(64);
      file.WriteString(entry.first, entry.second, value);
      expected = OneLine(value);
    }
    const Values after = ReadAll(file, probes);
    for (const auto& [probe, value] : after) {
      if (SameEntry(probe, entry)) {
        if (expected && value != *expected) {
          BrokenPromise("[" + entry.first + "] " + entry.second + " reads back as " + Shown(value) + ", not " +
                        Shown(*expected));
        }
      } else if (value != before.at(probe)) {
        BrokenPromise("writing [" + entry.first + "] " + entry.second + " changed [" + probe.first + "] " +
                      probe.second + " from " + Shown(before.at(probe)) + " to " + Shown(value));
      }
    }
  }
  return 0;
}
