// Argument parsing shared by the tessel-cli commands.
#pragma once

#include "cli/CliCommand.h"
#include "geometry/Color.h"

#include <cstdint>
#include <initializer_list>
#include <map>
#include <set>
#include <string>
#include <string_view>
#include <vector>

struct CliArgs {
    std::vector<std::string> positional;
    std::map<std::string, std::string, std::less<>> values; // "--name VALUE" or "--name=VALUE"
    std::set<std::string, std::less<>> flags;               // "--name"

    bool Has(std::string_view flag) const { return flags.contains(flag); }
};

// Splits `context.args` by the options the command knows. Unknown options, a valued option
// without its value and a positional count outside [minPositional, maxPositional] are
// reported on `context.err` (naming `command`) and give false. An option of `optional` is a
// flag that may carry a number: "--name=VALUE", or "--name VALUE" when VALUE is a number.
bool ParseCliArgs(CliContext& context, std::string_view command,
                  std::initializer_list<std::string_view> valued,
                  std::initializer_list<std::string_view> flags, std::size_t minPositional,
                  std::size_t maxPositional, CliArgs& parsed,
                  std::initializer_list<std::string_view> optional = {});

// Reads a whole decimal number in [min, max]; otherwise reports `what` on `context.err`.
bool ParseCliInteger(CliContext& context, std::string_view command, std::string_view what,
                     std::string_view text, std::int64_t min, std::int64_t max,
                     std::int64_t& value);

// Reads "#RRGGBB" as the program's colour; otherwise reports `what` on `context.err`.
bool ParseCliColor(CliContext& context, std::string_view command, std::string_view what,
                   std::string_view text, COLORREF& color);
