// File names as module text (Windows-1251) and the folders they lie in.
#pragma once

#include <optional>
#include <string>
#include <string_view>

// Whether the name says which folder the file is in.
bool HasFolder(std::string_view name);

// Where a file named like a settings file lies: a name with a folder where
// it says, a bare name in SettingsFolder() beside the settings files.
std::string InSettingsFolder(std::string_view name);

// The file `name` in the folder of the file at `path`, both in the
// platform's own form (system_path.h); nothing when `path` names no folder.
std::optional<std::string> Beside(const std::string& path, std::string_view name);
