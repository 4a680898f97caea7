// tessel-cli pack IN.tesl OUT.tesl [--runs N | --until ERR [--max-runs M] | --converge [TOL]]
// [--threshold T] [--randomize]: runs the circle packing (or packs to convergence) and saves
// the graph moved onto the circle centres.
#include "cli/CliArgs.h"
#include "cli/CliDocument.h"
#include "cli/CliPacking.h"
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

std::string Describe(std::int64_t runs, const CPackingErrors& errors) {
    return "runs " + std::to_string(runs) + ", largest inner angle-sum error " +
           Scientific(errors.innerError) + ", largest boundary angle sum " +
           Scientific(errors.boundarySum);
}

// Why the packing falls short of what was asked, or nothing. An undefined error is never
// taken for a small one.
std::string Shortfall(const PackOptions& options, std::int64_t runs, double error) {
    if (options.until > 0 && !(error < options.until)) {
        return "did not reach " + Scientific(options.until) + " after " + std::to_string(runs) +
               " runs (largest error " + Scientific(error) + ")";
    }
    if (std::isnan(error)) {
        return "the angle sums are undefined after " + std::to_string(runs) + " runs";
    }
    return {};
}

} // namespace

std::string Scientific(double value) {
    char buffer[32];
    auto result =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::scientific, 3);
    return std::string(buffer, result.ptr);
}

bool ShowsProgress(const CliContext& context) {
    return &context.err == &std::cerr && isatty(STDERR_FILENO);
}

bool ParsePackOptions(CliContext& context, std::string_view command, const CliArgs& args,
                      std::int64_t minRuns, PackOptions& options) {
    auto value = [&](std::string_view name) {
        auto found = args.values.find(name);
        return found == args.values.end() ? nullptr : &found->second;
    };
    auto complain = [&](std::string_view text) {
        return ReportCliUsage(context.err, command, text);
    };
    if (value("--runs") && value("--until")) {
        return complain("--runs and --until exclude each other");
    }
    if (args.Has("--converge") && (value("--runs") || value("--until"))) {
        return complain("--converge excludes --runs and --until");
    }
    if (args.Has("--converge")) {
        double tolerance = DefaultConvergeTolerance;
        if (const std::string* text = value("--converge");
            text &&
            !ParseCliReal(context, command, "--converge", *text, kToleranceRange, tolerance)) {
            return false;
        }
        options.converge = tolerance;
    }
    if (value("--max-runs") && !value("--until")) {
        return complain("--max-runs needs --until");
    }
    if (const std::string* runs = value("--runs");
        runs &&
        !ParseCliInteger(context, command, "--runs", *runs, minRuns, MaxRuns, options.runs)) {
        return false;
    }
    if (const std::string* maxRuns = value("--max-runs");
        maxRuns &&
        !ParseCliInteger(context, command, "--max-runs", *maxRuns, 1, MaxRuns, options.maxRuns)) {
        return false;
    }
    if (const std::string* until = value("--until")) {
        if (!ParseCliReal(context, command, "--until", *until, kToleranceRange, options.until)) {
            return false;
        }
    }
    if (const std::string* threshold = value("--threshold")) {
        double t = 0.0;
        if (!ParseCliReal(context, command, "--threshold", *threshold, {0.0, 1.0}, t)) {
            return false;
        }
        CCPNode::m_threshold = EffectiveThreshold(t);
    }
    return true;
}

int PackForCli(CliContext& context, std::string_view command, CTesselDoc& doc,
               const PackOptions& options, std::string& shortfall) {
    if (options.converge) {
        return ConvergeForCli(context, command, doc, *options.converge, shortfall);
    }
    bool progress = ShowsProgress(context);
    auto start = std::chrono::steady_clock::now();
    std::int64_t runs = 0;
    std::int64_t limit = options.until > 0 ? options.maxRuns : options.runs;
    CPackingErrors errors;
    while (runs < limit) {
        std::string refusal;
        if (!doc.RunPacking(&refusal)) {
            ReportCliError(context.err, command, refusal);
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
    shortfall = Shortfall(options, runs, errors.innerError);
    return CliOk;
}

int ReportShortfall(CliContext& context, std::string_view command, const std::string& shortfall) {
    if (shortfall.empty()) {
        return CliOk;
    }
    ReportCliError(context.err, command, shortfall);
    return CliBadInput;
}

int RunPackCommand(CliContext& context) {
    CliArgs args;
    PackOptions options;
    if (!ParseCliArgs(context, "pack", {"--runs", "--until", "--max-runs", "--threshold"},
                      {"--randomize"}, 2, 2, args, {{"--converge", kToleranceRange}}) ||
        !ParsePackOptions(context, "pack", args, 1, options)) {
        return CliBadUsage;
    }
    CTesselDoc doc;
    if (!OpenForCli(context, "pack", doc, args.positional[0])) {
        return CliBadInput;
    }
    if (args.Has("--randomize")) {
        doc.RandomizeNodes();
    }
    std::string shortfall;
    if (int code = PackForCli(context, "pack", doc, options, shortfall); code != CliOk) {
        return code;
    }
    // What was reached is saved even when it falls short: the file is sound either way.
    if (int code = SaveForCli(context, "pack", doc, args.positional[1]); code != CliOk) {
        return code;
    }
    return ReportShortfall(context, "pack", shortfall);
}
