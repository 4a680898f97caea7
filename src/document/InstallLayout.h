// Where the running program finds its own files: an installed program under its prefix, wherever
// that prefix has been moved; a program run from its build tree beside the executable.
#pragma once

#include <string>

// The file that marks the folder of the build tree's executables.
inline constexpr char kBuildTreeMarker[] = "build-tree.txt";

// The full path of the running executable, or an empty string when it cannot be found.
std::string ExecutablePath();

// Whether the executable at that path runs from a build tree: its folder holds the marker.
bool IsBuildTree(const std::string& executablePath);

// The folder of the program's data files (the help pages): the executable's own folder in a
// build tree; otherwise `relativeData` taken from the executable's folder ("../share/tessel"
// for the usual prefix layout), so that a prefix copied elsewhere still finds its files.
std::string DataFolderFor(const std::string& executablePath, bool buildTree,
                          const std::string& relativeData);

// DataFolderFor the running executable and the layout it was built for; an empty string when
// the executable cannot be found.
std::string DataFolder();
