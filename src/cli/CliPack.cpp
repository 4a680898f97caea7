// tessel-cli pack IN.tesl OUT.tesl [--runs N] [--until ERR] [--max-runs M] [--threshold T]
// [--randomize]: runs the circle packing and saves the graph moved onto the circle centres.
#include "cli/CliArgs.h"
#include "cli/CliDocument.h"
#include "document/TesselDoc.h"
#include "geometry/NumberText.h"
#include "packing/AngleSum.h"
#include "packing/PackingErrors.h"

#include <charconv>
#include <chrono>
#include <cmath>
#include <iostream>
#include <unistd.h>

namespace {

constexpr std::int64_t MaxRuns = 1000000000;

struct PackOptions {
    std::int64_t runs = 1;
    double until = 0.0; // 0: a fixed number of runs
    std::int64_t maxRuns = 10000;
};

// A finite real written in full, or a complaint naming the option.
bool ParseReal(CliContext& context, std::string_view what, const std::string& text, double& value) {
    auto result = std::from_chars(text.data(), text.data() + text.size(), value);
    if (result.ec != std::errc() || result.ptr != text.data() + text.size() ||
        !std::isfinite(value)) {
        context.err << "tessel-cli pack: " << what << " must be a number, not '" << text
                    << "' (try --help)\n";
        return false;
    }
    return true;
}

bool ParseOptions(CliContext& context, const CliArgs& args, PackOptions& options) {
    auto value = [&](std::string_view name) {
        auto found = args.values.find(name);
        return found == args.values.end() ? nullptr : &found->second;
    };
    if (value("--runs") && value("--until")) {
        context.err << "tessel-cli pack: --runs and --until exclude each other (try --help)\n";
        return false;
    }
    if (value("--max-runs") && !value("--until")) {
        context.err << "tessel-cli pack: --max-runs needs --until (try --help)\n";
        return false;
    }
    if (const std::string* runs = value("--runs");
        runs && !ParseCliInteger(context, "pack", "--runs", *runs, 1, MaxRuns, options.runs)) {
        return false;
    }
    if (const std::string* maxRuns = value("--max-runs");
        maxRuns &&
        !ParseCliInteger(context, "pack", "--max-runs", *maxRuns, 1, MaxRuns, options.maxRuns)) {
        return false;
    }
    if (const std::string* until = value("--until")) {
        if (!ParseReal(context, "--until", *until, options.until)) {
            return false;
        }
        if (options.until <= 0) {
            context.err << "tessel-cli pack: --until must be greater than 0 (try --help)\n";
            return false;
        }
    }
    if (const std::string* threshold = value("--threshold")) {
        double t = 0.0;
        if (!ParseReal(context, "--threshold", *threshold, t)) {
            return false;
        }
        CCPNode::m_threshold = EffectiveThreshold(t);
    }
    return true;
}

std::string Scientific(double value) {
    char buffer[32];
    auto result =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::scientific, 3);
    return std::string(buffer, result.ptr);
}

std::string Describe(std::int64_t runs, const CPackingErrors& errors) {
    return "runs " + std::to_string(runs) + ", largest inner angle-sum error " +
           Scientific(errors.innerError) + ", largest boundary angle sum " +
           Scientific(errors.boundarySum);
}

// Progress lines are for a person watching, not for a script reading the error stream.
bool ShowsProgress(const CliContext& context) {
    return &context.err == &std::cerr && isatty(STDERR_FILENO);
}

} // namespace

int RunPackCommand(CliContext& context) {
    CliArgs args;
    PackOptions options;
    if (!ParseCliArgs(context, "pack", {"--runs", "--until", "--max-runs", "--threshold"},
                      {"--randomize"}, 2, 2, args) ||
        !ParseOptions(context, args, options)) {
        return CliBadUsage;
    }
    CTesselDoc doc;
    if (!OpenForCli(context, "pack", doc, args.positional[0])) {
        return CliBadInput;
    }
    if (args.Has("--randomize")) {
        doc.RandomizeNodes();
    }
    bool progress = ShowsProgress(context);
    auto start = std::chrono::steady_clock::now();
    std::int64_t runs = 0;
    std::int64_t limit = options.until > 0 ? options.maxRuns : options.runs;
    CPackingErrors errors;
    while (runs < limit) {
        std::string refusal;
        if (!doc.RunPacking(&refusal)) {
            context.err << "tessel-cli pack: " << refusal << '\n';
            return CliBadInput;
        }
        ++runs;
        errors = MeasurePackingErrors(doc.m_nodes);
        if (progress) {
            context.err << Describe(runs, errors) << '\n';
        }
        if (options.until > 0 && errors.innerError < options.until) {
            break;
        }
    }
    std::chrono::duration<double> seconds = std::chrono::steady_clock::now() - start;
    context.out << Describe(runs, errors) << ", " << FormatFixed(seconds.count(), 3) << " s\n";
    return SaveForCli(context, "pack", doc, args.positional[1]);
}
