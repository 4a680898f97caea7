// Pack to Convergence for tessel-cli pack and export: the summary line, progress for a
// person watching, and what counts as falling short.
#include "cli/CliPacking.h"
#include "document/PackingReport.h"
#include "document/TesselDoc.h"
#include "geometry/NumberText.h"
#include "packing/ConvergedPacking.h"

#include <chrono>
#include <ostream>

int ConvergeForCli(CliContext& context, std::string_view command, CTesselDoc& doc, double tolerance,
                   std::string& shortfall) {
    bool progress = ShowsProgress(context);
    auto start = std::chrono::steady_clock::now();
    CConvergedPacking outcome;
    std::string refusal;
    bool packed = doc.PackToConvergence(
        tolerance,
        [&](int iteration, double error) {
            if (progress) {
                context.err << "newton iteration " << iteration
                            << ", largest inner angle-sum error " << Scientific(error) << '\n';
            }
            return true;
        },
        outcome, &refusal);
    if (!packed) {
        context.err << "tessel-cli " << command << ": " << refusal << '\n';
        return CliBadInput;
    }
    std::chrono::duration<double> seconds = std::chrono::steady_clock::now() - start;
    context.out << "newton iterations " << outcome.iterations << ", largest inner angle-sum error "
                << Scientific(outcome.error) << ", " << FormatFixed(seconds.count(), 3) << " s\n";
    if (outcome.tooSmall > 0) {
        context.out << TooSmallReport(outcome.tooSmall) << '\n';
    }
    if (outcome.status != NewtonStatus::Converged) {
        shortfall = "did not converge to " + Scientific(tolerance) + " (largest error " +
                    Scientific(outcome.error) + " after " + std::to_string(outcome.iterations) +
                    " newton iterations)";
    }
    return CliOk;
}
