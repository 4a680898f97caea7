// The maximal packing of a triangulated disk by Newton's method: every inner node's angles
// close to a full turn, every boundary circle a horocycle. The angle sums are the gradient of
// a strictly convex function of u = ln tanh(r/2), so their Jacobian in u is symmetric and
// definite, with the graph's sparsity; each damped Newton step solves it by sparse Cholesky.
#pragma once

#include <functional>
#include <vector>

class CFanIndex;

enum class NewtonStatus {
    Converged, // every inner angle-sum error is within the tolerance
    Limit,     // the errors stopped shrinking above the tolerance: the best doubles resolve
    Cancelled, // the progress callback asked to stop
};

struct CNewtonResult {
    NewtonStatus status = NewtonStatus::Limit;
    int iterations = 0;
    double error = 0; // largest |angle sum - 2 pi| of the inner nodes, in long double
    // Hyperbolic radius per node, to more digits than a double holds; infinite for boundary
    // nodes.
    std::vector<long double> radii;
};

// Called after each Newton iteration with its number and the largest error, and with the last
// ones during the long phases within an iteration; false cancels.
using NewtonProgress = std::function<bool(int iteration, double error)>;

// Solves for the maximal packing of a usable index. `start` may give each node's radius to
// begin from (a previous packing's); where it is empty or worse than the built-in guess,
// the guess is used. Allocates in proportion to the graph; throws std::bad_alloc when memory
// runs out.
CNewtonResult SolveMaximalPacking(const CFanIndex& fans, const std::vector<double>& start,
                                  double tolerance, const NewtonProgress& progress);
