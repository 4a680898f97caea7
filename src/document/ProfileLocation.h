// Where the profile file lives.
#pragma once

#include <string>

// An editor run from its build tree keeps the profile beside the executable (its folder and
// base name with ".ini") while that folder is writable. An installed editor, and one whose
// folder is not writable, keeps it as "tessel/tessel.ini" in `configHome` (the value of
// $XDG_CONFIG_HOME, used only when it is an absolute path) or else in `home` + "/.config".
// With neither, "Tessel.ini" in the current folder. An empty `executablePath` means it could
// not be found.
std::string ProfilePathFor(const std::string& executablePath, bool buildTree,
                           const std::string& configHome, const std::string& home);

// ProfilePathFor with the running executable and this process's environment.
std::string DefaultProfilePath();

// Creates the folders above the profile that do not exist yet, readable by the user alone as
// the desktop's configuration folders are. False when that fails; saving then reports why.
bool CreateProfileFolder(const std::string& profilePath);
