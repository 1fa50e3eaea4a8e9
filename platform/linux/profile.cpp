// INI files with the rules of the Windows profile functions, kept as raw
// bytes. A write rewrites the whole file through a temporary file and a
// rename, so a failed save never leaves a half-written settings file.
#include "platform/profile.h"

#include <fcntl.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <vector>

#include "platform/ansi.h"
#include "platform/codepage.h"
#include "platform/error.h"
#include "platform/profile_text.h"

namespace {

constexpr std::string_view kBlanks = " \t";

std::string_view Trim(std::string_view text) {
  auto first = text.find_first_not_of(kBlanks);
  if (first == std::string_view::npos) return {};
  auto last = text.find_last_not_of(kBlanks);
  return text.substr(first, last - first + 1);
}

char AsciiLower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

bool SameName(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (AsciiLower(a[i]) != AsciiLower(b[i])) return false;
  }
  return true;
}

// One line of the file: its text and its own line end ("\r\n", "\n", or
// nothing on a last line without one), so untouched lines are written back
// exactly as they were.
struct Line {
  std::string_view text;
  std::string_view end;
};

// A bare CR ends a line too, as the Windows profile functions read it;
// otherwise a key written after such a line would change its value.
std::vector<Line> SplitLines(std::string_view bytes) {
  std::vector<Line> lines;
  while (!bytes.empty()) {
    std::size_t end = bytes.find_first_of("\r\n");
    std::size_t endLength = end == std::string_view::npos ? 0 : bytes.substr(end).starts_with("\r\n") ? 2 : 1;
    if (end == std::string_view::npos) end = bytes.size();
    lines.push_back({bytes.substr(0, end), bytes.substr(end, endLength)});
    bytes.remove_prefix(end + endLength);
  }
  return lines;
}

// New lines follow the style of the file's first line end.
std::string_view LineEndOf(const std::vector<Line>& lines) {
  for (const Line& line : lines) {
    if (!line.end.empty()) return line.end;
  }
  return "\n";
}

enum class LineKind { kBlank, kComment, kSection, kKey, kOther };

struct ParsedLine {
  LineKind kind;
  std::string_view name;
  std::string_view value;
};

ParsedLine Parse(std::string_view text) {
  std::string_view t = Trim(text);
  if (t.empty()) return {LineKind::kBlank, {}, {}};
  if (t.front() == ';') return {LineKind::kComment, {}, {}};
  if (t.front() == '[') {
    std::string_view inner = t.substr(1);
    return {LineKind::kSection, Trim(inner.substr(0, inner.find(']'))), {}};
  }
  auto eq = t.find('=');
  if (eq == std::string_view::npos) return {LineKind::kOther, {}, {}};
  std::string_view value = Trim(t.substr(eq + 1));
  if (value.size() >= 2 && value.front() == '"' && value.back() == '"') value = value.substr(1, value.size() - 2);
  return {LineKind::kKey, Trim(t.substr(0, eq)), value};
}

// Where a key is, or would go, in the first section of that name.
struct Place {
  std::optional<std::size_t> section;
  std::optional<std::size_t> key;
  std::string_view value;
  // The last line of the section that is neither blank nor a comment: a new
  // key goes after it, ahead of blank lines and comments that lead into the
  // next section.
  std::size_t lastEntry = 0;
};

Place Find(const std::vector<Line>& lines, std::string_view section, std::string_view key) {
  Place place;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    ParsedLine line = Parse(lines[i].text);
    if (line.kind == LineKind::kSection) {
      if (place.section) break;
      if (SameName(line.name, Trim(section))) place.section = place.lastEntry = i;
      continue;
    }
    if (!place.section || line.kind == LineKind::kBlank || line.kind == LineKind::kComment) continue;
    place.lastEntry = i;
    if (line.kind == LineKind::kKey && SameName(line.name, Trim(key))) {
      place.key = i;
      place.value = line.value;
      break;
    }
  }
  return place;
}

std::string WriteFailure(const std::string& path) {
  return std::string("Не удалось записать файл настроек: "_ansi) + path;
}

// The file's bytes; nullopt with errno set when it cannot be read.
std::optional<std::string> ReadAll(const std::string& path) {
  int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return std::nullopt;
  std::string bytes;
  char buffer[8192];
  for (;;) {
    ssize_t got = read(fd, buffer, sizeof buffer);
    if (got > 0) {
      bytes.append(buffer, static_cast<std::size_t>(got));
    } else if (got == 0) {
      break;
    } else if (errno != EINTR) {
      int error = errno;
      close(fd);
      errno = error;
      return std::nullopt;
    }
  }
  close(fd);
  return bytes;
}

// The content to edit: empty for a missing file; a file that exists but
// cannot be read is not overwritten, its content would be lost.
std::string ReadForEdit(const std::string& path) {
  if (auto bytes = ReadAll(path)) return *bytes;
  if (errno == ENOENT) return {};
  throw ComError(E_FAIL, WriteFailure(path));
}

