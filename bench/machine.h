// What the numbers were measured on, for the head of the table: processor,
// cores, kernel, compiler, and the file systems the receipt files and the
// simulator's state were on.
#pragma once

#include <istream>
#include <string>

std::string MachineDescription(const std::string& fileFolder, const std::string& stateFolder);

// The type of the file system mounted deepest above `path` (an absolute,
// canonical path), from a mount table in the form of /proc/self/mountinfo:
// field 5 is the mount point, the first field after " - " the type.
std::string MountedFileSystem(const std::string& path, std::istream& mountTable);
