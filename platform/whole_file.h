// Files read and replaced as a whole, for settings files: whoever reads
// one finds the old content or the new, never a part of either. Paths are
// in the platform's own form (system_path.h). A failure throws a ComError
// with the system's own status, and the path and the system's wording as
// its message.
#pragma once

#include <optional>
#include <string>
#include <string_view>

// The file's bytes; nothing when there is no such file. A file that exists
// but cannot be read (a folder in its place, no right to read) throws.
std::optional<std::string> ReadWholeFile(const std::string& path);

// Puts `bytes` in place of the file, creating its folder when missing: a
// temporary file beside it, flushed to disk, then moved over it in one
// step. On failure the old file is as it was and no temporary file is left.
void ReplaceWholeFile(const std::string& path, std::string_view bytes);
