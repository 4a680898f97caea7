// Run > Pack to Convergence as the editor runs it: the solver reads the graph on a worker
// thread behind the progress dialog, and the packing is applied on the main thread unless the
// user cancelled.
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
    Computed,  // `outcome` holds a packing to apply (Converged or Limit)
    Cancelled, // the user pressed Cancel; the document is as it was
    Refused,   // `message` says why (a node not connected, a damaged graph, no memory)
};

// Solves the document's packing to the tolerance without changing the document.
ConvergenceResult ComputeInEditor(CProgressRunner& runner, const CTesselDoc& doc, double tolerance,
                                  const ConvergedSolver& solver, CConvergedPacking& outcome,
                                  QString& message);

// The status-bar text after a packing run: the largest angle-sum error, for a converged or
// stopped Pack to Convergence also the Newton iterations.
QString PackingErrorText(double error);
QString ConvergedText(const CConvergedPacking& outcome);
