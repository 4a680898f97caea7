// tessel-cli: generate, inspect, pack and export Tessel documents without a display.
#include "circles/OutputFile.h"
#include "cli/CliCommand.h"

#include <iostream>

int main(int argc, char* argv[]) {
    IgnoreFileSizeSignal();
    return RunCli(argc, argv, std::cout, std::cerr);
}
