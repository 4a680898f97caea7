// The commands of tessel-cli: each lives in a file of its own and is listed in CliMain.cpp.
#pragma once

#include "document/ViewSettings.h"

#include <iosfwd>
#include <string>
#include <string_view>
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

// Every message of tessel-cli is one line on the error stream, "tessel-cli COMMAND: MESSAGE"
// ("tessel-cli: MESSAGE" without a command), with non-printable bytes escaped: a file name or
// an argument can neither break the line nor send escape sequences to a terminal.
void ReportCliError(std::ostream& err, std::string_view command, std::string_view message);
// The same for a bad command line, with a pointer to --help. Returns false.
bool ReportCliUsage(std::ostream& err, std::string_view command, std::string_view message);

// Runs tessel-cli with a full argument vector (argv[0] included) and returns the exit code.
int RunCli(int argc, const char* const argv[], std::ostream& out, std::ostream& err);

// The commands, one file each.
int RunNewCommand(CliContext& context);
int RunHexCommand(CliContext& context);
int RunRandomCommand(CliContext& context);
int RunInfoCommand(CliContext& context);
int RunPackCommand(CliContext& context);
int RunExportCommand(CliContext& context);
int RunStyleCommand(CliContext& context);
int RunThumbnailCommand(CliContext& context);
int RunImportCommand(CliContext& context);
