// The editor's command-line options.
#include "app/CommandLine.h"

#include "document/InstallLayout.h"
#include "document/ProfileLocation.h"
#include "document/StringIds.h"
#include "document/StringTable.h"
#include "geometry/Utf8Text.h"

#include <cerrno>
#include <cstring>
#include <string_view>

namespace {

bool Asks(std::string_view argument, std::string_view shortName, std::string_view longName) {
    return argument == shortName || argument == longName;
}

std::string OrNotFound(const std::string& path) {
    return path.empty() ? std::string("(not found)") : path;
}

} // namespace

std::string EditorUsage(const std::string& dataFolder, const std::string& profilePath) {
    return "usage: tessel [--help | --version] [QT-OPTION...] [--] [FILE.tesl]\n"
           "\n"
           "Tessel edits circle packings in the hyperbolic plane. It opens FILE.tesl, or a new\n"
           "document (the starting triangle) when no file is given.\n"
           "\n"
           "options:\n"
           "  -h, --help     print this help and exit\n"
           "  -v, --version  print the version and exit\n"
           "  --             end of the options: the next argument is a file name, even one\n"
           "                 that starts with \"-\"\n"
           "\n"
           "Qt's own options are taken too, among them -platform NAME, -style NAME and -reverse.\n"
           "\n"
           "files:\n"
           "  help pages  " +
           OrNotFound(dataFolder) +
           "\n"
           "  profile     " +
           profilePath + "\n";
}

std::optional<int> AnswerInfoOption(int argc, const char* const argv[], std::ostream& out,
                                    std::ostream& err) {
    for (int i = 1; i < argc; ++i) {
        const std::string_view argument = argv[i];
        if (argument == "--") {
            break;
        }
        if (Asks(argument, "-h", "--help")) {
            out << EditorUsage(DataFolder(), DefaultProfilePath());
        } else if (Asks(argument, "-v", "--version")) {
            out << LoadString(ids::kAboutVersion, Language::English) << '\n';
        } else {
            continue;
        }
        errno = 0;
        if (out.flush()) {
            return 0;
        }
        err << "tessel: cannot write the standard output"
            << (errno != 0 ? std::string(": ") + std::strerror(errno) : std::string()) << '\n';
        return 1;
    }
    return std::nullopt;
}

bool TakeFileArguments(QStringList& arguments, std::string& error) {
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        if (arguments[i] == QStringLiteral("--")) {
            arguments.removeAt(i);
            return true;
        }
        if (arguments[i].startsWith(QLatin1Char('-'))) {
            error = "tessel: unknown option '" + Printable(arguments[i].toStdString()) +
                    "' (tessel --help lists the options)";
            return false;
        }
    }
    return true;
}
