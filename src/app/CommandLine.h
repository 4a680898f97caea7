// The editor's command line: --help and --version, answered before any window exists, and the
// file to open.
#pragma once

#include <QStringList>
#include <optional>
#include <ostream>
#include <string>

// The text of `tessel --help`, naming the folder of the help pages and the profile's path.
std::string EditorUsage(const std::string& dataFolder, const std::string& profilePath);

// Answers --help (-h) or --version (-v) given before any "--": prints on `out` and gives the
// exit code, 0, or 1 when `out` cannot be written (said on `err`). Gives nothing when the
// command line starts the editor.
std::optional<int> AnswerInfoOption(int argc, const char* const argv[], std::ostream& out,
                                    std::ostream& err);

// Leaves the file names in `arguments` (the program's arguments after Qt has taken its own):
// one "--" ends the options and is dropped; any other argument starting with "-" before it is
// an unknown option, which gives false and a one-line `error` with its control bytes escaped.
bool TakeFileArguments(QStringList& arguments, std::string& error);
