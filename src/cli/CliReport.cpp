// The one-line messages of tessel-cli on the error stream.
#include "cli/CliCommand.h"
#include "geometry/Utf8Text.h"

#include <ostream>

void ReportCliError(std::ostream& err, std::string_view command, std::string_view message) {
    err << "tessel-cli" << (command.empty() ? "" : " ") << Printable(command) << ": "
        << Printable(message) << '\n';
}

bool ReportCliUsage(std::ostream& err, std::string_view command, std::string_view message) {
    ReportCliError(err, command, std::string(message) + " (try --help)");
    return false;
}
