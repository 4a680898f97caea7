// Newton's method for the maximal packing.
//
// The unknowns are u = ln tanh(r/2) of the inner nodes; boundary nodes are horocycles and
// take no part. The angle sum of an inner node falls as its own u grows and rises with its
// neighbours', and the matrix H = -d(angle sums)/du is symmetric, strictly diagonally
// dominant and so positive definite: each step solves H d = angle sums - 2 pi by sparse
// Cholesky, then a backtracking line search on the sum of squared errors guarantees progress
// from any start. Factorising is by far the dearest part on large disks, and H changes less
// and less from step to step: a step first tries conjugate gradients preconditioned by the
// last factor, which needs a handful of triangular solves, and factorises H afresh only when
// those do not bring the residual down far enough.
#include "packing/MaximalPacking.h"

#include "model/FanIndex.h"
#include "packing/AngleSum.h"
#include "packing/SparseCholesky.h"
#include "packing/TriangleAngle.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <vector>

namespace {

using SparseMatrix = CSparseCholesky::Matrix;
using Vector = Eigen::VectorXd;

constexpr int MaxIterations = 200;
// Supernodal factors pay off only on large disks: on this machine simplicial ones were twice
// as fast for 5,000 unknowns and a quarter faster for 100,000, supernodal ones a tenth faster
// for 270,000 and a third for a million.
constexpr std::size_t SupernodalFrom = 200000;
// Conjugate-gradient steps worth trying before a fresh factor is cheaper.
constexpr int MaxCgSteps = 12;
// Long double steps after the double ones: each gains about as many digits as it has.
constexpr int MaxPolishSteps = 3;
constexpr int MaxHalvings = 60;
// Iterations in a row without a smaller largest error before the best reached is final.
constexpr int StallLimit = 3;
// Below e^-700 a radius is a subnormal number; inner radii never approach it in a packing.
constexpr double SmallestU = -700;

const double Infinity = std::numeric_limits<double>::infinity();

template <class T> T RadiusFromU(T u) {
    T t = std::exp(u);
    return t < T(0.5) ? std::log1p(t) - std::log1p(-t) : std::log1p(t) - std::log(-std::expm1(u));
}

double UFromRadius(double r) {
    if (r < 1) {
        return std::log(std::tanh(r / 2));
    }
    double m = std::exp(-r);
    return std::log1p(-m) - std::log1p(m);
}

class CNewtonSolver {
public:
    explicit CNewtonSolver(const CFanIndex& fans);

    CNewtonResult Solve(const std::vector<double>& start, double tolerance,
                        const NewtonProgress& progress);

private:
    void BuildPattern();
    void SetU(const Vector& u);
    // The angle-sum errors at the current radii; with slopes, also the matrix H.
    void Evaluate(Vector& errors, bool slopes);
    double FanError(int node, bool slopes, double* values);
    std::vector<double> GuessRadii() const;
    Vector UOf(const std::vector<double>& radii) const;
    // A step from m_u along d that lowers the squared errors enough, or false.
    bool LineSearch(const Vector& d, Vector& errors);
    // The Newton step for the current H and errors: by conjugate gradients on the last
    // factor when `reuse` allows and they converge to `relative` of the errors, else from a
    // fresh factor. False when H cannot be factorised.
    bool Step(const Vector& errors, double relative, bool reuse, Vector& step);
    bool ConjugateGradients(const Vector& b, double relative, Vector& x);
    // Asks the progress callback whether to go on; it is asked during long phases too, so
    // that Cancel takes effect within one factorisation on the largest disks.
    bool Proceed();
    // Doubles resolve each angle sum to a few parts in 1e15, and such errors, random from node
    // to node, still open gaps of 1e-7 of the smallest radii across a hundred thousand
    // circles. The last steps therefore evaluate the angle sums in long double and keep the
    // unknowns in long double, solving on the last factor. Fills m_wideRadius and gives the
    // largest error.
    long double Polish(Vector& errors);
    // The errors, rounded to doubles, and the largest of them, for the unknowns u.
    long double WideErrors(const std::vector<long double>& u, Vector& errors);

