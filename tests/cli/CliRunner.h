// Runs the tessel-cli executable in a child process and collects its exit code and output.
#pragma once

#include "../document/TempDir.h"

#include <cstdlib>
#include <string>
#include <sys/wait.h>
#include <vector>

struct CCliResult {
    int exitCode = -1;
    std::string out;
    std::string err;
};

inline std::string ShellQuote(const std::string& text) {
    std::string quoted = "'";
    for (char c : text) {
        quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    }
    return quoted + "'";
}

// `work` holds the captured streams; the arguments are passed exactly as given. `environment`
// comes before the command in the shell (variables, or a command such as "ulimit -f 8;");
// `output` is where the standard output goes instead of being captured.
inline CCliResult RunCliProcess(const CTempDir& work, const std::vector<std::string>& args,
                                const std::string& environment = "",
                                const std::string& output = "") {
    std::string command = environment + " " + ShellQuote(TESSEL_CLI_PATH);
    for (const std::string& arg : args) {
        command += " " + ShellQuote(arg);
    }
    command += " >" + ShellQuote(output.empty() ? work.File("cli.out") : output) + " 2>" +
               ShellQuote(work.File("cli.err"));
    int status = std::system(command.c_str());
    CCliResult result;
    result.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    result.out = output.empty() ? ReadText(work.File("cli.out")) : std::string();
    result.err = ReadText(work.File("cli.err"));
    return result;
}
