// The commands of tessel-cli: each lives in a file of its own and is listed in CliMain.cpp.
#pragma once

#include "document/ViewSettings.h"

#include <iosfwd>
#include <string>
#include <vector>

// Exit codes shared by every command.
enum CliExit { CliOk = 0, CliBadInput = 1, CliBadUsage = 2 };

struct CliContext {
    std::vector<std::string> args; // the command's own arguments, without its name
    std::ostream& out;
    std::ostream& err;
    std::string profile = {};    // the file of --profile, already read; empty without one
    CViewSettings settings = {}; // the view settings of that profile, or the built-in ones
};

struct CliCommand {
    const char* name;
    const char* usage; // one line: the arguments after the name
    const char* help;  // what the command does, shown by `tessel-cli NAME --help`
    int (*run)(CliContext& context);
};

// Runs tessel-cli with a full argument vector (argv[0] included) and returns the exit code.
int RunCli(int argc, const char* const argv[], std::ostream& out, std::ostream& err);

// The commands, one file each.
int RunNewCommand(CliContext& context);
int RunHexCommand(CliContext& context);
int RunRandomCommand(CliContext& context);
int RunInfoCommand(CliContext& context);
int RunPackCommand(CliContext& context);
int RunExportCommand(CliContext& context);
