// The bash completion of tessel-cli, run in bash against the built program: commands, options,
// the words an option chooses from, and file names by the extension each argument expects.
#include "CliRunner.h"

#include <gtest/gtest.h>

namespace {

// What the completion offers for the command line typed so far, sorted, one word a line.
std::string Offered(const CTempDir& dir, const CTempDir& work, const std::string& typed) {
    const std::string cli = TESSEL_CLI_PATH;
    const std::string script = "cd " + ShellQuote(dir.Path()) +
                               " && PATH=" + ShellQuote(cli.substr(0, cli.rfind('/'))) +
                               ":$PATH && source " + ShellQuote(TESSEL_COMPLETION_PATH) +
                               " && read -ra COMP_WORDS <<<\"$1\"; [[ $1 == *' ' ]] && "
                               "COMP_WORDS+=(''); COMP_CWORD=$((${#COMP_WORDS[@]} - 1)); "
                               "_tessel_cli; printf '%s\\n' \"${COMPREPLY[@]}\" | sort >\"$2\"";
    const std::string command = "bash -c " + ShellQuote(script) + " completion " +
                                ShellQuote(typed) + ' ' + ShellQuote(work.File("offered"));
    if (std::system(command.c_str()) != 0) {
        return "(bash failed)";
    }
    return ReadText(work.File("offered"));
}

} // namespace

TEST(CliCompletion, OffersWhatTheHelpDescribes) {
    CTempDir dir, work;
    for (const char* name : {"a.tesl", "b.txt", "c.ini", "d.png"}) {
        WriteText(dir.File(name), "");
    }
    struct Case {
        const char* typed;
        const char* offered;
    } cases[] = {
        {"tessel-cli ex", "export\n"},
        {"tessel-cli th", "thumbnail\n"},
        {"tessel-cli export a.tesl out --for", "--format\n"},
        {"tessel-cli export a.tesl out --format p", "p\npdf\npng\n"},
        {"tessel-cli style a.tesl a.tesl --gradation ", "circular\nlinear\n"},
        {"tessel-cli random 100 --seed ", "\n"},
        {"tessel-cli hex 3 ", "a.tesl\n"},
        {"tessel-cli pack a.tesl --runs 3 ", "a.tesl\n"},
        {"tessel-cli export ", "a.tesl\n"},
        {"tessel-cli export a.tesl ", "a.tesl\nb.txt\nc.ini\nd.png\n"},
        {"tessel-cli thumbnail a.tesl ", "d.png\n"},
        {"tessel-cli info --profile ", "c.ini\n"},
        {"tessel-cli info --pro", "--profile\n"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Offered(dir, work, c.typed), c.offered) << c.typed;
    }
}
