// A supernodal factorisation whose BLAS buffer cannot be reserved throws, and the next one
// reserves it and solves; a program of its own, since the buffer is reserved once per process
// and the system's refusal is imitated by replacing mmap.
#include "GridMatrix.h"
#include "packing/SparseCholesky.h"

#include <cerrno>
#include <gtest/gtest.h>
#include <new>
#include <sys/mman.h>
#include <sys/syscall.h>
#include <unistd.h>
#include <vector>

namespace {

// Mappings at least this large are refused while g_refusing is set: the reservation's probe,
// never the allocator's blocks of a small test.
constexpr std::size_t kRefusedBytes = std::size_t(128) << 20;
bool g_refusing = false;
int g_refused = 0;

} // namespace

extern "C" void* mmap(void* address, std::size_t length, int protection, int flags, int fd,
                      off_t offset) {
    if (g_refusing && length >= kRefusedBytes) {
        ++g_refused;
        errno = ENOMEM;
        return MAP_FAILED;
    }
    return reinterpret_cast<void*>(
        syscall(SYS_mmap, address, length, protection, flags, fd, offset));
}

TEST(BlasBufferRetry, ARefusedReservationThrowsAndTheNextFactorisationSolves) {
    const CSparseCholesky::Matrix lower = GridMatrix(40);
    const Eigen::VectorXd b = Eigen::VectorXd::LinSpaced(lower.rows(), 1.0, 2.0);
    for (int attempt = 0; attempt < 2; ++attempt) {
        CSparseCholesky cholesky;
        cholesky.Analyze(lower, true);
        g_refusing = true;
        EXPECT_THROW(cholesky.Factorize(lower), std::bad_alloc) << "attempt " << attempt;
        g_refusing = false;
    }
    EXPECT_EQ(g_refused, 2); // each attempt probed again
    CSparseCholesky cholesky;
    cholesky.Analyze(lower, true);
    ASSERT_TRUE(cholesky.Factorize(lower));
    const Eigen::VectorXd x = cholesky.Solve(b);
    const Eigen::VectorXd ax = lower.selfadjointView<Eigen::Lower>() * x;
    EXPECT_LT((ax - b).lpNorm<Eigen::Infinity>(), 1e-12);
}
