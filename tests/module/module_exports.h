// The names a loaded module exports, read from the module itself (the
// dynamic symbol table of the ELF file on Linux, the export directory of the
// loaded image on Windows), so a test sees every export, not only those it
// thinks of asking for.
#pragma once

#include <set>
#include <string>

#include "tests/support/host_module.h"

// An export without a name (Windows: by ordinal only) appears as "#<ordinal>".
std::set<std::string> ExportedNames(const HostModule& module);
