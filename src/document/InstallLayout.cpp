// Locating the program's data folder from the running executable.
#include "document/InstallLayout.h"

#include <filesystem>
#include <system_error>

#ifndef TESSEL_DATA_FROM_BINDIR
#define TESSEL_DATA_FROM_BINDIR "../share/tessel"
#endif

std::string ExecutablePath() {
    std::error_code error;
    std::filesystem::path path = std::filesystem::read_symlink("/proc/self/exe", error);
    return error ? std::string() : path.string();
}

bool IsBuildTree(const std::string& executablePath) {
    if (executablePath.empty()) {
        return false;
    }
    std::error_code error;
    const std::filesystem::path folder = std::filesystem::path(executablePath).parent_path();
    return std::filesystem::is_regular_file(folder / kBuildTreeMarker, error);
}

std::string DataFolderFor(const std::string& executablePath, bool buildTree,
                          const std::string& relativeData) {
    const std::filesystem::path folder = std::filesystem::path(executablePath).parent_path();
    if (buildTree) {
        return folder.string();
    }
    return (folder / relativeData).lexically_normal().string();
}

std::string DataFolder() {
    const std::string executable = ExecutablePath();
    if (executable.empty()) {
        return {};
    }
    return DataFolderFor(executable, IsBuildTree(executable), TESSEL_DATA_FROM_BINDIR);
}