bool WriteAll(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    ssize_t done = write(fd, bytes.data(), bytes.size());
    if (done < 0 && errno == EINTR) continue;
    if (done <= 0) return false;
    bytes.remove_prefix(static_cast<std::size_t>(done));
  }
  return true;
}

std::string FolderOf(const std::string& path) {
  auto slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  return slash == 0 ? "/" : path.substr(0, slash);
}

// Temporary file beside the target, flushed to disk, then renamed over it:
// readers see the old file or the new one, never a part of either.
void SaveAtomically(const std::string& path, std::string_view bytes) {
  std::string folder = FolderOf(path);
  std::error_code ignored;
  std::filesystem::create_directories(folder, ignored);

  struct stat old {};
  mode_t mode = stat(path.c_str(), &old) == 0 ? (old.st_mode & 07777) : 0644;

  std::string temp = path + ".XXXXXX";
  int fd = mkostemp(temp.data(), O_CLOEXEC);
  if (fd < 0) throw ComError(E_FAIL, WriteFailure(path));
  bool ok = WriteAll(fd, bytes) && fchmod(fd, mode) == 0 && fsync(fd) == 0;
  ok = close(fd) == 0 && ok;
  if (!ok || rename(temp.c_str(), path.c_str()) != 0) {
    unlink(temp.c_str());
    throw ComError(E_FAIL, WriteFailure(path));
  }
  // Make the rename itself durable; the new content is already in place.
  int dir = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (dir >= 0) {
    fsync(dir);
    close(dir);
  }
}

std::string HomeFolder() {
  if (const char* home = std::getenv("HOME"); home && *home) return home;
  struct passwd entry {};
  struct passwd* found = nullptr;
  char buffer[4096];
  if (getpwuid_r(getuid(), &entry, buffer, sizeof buffer, &found) == 0 && found && found->pw_dir) return found->pw_dir;
  return ".";
}

}  // namespace

std::string SettingsFolder() {
  const char* config = std::getenv("XDG_CONFIG_HOME");
  std::string base = config && *config ? std::string(config) : HomeFolder() + "/.config";
  return base + "/sorvin";
}

// The name is module text (Windows-1251); the file system wants UTF-8.
ProfileFile::ProfileFile(std::string_view name)
    : path_(name.find('/') == std::string_view::npos ? SettingsFolder() + "/" + AnsiToUtf8(name) : AnsiToUtf8(name)) {}

std::string ProfileFile::ReadString(std::string_view section, std::string_view key, std::string_view fallback) const {
  auto bytes = ReadAll(path_);
  if (!bytes) return std::string(fallback);
  Place place = Find(SplitLines(*bytes), section, key);
  return std::string(place.key ? place.value : fallback);
}

namespace {

// One key set in the file's content, the other lines kept as they were.
std::string WithValue(std::string_view bytes, std::string_view section, std::string_view key, std::string_view value) {
  std::vector<Line> lines = SplitLines(bytes);
  std::string_view eol = LineEndOf(lines);
  std::string entry = OneLine(key) + "=" + StoredValue(value);
  Place place = Find(lines, section, key);

  std::string out;
  out.reserve(bytes.size() + entry.size() + section.size() + 8);
  for (std::size_t i = 0; i < lines.size(); ++i) {
    if (place.key == i) {
      out.append(entry).append(lines[i].end);
      continue;
    }
    out.append(lines[i].text).append(lines[i].end);
    if (!place.key && place.section && place.lastEntry == i) {
      if (lines[i].end.empty()) out.append(eol);
      out.append(entry).append(eol);
    }
  }
  if (!place.section) {
    if (!out.empty() && out.back() != '\n') out.append(eol);
    out.append("[").append(OneLine(section)).append("]").append(eol).append(entry).append(eol);
  }
  return out;
}

}  // namespace

void ProfileFile::WriteString(std::string_view section, std::string_view key, std::string_view value) {
  const ProfileEntry entry{key, value};
  WriteStrings(section, std::span(&entry, 1));
}

void ProfileFile::WriteStrings(std::string_view section, std::span<const ProfileEntry> entries) {
  std::string bytes = ReadForEdit(path_);
  for (const ProfileEntry& entry : entries) bytes = WithValue(bytes, section, entry.key, entry.value);
  SaveAtomically(path_, bytes);
}

void ProfileFile::DeleteKey(std::string_view section, std::string_view key) {
  std::string bytes = ReadForEdit(path_);
  std::vector<Line> lines = SplitLines(bytes);
  Place place = Find(lines, section, key);
  if (!place.key) return;

  std::string out;
  out.reserve(bytes.size());
  for (std::size_t i = 0; i < lines.size(); ++i) {
    if (place.key != i) out.append(lines[i].text).append(lines[i].end);
  }
  SaveAtomically(path_, out);
}
