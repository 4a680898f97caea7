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

// The values a real option takes, both ends included.
struct CliRange {
    double min;
    double max;
};

// A flag that may carry a number in `range`: "--name=VALUE", or "--name VALUE" when VALUE is
// written as a number (in range or not, so that it never becomes the next argument).
struct CliOptionalNumber {
    std::string_view name;
    CliRange range;
};

// Splits `context.args` by the options the command knows. Unknown options, a valued option
// without its value, an optional number out of its range and a positional count outside
// [minPositional, maxPositional] are reported on `context.err` (naming `command`) and give
// false.
bool ParseCliArgs(CliContext& context, std::string_view command,
                  std::initializer_list<std::string_view> valued,
                  std::initializer_list<std::string_view> flags, std::size_t minPositional,
                  std::size_t maxPositional, CliArgs& parsed,
                  std::initializer_list<CliOptionalNumber> optional = {});

// Reads a whole decimal number in [min, max]; otherwise reports `what` on `context.err`.
bool ParseCliInteger(CliContext& context, std::string_view command, std::string_view what,
                     std::string_view text, std::int64_t min, std::int64_t max,
                     std::int64_t& value);

// Reads a whole decimal number in the range; otherwise reports `what` and the range on
// `context.err`. A number beyond what doubles hold (1e-400, 1e400) is out of any range.
bool ParseCliReal(CliContext& context, std::string_view command, std::string_view what,
                  std::string_view text, CliRange range, double& value);

// Reads "#RRGGBB" as the program's colour; otherwise reports `what` on `context.err`.
bool ParseCliColor(CliContext& context, std::string_view command, std::string_view what,
                   std::string_view text, COLORREF& color);
