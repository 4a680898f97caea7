// Where the profile file lives.
#pragma once

#include <string>

// The profile beside the executable (its folder and base name with ".ini") when that folder
// is writable; otherwise `configHome` (the value of $XDG_CONFIG_HOME, used only when it is an
// absolute path) or else `home` + "/.config", with "Tessel.ini". With neither, "Tessel.ini"
// in the current folder. An empty `executablePath` means it could not be found.
std::string ProfilePathFor(const std::string& executablePath, const std::string& configHome,
                           const std::string& home);

// ProfilePathFor with the running executable and this process's environment.
std::string DefaultProfilePath();

// The full path of the running executable, or an empty string when it cannot be found.
std::string ExecutablePath();
