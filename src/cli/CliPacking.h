// The packing runs of tessel-cli, shared by `pack` and `export`.
#pragma once

#include "cli/CliArgs.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

class CTesselDoc;

struct PackOptions {
    std::int64_t runs = 1;
    double until = 0.0; // 0: a fixed number of runs
    std::int64_t maxRuns = 10000;
    std::optional<double> converge; // Pack to Convergence to this tolerance instead of runs
};

// The tolerance of --converge without a value.
constexpr double DefaultConvergeTolerance = 1e-12;
// The angle-sum errors --converge and --until take: above zero, or the runs never end, and
// within what doubles hold.
constexpr CliRange kToleranceRange{1e-300, 1e300};

// Reads --runs (at least minRuns), --until, --max-runs, --converge and --threshold (which it
// applies).
bool ParsePackOptions(CliContext& context, std::string_view command, const CliArgs& args,
                      std::int64_t minRuns, PackOptions& options);

// Runs the packing as the options say and prints the runs, the errors and the time taken;
// returns CliOk, or CliBadInput (with the refusal on `context.err`). When the packing falls
// short (--until not reached, or an undefined error) shortfall says how; else it is empty.
int PackForCli(CliContext& context, std::string_view command, CTesselDoc& doc,
               const PackOptions& options, std::string& shortfall);

// Pack to Convergence to the tolerance, with the summary line and, for a terminal, progress;
// returns as PackForCli does.
int ConvergeForCli(CliContext& context, std::string_view command, CTesselDoc& doc, double tolerance,
                   std::string& shortfall);

// Progress lines are for a person watching, not for a script reading the error stream.
bool ShowsProgress(const CliContext& context);

// A number in the summary's form, 1.234e-05.
std::string Scientific(double value);

// CliOk for an empty shortfall; otherwise reports it on `context.err` and gives CliBadInput.
int ReportShortfall(CliContext& context, std::string_view command, const std::string& shortfall);
