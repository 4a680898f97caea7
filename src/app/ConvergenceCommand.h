// Run > Pack to Convergence as the editor runs it: the solver and the applying of its packing
// run on a worker thread behind one progress dialog, so the window keeps painting throughout.
#pragma once

#include "packing/ConvergedPacking.h"

#include <QString>
#include <functional>
#include <string>

class CProgressRunner;
class CTesselDoc;

// The solver the command runs, with ComputeConvergedPacking's contract; tests wrap it to
// decide when the work ends.
using ConvergedSolver = std::function<bool(const CCPNodeArray&, double, const NewtonProgress&,
                                           CConvergedPacking&, std::string&)>;

enum class ConvergenceResult {
    Computed,  // the document holds `outcome`'s packing (Converged or Limit)
    Cancelled, // the user pressed Cancel before the packing was applied; the document is as it was
    Refused,   // `message` says why (a node not connected, a damaged graph, no memory)
};

// Solves the document's packing to the tolerance and applies it as one undo step. Once the
// solver has finished the dialog's Cancel is disabled: applying cannot stop half way.
ConvergenceResult PackInEditor(CProgressRunner& runner, CTesselDoc& doc, double tolerance,
                               const ConvergedSolver& solver, CConvergedPacking& outcome,
                               QString& message);

// The status-bar text after a packing run: the largest angle-sum error, for a converged or
// stopped Pack to Convergence also the Newton iterations.
QString PackingErrorText(double error);
QString ConvergedText(const CConvergedPacking& outcome);