    const CFanIndex& m_fans;
    std::vector<int> m_variable; // per node: its unknown's index, or -1 for boundary nodes
    std::vector<int> m_node;     // per unknown: its node
    SparseMatrix m_matrix;       // lower triangle of H
    std::vector<int> m_diagonalSlot;
    std::vector<int> m_entrySlot; // per fan entry: its value in m_matrix, or -1 when the
                                  // entry belongs to the neighbour's row
    CSparseCholesky m_cholesky;
    bool m_factored = false;
    NewtonProgress m_progress;
    int m_iteration = 0;
    double m_error = 0;
    bool m_cancelled = false;
    Vector m_u;
    std::vector<double> m_radius;
    std::vector<CRadiusTerms> m_terms;
    std::vector<long double> m_wideRadius;
    std::vector<CWideRadiusTerms> m_wideTerms;
    double m_uLargest = 0;
};

CNewtonSolver::CNewtonSolver(const CFanIndex& fans) : m_fans(fans) {
    int n = fans.Size();
    m_variable.assign(n, -1);
    int largestDegree = 1;
    for (int i = 0; i < n; ++i) {
        if (fans.IsInner(i)) {
            m_variable[i] = static_cast<int>(m_node.size());
            m_node.push_back(i);
        }
        largestDegree = std::max(largestDegree, fans.Degree(i));
    }
    // An inner circle among horocycles needs radius ln(k / pi) to close its k angles, so no
    // inner radius of a packing exceeds that by much; steps stay below it.
    m_uLargest = UFromRadius(std::log(double(largestDegree)) + 10);
    m_radius.assign(n, Infinity);
    m_terms.assign(n, RadiusTerms(Infinity));
    m_wideRadius.assign(n, Infinity);
    m_wideTerms.assign(n, WideRadiusTerms(Infinity));
    BuildPattern();
}

void CNewtonSolver::BuildPattern() {
    int unknowns = static_cast<int>(m_node.size());
    std::vector<Eigen::Triplet<double, int>> entries;
    entries.reserve(m_fans.FanEntries() / 2 + unknowns);
    for (int v = 0; v < unknowns; ++v) {
        int node = m_node[v];
        entries.emplace_back(v, v, 1.0);
        for (int p = 0; p < m_fans.Degree(node); ++p) {
            int w = m_variable[m_fans.Neighbour(node, p)];
            if (w >= 0 && w < v) {
                entries.emplace_back(v, w, 1.0);
            }
        }
    }
    m_matrix.resize(unknowns, unknowns);
    m_matrix.setFromTriplets(entries.begin(), entries.end());
    m_matrix.makeCompressed();
    auto slot = [&](int row, int column) {
        const int* rows = m_matrix.innerIndexPtr();
        const int* begin = rows + m_matrix.outerIndexPtr()[column];
        const int* end = rows + m_matrix.outerIndexPtr()[column + 1];
        return static_cast<int>(std::lower_bound(begin, end, row) - rows);
    };
    m_diagonalSlot.resize(unknowns);
    m_entrySlot.assign(m_fans.FanEntries(), -1);
    for (int v = 0; v < unknowns; ++v) {
        int node = m_node[v];
        m_diagonalSlot[v] = slot(v, v);
        for (int p = 0; p < m_fans.Degree(node); ++p) {
            int w = m_variable[m_fans.Neighbour(node, p)];
            if (w >= 0 && w < v) {
                m_entrySlot[m_fans.FanStart(node) + p] = slot(v, w);
            }
        }
    }
    m_cholesky.Analyze(m_matrix, m_node.size() >= SupernodalFrom);
}

void CNewtonSolver::SetU(const Vector& u) {
    m_u = u;
    for (std::size_t v = 0; v < m_node.size(); ++v) {
        int node = m_node[v];
        m_radius[node] = RadiusFromU(u[v]);
        m_terms[node] = RadiusTerms(m_radius[node]);
    }
}

double CNewtonSolver::FanError(int node, bool slopes, double* values) {
    int k = m_fans.Degree(node);
    int fan = m_fans.FanStart(node);
    const CRadiusTerms& self = m_terms[node];
    CFanTurn<double> turn;
    for (int p = 0; p < k; ++p) {
        int q = p + 1 < k ? p + 1 : 0;
        int b = m_fans.Neighbour(node, p);
        int c = m_fans.Neighbour(node, q);
        if (!slopes) {
            turn.Add(HalfAngle(self, m_terms[b], m_terms[c]));
            continue;
        }
        CAngleSlopes s = TriangleAngleSlopes(self, m_terms[b], m_terms[c]);
        turn.Add(s.half);
        // H = -d(angle sum)/du, and du = dr / sinh r.
        values[m_diagonalSlot[m_variable[node]]] -= s.bySelf * SinhOf(self);
        if (int slot = m_entrySlot[fan + p]; slot >= 0) {
            values[slot] -= s.byFirst * SinhOf(m_terms[b]);
        }
        if (int slot = m_entrySlot[fan + q]; slot >= 0) {
            values[slot] -= s.bySecond * SinhOf(m_terms[c]);
        }
    }
    return turn.Error();
}

void CNewtonSolver::Evaluate(Vector& errors, bool slopes) {
    double* values = m_matrix.valuePtr();
    if (slopes) {
        std::fill(values, values + m_matrix.nonZeros(), 0.0);
    }
    errors.resize(static_cast<Eigen::Index>(m_node.size()));
    for (std::size_t v = 0; v < m_node.size(); ++v) {
        errors[v] = FanError(m_node[v], slopes, values);
    }
}

// Hyperbolic radii in a maximal packing fall roughly as 1 / (2h) with the number h of steps
// to the boundary: a circle h circles deep lies about 2h of its own radii from the rim.
std::vector<double> CNewtonSolver::GuessRadii() const {
    int n = m_fans.Size();
    std::vector<int> depth(n, -1);
    std::vector<int> queue;
    queue.reserve(n);
    for (int i = 0; i < n; ++i) {
        if (!m_fans.IsInner(i)) {
            depth[i] = 0;
            queue.push_back(i);
        }
    }
    for (std::size_t head = 0; head < queue.size(); ++head) {
        int node = queue[head];
        for (int p = 0; p < m_fans.Degree(node); ++p) {
            int next = m_fans.Neighbour(node, p);
            if (depth[next] < 0) {
                depth[next] = depth[node] + 1;
                queue.push_back(next);
            }
        }
    }
    std::vector<double> radii(n, Infinity);
    for (int i = 0; i < n; ++i) {
        if (m_fans.IsInner(i)) {
            radii[i] = depth[i] > 0 ? 0.5 / depth[i] : 0.5;
        }
    }
    return radii;
}

// u of the inner nodes' radii; NaN where a radius is not a usable start.
Vector CNewtonSolver::UOf(const std::vector<double>& radii) const {
    Vector u(static_cast<Eigen::Index>(m_node.size()));
    for (std::size_t v = 0; v < m_node.size(); ++v) {
        double r = radii[m_node[v]];
        u[v] = r > 0 && std::isfinite(r) ? std::clamp(UFromRadius(r), SmallestU, m_uLargest)
                                         : std::nan("");
    }
    return u;
}

bool CNewtonSolver::LineSearch(const Vector& d, Vector& errors) {
    const Vector u = m_u;
    double squared = errors.squaredNorm();
    // The whole step may not carry any unknown past the largest or smallest u.
    double t = 1;
    for (Eigen::Index v = 0; v < d.size(); ++v) {
        if (u[v] + d[v] > m_uLargest) {
            t = std::min(t, 0.9 * (m_uLargest - u[v]) / d[v]);
        } else if (u[v] + d[v] < SmallestU) {
            t = std::min(t, 0.9 * (SmallestU - u[v]) / d[v]);
        }
    }
    Vector trial;
    for (int halving = 0; halving < MaxHalvings && Proceed(); ++halving, t /= 2) {
        SetU(u + t * d);
        Evaluate(trial, false);
        double trialSquared = trial.squaredNorm();
        if (trialSquared <= (1 - 1e-4 * t) * squared) {
            errors = trial;
            return true;
        }
    }
    SetU(u);
    return false;
}

long double CNewtonSolver::WideErrors(const std::vector<long double>& u, Vector& errors) {
    for (std::size_t v = 0; v < m_node.size(); ++v) {
        m_wideRadius[m_node[v]] = RadiusFromU(u[v]);
        m_wideTerms[m_node[v]] = WideRadiusTerms(m_wideRadius[m_node[v]]);
    }
    long double largest = 0;
    for (std::size_t v = 0; v < m_node.size(); ++v) {
        int node = m_node[v];
        int k = m_fans.Degree(node);
        CFanTurn<long double> turn;
        for (int p = 0; p < k; ++p) {
            turn.Add(HalfAngle(m_wideTerms[node], m_wideTerms[m_fans.Neighbour(node, p)],
                               m_wideTerms[m_fans.Neighbour(node, (p + 1) % k)]));
        }
        long double error = turn.Error();
        errors[v] = double(error);
        largest = std::max(largest, std::fabs(error));
    }
    return largest;
}

long double CNewtonSolver::Polish(Vector& errors) {
    std::vector<long double> u(m_u.data(), m_u.data() + m_u.size());
    long double largest = WideErrors(u, errors);
    if (!m_factored && largest > 0 && Proceed()) {
        Vector ignored(errors.size());
        Evaluate(ignored, true);
        m_factored = m_cholesky.Factorize(m_matrix);
        WideErrors(u, errors);
    }
    for (int pass = 0; pass < MaxPolishSteps && largest > 0 && m_factored && Proceed(); ++pass) {
        Vector step;
        if (!ConjugateGradients(errors, 1e-3, step)) {
            step = m_cholesky.Solve(errors);
        }
        std::vector<long double> trial = u;
        for (std::size_t v = 0; v < trial.size(); ++v) {
            trial[v] += step[Eigen::Index(v)];
        }
        Vector trialErrors(errors.size());
        long double trialLargest = WideErrors(trial, trialErrors);
        if (!(trialLargest < largest)) {
            WideErrors(u, errors);
            break;
        }
        u = std::move(trial);
        errors = trialErrors;
        largest = trialLargest;
    }
    return largest;
}

bool CNewtonSolver::Proceed() {
    m_cancelled = m_cancelled || (m_progress && !m_progress(m_iteration, m_error));
    return !m_cancelled;
}

bool CNewtonSolver::ConjugateGradients(const Vector& b, double relative, Vector& x) {
    auto h = m_matrix.selfadjointView<Eigen::Lower>();
    x.setZero(b.size());
    Vector r = b;
    Vector z = m_cholesky.Solve(r);
    Vector p = z;
    double rz = r.dot(z);
    double goal = relative * b.norm();
    for (int k = 0; k < MaxCgSteps && Proceed(); ++k) {
        Vector hp = h * p;
        double alpha = rz / p.dot(hp);
        x += alpha * p;
        r -= alpha * hp;
        if (r.norm() <= goal) {
            return x.allFinite();
        }
        z = m_cholesky.Solve(r);
        double next = r.dot(z);
        p = z + (next / rz) * p;
        rz = next;
    }
    return false;
}

bool CNewtonSolver::Step(const Vector& errors, double relative, bool reuse, Vector& step) {
    if (reuse && m_factored && ConjugateGradients(errors, relative, step)) {
        return true;
    }
    if (!Proceed()) {
        return false;
    }
    m_factored = m_cholesky.Factorize(m_matrix);
    if (!m_factored) {
        return false;
    }
    step = m_cholesky.Solve(errors);
    return step.allFinite();
}

CNewtonResult CNewtonSolver::Solve(const std::vector<double>& start, double tolerance,
                                   const NewtonProgress& progress) {
    m_progress = progress;
    Vector errors;
    SetU(UOf(GuessRadii()));
    Evaluate(errors, false);
    if (start.size() == m_radius.size()) {
        Vector warm = UOf(start);
        if (warm.allFinite()) {
            Vector guess = m_u;
            Vector guessErrors = errors;
            SetU(warm);
            Evaluate(errors, false);
            if (!(errors.squaredNorm() < guessErrors.squaredNorm())) {
                SetU(guess);
                errors = guessErrors;
            }
        }
    }
    CNewtonResult result;
    double best = errors.lpNorm<Eigen::Infinity>();
    m_error = best;
    int stalled = 0;
    while (!(best <= tolerance) && result.iterations < MaxIterations && stalled < StallLimit) {
        Evaluate(errors, true);
        // Solving more finely than the errors are small buys nothing; as they shrink the steps
        // become exact enough for the quadratic convergence of Newton's method.
        double relative = std::clamp(errors.norm(), 1e-14, 1e-2);
        // A step from an old factor that finds no descent gets one more try from a fresh one.
        Vector step;
        if (!(Step(errors, relative, true, step) && LineSearch(step, errors)) &&
            !(Step(errors, relative, false, step) && LineSearch(step, errors))) {
            break;
        }
        m_iteration = ++result.iterations;
        m_error = errors.lpNorm<Eigen::Infinity>();
        stalled = m_error < best ? 0 : stalled + 1;
        best = std::min(best, m_error);
        if (!Proceed()) {
            break;
        }
    }
    result.error = errors.lpNorm<Eigen::Infinity>();
    if (!m_cancelled) {
        result.error = double(Polish(errors));
    }
    if (m_cancelled) {
        result.status = NewtonStatus::Cancelled;
        return result;
    }
    result.status = result.error <= tolerance ? NewtonStatus::Converged : NewtonStatus::Limit;
    result.radii = m_wideRadius;
    return result;
}

} // namespace

CNewtonResult SolveMaximalPacking(const CFanIndex& fans, const std::vector<double>& start,
                                  double tolerance, const NewtonProgress& progress) {
    CNewtonSolver solver(fans);
    return solver.Solve(start, tolerance, progress);
}
