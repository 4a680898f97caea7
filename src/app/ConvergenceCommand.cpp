// Pack to Convergence on a worker thread, and the texts that report packing runs.
#include "app/ConvergenceCommand.h"

#include "app/CommandIds.h"
#include "app/ProgressRunner.h"
#include "app/QtStrings.h"
#include "document/PackingReport.h"
#include "document/StringIds.h"
#include "document/TesselDoc.h"

#include <new>

namespace {

QString Number(double value) {
    // The C locale's form whatever the user's: errors are compared across machines.
    return QString::number(value, 'e', 2);
}

} // namespace

QString PackingErrorText(double error) {
    return FormatString(ids::kPackingErrorStatus, {Number(error)});
}

QString ConvergedText(const CConvergedPacking& outcome) {
    const int id = outcome.status == NewtonStatus::Converged ? ids::kConvergedStatus
                                                             : ids::kConvergenceLimitStatus;
    QString text = FormatString(id, {Number(outcome.error), QString::number(outcome.iterations)});
    if (outcome.tooSmall > 0) {
        text += QStringLiteral("  ") + QString::fromStdString(TooSmallReport(outcome.tooSmall));
    }
    return text;
}

ConvergenceResult PackInEditor(CProgressRunner& runner, CTesselDoc& doc, double tolerance,
                               const ConvergedSolver& solver, CConvergedPacking& outcome,
                               QString& message) {
    bool solved = false;
    bool applied = false;
    bool outOfMemory = false;
    std::string problem;
    const NewtonProgress progress = [&runner](int iteration, double error) {
        runner.Report(
            FormatString(ids::kConvergenceProgress, {QString::number(iteration), Number(error)}));
        return !runner.CancelAsked();
    };
    runner.Run(CommandTip(cmd::kPackToConvergence), LoadQString(ids::kConvergenceStarting), [&] {
        try {
            // The check of the graph takes a moment on a large one: it runs here too.
            problem = doc.FindPackingRefusal();
            solved = problem.empty() && solver(doc.m_nodes, tolerance, progress, outcome, problem);
            if (!solved || outcome.status == NewtonStatus::Cancelled) {
                return;
            }
            runner.EndCancel();
            if (!runner.CancelAsked()) {
                runner.Report(LoadQString(ids::kApplyingPacking));
                doc.ApplyConvergedPacking(outcome);
                applied = true;
            }
        } catch (const std::bad_alloc&) {
            outOfMemory = true;
        }
    });
    if (applied) {
        return ConvergenceResult::Computed;
    }
    if (outOfMemory || (!solved && !runner.CancelAsked())) {
        message =
            outOfMemory ? LoadQString(ids::kNotEnoughMemory) : QString::fromStdString(problem);
        return ConvergenceResult::Refused;
    }
    return ConvergenceResult::Cancelled;
}
