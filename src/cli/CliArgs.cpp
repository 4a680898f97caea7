// Splitting tessel-cli arguments into positionals, valued options and flags.
#include "cli/CliArgs.h"

#include "geometry/NumberText.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <optional>
#include <ostream>

namespace {

bool Contains(std::initializer_list<std::string_view> names, std::string_view name) {
    return std::find(names.begin(), names.end(), name) != names.end();
}

// A whole argument written as a number, in range or not: "1e-400" is the value of the
// option before it (which refuses it) and never becomes the next argument.
bool LooksLikeNumber(std::string_view text) {
    double value = 0;
    auto result = std::from_chars(text.data(), text.data() + text.size(), value);
    return (result.ec == std::errc() || result.ec == std::errc::result_out_of_range) &&
           result.ptr == text.data() + text.size();
}

const CliOptionalNumber* FindOptional(std::initializer_list<CliOptionalNumber> options,
                                      std::string_view name) {
    auto found = std::find_if(options.begin(), options.end(),
                              [&](const CliOptionalNumber& o) { return o.name == name; });
    return found == options.end() ? nullptr : found;
}

// A range's end as people write it: 100000 rather than 1e+05.
std::string RangeEnd(double value) {
    if (value == std::floor(value) && std::abs(value) < 1e15) {
        return std::to_string(static_cast<std::int64_t>(value));
    }
    return FormatShortest(value);
}

} // namespace

bool ParseCliArgs(CliContext& context, std::string_view command,
                  std::initializer_list<std::string_view> valued,
                  std::initializer_list<std::string_view> flags, std::size_t minPositional,
                  std::size_t maxPositional, CliArgs& parsed,
                  std::initializer_list<CliOptionalNumber> optional) {
    const std::vector<std::string>& args = context.args;
    for (std::size_t i = 0; i < args.size(); ++i) {
        std::string_view arg = args[i];
        if (arg.size() < 2 || !arg.starts_with("--")) {
            parsed.positional.emplace_back(arg);
            continue;
        }
        std::size_t equals = arg.find('=');
        std::string_view name = arg.substr(0, equals);
        if (parsed.values.contains(name) || parsed.flags.contains(name)) {
            // Taking the last of two values would hide a mistake in a script.
            return ReportCliUsage(context.err, command, std::string(name) + " is given twice");
        }
        if (Contains(valued, name)) {
            if (equals != std::string_view::npos) {
                parsed.values[std::string(name)] = std::string(arg.substr(equals + 1));
            } else if (i + 1 < args.size()) {
                parsed.values[std::string(name)] = args[++i];
            } else {
                return ReportCliUsage(context.err, command, std::string(name) + " needs a value");
            }
        } else if (Contains(flags, name) && equals == std::string_view::npos) {
            parsed.flags.emplace(name);
        } else if (const CliOptionalNumber* number = FindOptional(optional, name)) {
            parsed.flags.emplace(name);
            std::optional<std::string> value;
            if (equals != std::string_view::npos) {
                value = std::string(arg.substr(equals + 1));
            } else if (i + 1 < args.size() && LooksLikeNumber(args[i + 1])) {
                value = args[++i];
            }
            // Checked before the count of arguments, which a refused value would upset.
            double ignored = 0;
            if (value && !ParseCliReal(context, command, name, *value, number->range, ignored)) {
                return false;
            }
            if (value) {
                parsed.values[std::string(name)] = *value;
            }
        } else {
            return ReportCliUsage(context.err, command, "unknown option " + std::string(arg));
        }
    }
    std::size_t count = parsed.positional.size();
    if (count < minPositional || count > maxPositional) {
        return ReportCliUsage(context.err, command,
                              count < minPositional ? "missing arguments" : "too many arguments");
    }
    return true;
}

bool ParseCliInteger(CliContext& context, std::string_view command, std::string_view what,
                     std::string_view text, std::int64_t min, std::int64_t max,
                     std::int64_t& value) {
    auto result = std::from_chars(text.data(), text.data() + text.size(), value);
    if (result.ec != std::errc() || result.ptr != text.data() + text.size() || value < min ||
        value > max) {
        ReportCliUsage(context.err, command,
                       std::string(what) + " must be a whole number from " + std::to_string(min) +
                           " to " + std::to_string(max) + ", not '" + std::string(text) + "'");
        return false;
    }
    return true;
}

bool ParseCliReal(CliContext& context, std::string_view command, std::string_view what,
                  std::string_view text, CliRange range, double& value) {
    auto result = std::from_chars(text.data(), text.data() + text.size(), value);
    bool whole = result.ptr == text.data() + text.size() && !text.empty();
    if (result.ec == std::errc() && whole && value >= range.min && value <= range.max) {
        return true;
    }
    // A number beyond what doubles hold is refused with the others out of range.
    return ReportCliUsage(context.err, command,
                          std::string(what) + " must be a number from " + RangeEnd(range.min) +
                              " to " + RangeEnd(range.max) + ", not '" + std::string(text) + "'");
}

bool ParseCliColor(CliContext& context, std::string_view command, std::string_view what,
                   std::string_view text, COLORREF& color) {
    unsigned rgb = 0;
    auto result = text.size() == 7 && text[0] == '#'
                      ? std::from_chars(text.data() + 1, text.data() + 7, rgb, 16)
                      : std::from_chars_result{text.data(), std::errc::invalid_argument};
    if (result.ec != std::errc() || result.ptr != text.data() + text.size()) {
        return ReportCliUsage(context.err, command,
                              std::string(what) + " must be #RRGGBB, not '" + std::string(text) +
                                  "'");
    }
    color = MakeRgb(rgb >> 16, rgb >> 8, rgb);
    return true;
}
