// CHOLMOD reports its failures in a status, which Eigen's wrapper of it does not read: it
// calls a factorisation that ran out of memory a success and dereferences the missing factor
// of a failed analysis. So CHOLMOD is called directly here and its status checked after each
// call. The libraries below it need more care; see ReserveBlasBuffer and KeepOpenMpSerial.
#include "packing/SparseCholesky.h"

#include <cholmod.h>
#include <cstddef>
#include <dlfcn.h>
#include <limits>
#include <mutex>
#include <new>
#include <sys/mman.h>

// LAPACK's Cholesky factorisation of a dense matrix; the last argument is the length of the
// Fortran string `uplo`.
extern "C" void dpotrf_(const char* uplo, const int* n, double* a, const int* lda, int* info,
                        std::size_t uploLength);

namespace {

// The working buffer OpenBLAS maps on x86-64, and room for what the same call and the
// program's other threads take meanwhile.
constexpr std::size_t BlasBufferBytes = std::size_t(128) << 20;
constexpr std::size_t BlasBufferSlack = std::size_t(64) << 20;

// OpenBLAS maps one working buffer on the first call that needs it and keeps it; when the
// system refuses the mapping it tries again for ever, so that a factorisation under a memory
// limit spins instead of failing. The buffer is therefore taken once, here, by the smallest
// call that needs it, after checking that the address space has room for it. A failed check
// throws and leaves the next factorisation to try again.
void ReserveBlasBuffer() {
    static std::mutex mutex;
    static bool reserved = false;
    const std::lock_guard lock(mutex);
    if (reserved) {
        return;
    }
    const std::size_t room = BlasBufferBytes + BlasBufferSlack;
    void* probe = mmap(nullptr, room, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (probe == MAP_FAILED) {
        throw std::bad_alloc();
    }
    munmap(probe, room);
    double one = 1;
    int size = 1;
    int info = 0;
    dpotrf_("L", &size, &one, &size, &info, 1);
    reserved = true;
}

// CHOLMOD's supernodal factorisation runs a few copying loops on OpenMP threads. They gain
// nothing on these matrices, and when a thread cannot be created the OpenMP runtime prints
// its own message and ends the program; so its parallel regions stay on the calling thread.
// The runtime is CHOLMOD's dependency, not ours: it is reached only if loaded.
void KeepOpenMpSerial() {
    static std::once_flag kept;
    std::call_once(kept, [] {
        using SetLevels = void (*)(int);
        if (auto set =
                reinterpret_cast<SetLevels>(dlsym(RTLD_DEFAULT, "omp_set_max_active_levels"))) {
            set(0);
        }
    });
}

void ThrowIfOutOfMemory(const cholmod_common& common) {
    if (common.status == CHOLMOD_OUT_OF_MEMORY || common.status == CHOLMOD_TOO_LARGE) {
        throw std::bad_alloc();
    }
}

// The whole symmetric matrix, as CHOLMOD reads it from a compressed lower triangle.
cholmod_sparse SymmetricView(const CSparseCholesky::Matrix& lower) {
    cholmod_sparse view{};
    view.nrow = std::size_t(lower.rows());
    view.ncol = std::size_t(lower.cols());
    view.nzmax = std::size_t(lower.nonZeros());
    view.p = const_cast<int*>(lower.outerIndexPtr());
    view.i = const_cast<int*>(lower.innerIndexPtr());
    view.x = const_cast<double*>(lower.valuePtr());
    view.stype = -1;
    view.itype = CHOLMOD_INT;
    view.xtype = CHOLMOD_REAL;
    view.dtype = CHOLMOD_DOUBLE;
    view.sorted = 1;
    view.packed = 1;
    return view;
}

} // namespace

struct CSparseCholesky::CLibrary {
    cholmod_common common{};
    cholmod_factor* factor = nullptr;
    // The solution and the solver's workspaces, kept from one solve to the next.
    cholmod_dense* solution = nullptr;
    cholmod_dense* work = nullptr;
    cholmod_dense* blockWork = nullptr;

