// The sparse Cholesky factor when the linear-algebra libraries run out of memory: each of
// CHOLMOD's allocations is made to fail in turn, and every run must either solve correctly or
// throw std::bad_alloc; and factorising starts no thread of the BLAS or of OpenMP.
#include "GridMatrix.h"
#include "packing/SparseCholesky.h"

#include <SuiteSparse_config.h>
#include <cstdlib>
#include <filesystem>
#include <gtest/gtest.h>
#include <new>
#include <vector>

namespace {

long g_allocations = 0;
long g_failing = -1; // the number of the allocation that fails, from 0; -1: none

bool Fails() {
    return g_allocations++ == g_failing;
}
void* FailingMalloc(std::size_t size) {
    return Fails() ? nullptr : std::malloc(size);
}
void* FailingCalloc(std::size_t count, std::size_t size) {
    return Fails() ? nullptr : std::calloc(count, size);
}
void* FailingRealloc(void* block, std::size_t size) {
    return Fails() ? nullptr : std::realloc(block, size);
}

// While alive, CHOLMOD allocates through the counting functions above.
class CountedAllocations {
public:
    explicit CountedAllocations(long failing) : m_saved(SuiteSparse_config) {
        g_allocations = 0;
        g_failing = failing;
        SuiteSparse_config.malloc_func = FailingMalloc;
        SuiteSparse_config.calloc_func = FailingCalloc;
        SuiteSparse_config.realloc_func = FailingRealloc;
    }
    ~CountedAllocations() { SuiteSparse_config = m_saved; }
    CountedAllocations(const CountedAllocations&) = delete;
    CountedAllocations& operator=(const CountedAllocations&) = delete;

private:
    SuiteSparse_config_struct m_saved;
};

struct CRun {
    bool outOfMemory = false;
    bool factored = false;
    double residual = 0; // largest |A x - b|
};

CRun Solve(const CSparseCholesky::Matrix& lower, bool supernodal, long failing) {
    const Eigen::VectorXd b = Eigen::VectorXd::LinSpaced(lower.rows(), 1.0, 2.0);
    CRun run;
    CountedAllocations allocations(failing);
    try {
        CSparseCholesky cholesky;
        cholesky.Analyze(lower, supernodal);
        run.factored = cholesky.Factorize(lower);
        if (run.factored) {
            Eigen::VectorXd x = cholesky.Solve(b);
            Eigen::VectorXd ax = lower.selfadjointView<Eigen::Lower>() * x;
            run.residual = (ax - b).lpNorm<Eigen::Infinity>();
        }
    } catch (const std::bad_alloc&) {
        run.outOfMemory = true;
    }
    return run;
}

int Threads() {
    auto tasks = std::filesystem::directory_iterator("/proc/self/task");
    return int(std::distance(tasks, std::filesystem::directory_iterator()));
}

} // namespace

TEST(SparseCholeskyMemory, EachFailedAllocationThrowsAndTheOthersSolve) {
    const CSparseCholesky::Matrix lower = GridMatrix(30);
    for (bool supernodal : {false, true}) {
        SCOPED_TRACE(supernodal ? "supernodal" : "simplicial");
        const CRun whole = Solve(lower, supernodal, -1);
        ASSERT_TRUE(whole.factored);
        ASSERT_LT(whole.residual, 1e-12);
        const long total = g_allocations;
        ASSERT_GT(total, 10);
        int thrown = 0;
        for (long failing = 0; failing < total; ++failing) {
            SCOPED_TRACE("allocation " + std::to_string(failing) + " of " + std::to_string(total));
            const CRun run = Solve(lower, supernodal, failing);
            thrown += run.outOfMemory;
            if (!run.outOfMemory) {
                EXPECT_TRUE(run.factored);
                EXPECT_LT(run.residual, 1e-12);
            }
        }
        // The analysis, the factor and the solution each allocate; most failures must show.
        EXPECT_GT(thrown, total / 2);
    }
}

TEST(SparseCholeskyMemory, FactorisingStartsNoThread) {
    ASSERT_EQ(Threads(), 1);
    const CRun run = Solve(GridMatrix(60), true, -1);
    ASSERT_TRUE(run.factored);
    EXPECT_EQ(Threads(), 1);
}
