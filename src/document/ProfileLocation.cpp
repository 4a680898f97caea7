// Choosing the profile path from the executable's location and the environment.
#include "document/ProfileLocation.h"

#include <cstdlib>
#include <filesystem>
#include <system_error>
#include <unistd.h>

namespace {

std::string Environment(const char* name) {
    const char* value = std::getenv(name);
    return value ? value : "";
}

bool IsWritableFolder(const std::filesystem::path& folder) {
    std::error_code error;
    return std::filesystem::is_directory(folder, error) && access(folder.c_str(), W_OK) == 0;
}

} // namespace

std::string ProfilePathFor(const std::string& executablePath, const std::string& configHome,
                           const std::string& home) {
    std::filesystem::path executable(executablePath);
    if (executable.is_absolute() && executable.has_stem() &&
        IsWritableFolder(executable.parent_path())) {
        return (executable.parent_path() / executable.stem()).string() + ".ini";
    }
    if (std::filesystem::path(configHome).is_absolute()) {
        return (std::filesystem::path(configHome) / "Tessel.ini").string();
    }
    if (!home.empty()) {
        return (std::filesystem::path(home) / ".config" / "Tessel.ini").string();
    }
    return "Tessel.ini";
}

std::string DefaultProfilePath() {
    return ProfilePathFor(ExecutablePath(), Environment("XDG_CONFIG_HOME"), Environment("HOME"));
}

std::string ExecutablePath() {
    std::error_code error;
    std::filesystem::path path = std::filesystem::read_symlink("/proc/self/exe", error);
    return error ? std::string() : path.string();
}
