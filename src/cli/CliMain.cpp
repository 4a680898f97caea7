// Command-line parsing common to every tessel-cli command.
#include "cli/CliCommand.h"

#include <ostream>
#include <span>
#include <string_view>

namespace {

// The table of commands; each new command adds one line here.
constexpr CliCommand kCommands[] = {
    {"version", "", "Prints the program version.",
     [](CliContext& context) {
         context.out << "Tessel Version 4.20\n";
         return int(CliOk);
     }},
};

void PrintUsage(std::ostream& out) {
    out << "usage: tessel-cli COMMAND [ARGS...]\n\ncommands:\n";
    for (const CliCommand& command : kCommands) {
        out << "  " << command.name << ' ' << command.usage << '\n';
    }
    out << "\n`tessel-cli COMMAND --help` describes one command.\n";
}

const CliCommand* FindCommand(std::string_view name) {
    for (const CliCommand& command : kCommands) {
        if (name == command.name) {
            return &command;
        }
    }
    return nullptr;
}

} // namespace

int RunCli(int argc, const char* const argv[], std::ostream& out, std::ostream& err) {
    std::span<const char* const> all(argv, argc);
    if (all.size() < 2) {
        PrintUsage(err);
        return CliBadUsage;
    }
    std::string_view name = all[1];
    if (name == "--help" || name == "-h" || name == "help") {
        PrintUsage(out);
        return CliOk;
    }
    const CliCommand* command = FindCommand(name);
    if (!command) {
        err << "tessel-cli: unknown command '" << name << "' (try --help)\n";
        return CliBadUsage;
    }
    CliContext context{{all.begin() + 2, all.end()}, out, err};
    for (const std::string& arg : context.args) {
        if (arg == "--help" || arg == "-h") {
            out << "usage: tessel-cli " << command->name << ' ' << command->usage << "\n\n"
                << command->help << '\n';
            return CliOk;
        }
    }
    return command->run(context);
}