    CLibrary() { cholmod_start(&common); }
    ~CLibrary() {
        cholmod_free_dense(&solution, &common);
        cholmod_free_dense(&work, &common);
        cholmod_free_dense(&blockWork, &common);
        cholmod_free_factor(&factor, &common);
        cholmod_finish(&common);
    }
    CLibrary(const CLibrary&) = delete;
    CLibrary& operator=(const CLibrary&) = delete;

    void Ensure(cholmod_dense*& matrix, std::size_t rows, std::size_t columns, std::size_t stride) {
        if (!cholmod_ensure_dense(&matrix, rows, columns, stride, CHOLMOD_REAL, &common)) {
            throw std::bad_alloc();
        }
    }
};

CSparseCholesky::CSparseCholesky() : m_library(std::make_unique<CLibrary>()) {
    KeepOpenMpSerial();
    cholmod_common& common = m_library->common;
    // Failures are read from the status; the library would print them too.
    common.print = 0;
    // AMD alone. The library would try METIS after it on orderings that fill much, and again
    // when AMD runs out of memory; METIS then prints its failure, and the library goes on
    // with the ordering METIS left unfinished and crashes. AMD is what the library chooses
    // on every disk we pack anyway.
    common.nmethods = 1;
    common.method[0].ordering = CHOLMOD_AMD;
    // Simplicial factors too are kept as L L'.
    common.final_ll = 1;
}

CSparseCholesky::~CSparseCholesky() = default;

void CSparseCholesky::Analyze(const Matrix& lower, bool supernodal) {
    cholmod_common& common = m_library->common;
    cholmod_free_factor(&m_library->factor, &common);
    m_supernodal = supernodal;
    common.supernodal = supernodal ? CHOLMOD_SUPERNODAL : CHOLMOD_SIMPLICIAL;
    common.final_asis = supernodal;
    cholmod_sparse view = SymmetricView(lower);
    m_library->factor = cholmod_analyze(&view, &common);
    ThrowIfOutOfMemory(common);
}

bool CSparseCholesky::Factorize(const Matrix& lower) {
    if (!m_library->factor) {
        return false;
    }
    if (m_supernodal) {
        ReserveBlasBuffer();
    }
    cholmod_common& common = m_library->common;
    cholmod_sparse view = SymmetricView(lower);
    cholmod_factorize(&view, m_library->factor, &common);
    ThrowIfOutOfMemory(common);
    return common.status == CHOLMOD_OK;
}

// CHOLMOD's solve allocates its result and workspaces when they are missing or of another
// size, and when one of those allocations fails and a later one succeeds, it goes on with the
// missing one. So they are allocated here first, at the sizes it asks for, each one checked.
Eigen::VectorXd CSparseCholesky::Solve(const Eigen::VectorXd& b) {
    CLibrary& library = *m_library;
    const cholmod_factor& factor = *library.factor;
    const std::size_t n = factor.n;
    library.Ensure(library.solution, n, 1, n);
    if (factor.is_super) {
        library.Ensure(library.work, n, 1, n);
        library.Ensure(library.blockWork, 1, factor.maxesize, 1);
    } else {
        library.Ensure(library.work, 4, n, 4);
    }
    cholmod_dense right{};
    right.nrow = n;
    right.ncol = 1;
    right.nzmax = n;
    right.d = n;
    right.x = const_cast<double*>(b.data());
    right.xtype = CHOLMOD_REAL;
    right.dtype = CHOLMOD_DOUBLE;
    const bool solved =
        cholmod_solve2(CHOLMOD_A, library.factor, &right, nullptr, &library.solution, nullptr,
                       &library.work, &library.blockWork, &library.common);
    ThrowIfOutOfMemory(library.common);
    if (!solved) {
        return Eigen::VectorXd::Constant(b.size(), std::numeric_limits<double>::quiet_NaN());
    }
    return Eigen::Map<const Eigen::VectorXd>(static_cast<const double*>(library.solution->x),
                                             b.size());
}
