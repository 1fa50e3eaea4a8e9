// Paths in the platform's own form, as programs, module_path.h and
// whole_file.h take them: on Linux UTF-8, as the file system names files;
// on Windows module text (Windows-1251), the form the modules name their
// files in too, handed to the system in UTF-16, so that no path depends on
// the system's code page for non-Unicode programs.
#pragma once

#include <cstdio>
#include <string>
#include <vector>

// The program's arguments after its own name, as paths in this form. On
// Windows they are read from the command line in UTF-16: the C runtime's
// copy went through that code page, which may lack Cyrillic.
std::vector<std::string> ProgramArguments(int argc, char** argv);

// The file opened for reading in binary through the C library; null with
// errno set when it cannot be.
std::FILE* OpenForReading(const std::string& path);

// The path as UTF-8, for a terminal or a report.
std::string SystemPathToUtf8(const std::string& path);
