// Choosing the profile path from the executable's location and the environment.
#include "document/ProfileLocation.h"

#include "document/InstallLayout.h"

#include <cstdlib>
#include <filesystem>
#include <sys/stat.h>
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

std::string ProfilePathFor(const std::string& executablePath, bool buildTree,
                           const std::string& configHome, const std::string& home) {
    std::filesystem::path executable(executablePath);
    if (buildTree && executable.is_absolute() && executable.has_stem() &&
        IsWritableFolder(executable.parent_path())) {
        return (executable.parent_path() / executable.stem()).string() + ".ini";
    }
    if (std::filesystem::path(configHome).is_absolute()) {
        return (std::filesystem::path(configHome) / "tessel" / "tessel.ini").string();
    }
    if (!home.empty()) {
        return (std::filesystem::path(home) / ".config" / "tessel" / "tessel.ini").string();
    }
    return "Tessel.ini";
}

std::string DefaultProfilePath() {
    const std::string executable = ExecutablePath();
    return ProfilePathFor(executable, IsBuildTree(executable), Environment("XDG_CONFIG_HOME"),
                          Environment("HOME"));
}

bool CreateProfileFolder(const std::string& profilePath) {
    const std::filesystem::path folder = std::filesystem::path(profilePath).parent_path();
    std::error_code error;
    if (folder.empty() || std::filesystem::is_directory(folder, error)) {
        return true;
    }
    // Parents first, each made 0700 as it is created; folders that exist keep their modes.
    if (!folder.parent_path().empty() && !CreateProfileFolder(folder.string())) {
        return false;
    }
    return mkdir(folder.c_str(), 0700) == 0 || std::filesystem::is_directory(folder, error);
}
