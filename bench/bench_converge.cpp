// Pack to Convergence against repeated Circle Packing, and the solver alone on disks up to a
// million nodes: time, Newton iterations, peak memory and time per node, with every
// converged packing checked as a picture. Each case runs in a process of its own so that its
// peak memory is its own. Not a Google Benchmark loop: one careful run per case.
//   build-bench/bench/bench_converge          the quick cases (seconds)
//   build-bench/bench/bench_converge --full   also the slow sweeps and the million nodes
#include "document/GraphBuilder.h"
#include "document/TesselDoc.h"
#include "packing/ConvergedPacking.h"
#include "packing/PackingErrors.h"
#include "support/PackingGeometry.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace {

struct Case {
    const char* name;
    bool hex;
    int size;
    bool sweeps; // also time repeated Circle Packing to the same tolerance
    bool slow;   // only with --full
};

const Case kCases[] = {
    {"hex10", true, 10, true, false},
    {"hex30", true, 30, true, false},
    {"hex40", true, 40, true, false},
    {"random10000", false, 10000, true, true},
    {"hex100", true, 100, false, false},
    {"hex300", true, 300, false, false},
    {"random100000", false, 100000, false, false},
    {"hex577", true, 577, false, true},
    {"random1000000", false, 1000000, false, true},
};

double Since(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

// Processor time of this process and its threads: on a machine shared with other work the
// wall clock says little, and the solver's figures are meant for comparison.
double CpuSeconds() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_utime.tv_sec + usage.ru_stime.tv_sec +
           1e-6 * (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec);
}

double PeakMegabytes() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss / 1024.0;
}

void Build(CTesselDoc& doc, const Case& c) {
    bool built = c.hex ? BuildHexDisk(doc, c.size) : BuildRandomDisk(doc, c.size, 1);
    if (!built) {
        std::fprintf(stderr, "cannot build %s\n", c.name);
        std::exit(1);
    }
}

// Circle Packing at threshold 1e-12 until the largest inner error is below the tolerance.
double TimeSweeps(const Case& c, double tolerance, int& runs) {
    CTesselDoc doc;
    Build(doc, c);
    CCPNode::m_threshold = 1e-12;
    double start = CpuSeconds();
    runs = 0;
    do {
        doc.RunPacking();
        ++runs;
    } while (!(MeasurePackingErrors(doc.m_nodes).innerError < tolerance) && runs < 100000);
    return CpuSeconds() - start;
}

// The solver on a fresh disk to the tolerance: processor seconds, or a negative number when
// it is refused.
double TimeSolver(const Case& c, double tolerance, CTesselDoc& doc, CConvergedPacking& outcome) {
    double start = CpuSeconds();
    std::string refusal;
    if (!doc.PackToConvergence(tolerance, {}, outcome, &refusal)) {
        std::fprintf(stderr, "%s refused: %s\n", c.name, refusal.c_str());
        return -1;
    }
    return CpuSeconds() - start;
}

// Every case solves to 1e-12 and is checked as a picture; the cases with sweeps also race
// repeated Circle Packing to 1e-10, the solver solving afresh to the same 1e-10.
int RunCase(const Case& c) {
    CTesselDoc doc;
    CConvergedPacking outcome;
    Build(doc, c);
    auto wall = std::chrono::steady_clock::now();
    double cpu = TimeSolver(c, 1e-12, doc, outcome);
    if (cpu < 0) {
        return 1;
    }
    double seconds = Since(wall);
    CPackingGeometry g = MeasurePackingGeometry(doc.m_nodes, doc.m_edges);
    int n = doc.m_nodes.GetSize();
    std::printf("%-14s %8d nodes  tol 1e-12  %8.3f s cpu  %8.3f s wall  %2d "
                "newton  error %.1e  %7.1f MB peak  %6.2f us/node  geometry %s: %s\n",
                c.name, n, cpu, seconds, outcome.iterations, outcome.error, PeakMegabytes(),
                1e6 * cpu / n, g.Holds(1e-9, 1e-12) ? "holds" : "FAILS", g.Describe().c_str());
    std::fflush(stdout);
    if (c.sweeps) {
        CTesselDoc fresh;
        Build(fresh, c);
        double solver = TimeSolver(c, 1e-10, fresh, outcome);
        int runs = 0;
        double sweeps = TimeSweeps(c, 1e-10, runs);
        std::printf("%-14s to 1e-10: solver %.3f s cpu, repeated Circle Packing %d runs %.3f s "
                    "cpu: %.0fx the solver\n",
                    c.name, solver, runs, sweeps, sweeps / solver);
    }
    std::fflush(stdout);
    return g.Holds(1e-9, 1e-12) ? 0 : 1;
}

// Runs one case in a child process, so that the peak memory it reports is its own.
bool RunInChild(const char* self, const Case& c) {
    pid_t child = fork();
    if (child == 0) {
        execl(self, self, "--case", c.name, static_cast<char*>(nullptr));
        std::_Exit(127);
    }
    int status = 0;
    waitpid(child, &status, 0);
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

} // namespace

int main(int argc, char** argv) {
    if (argc == 3 && std::strcmp(argv[1], "--case") == 0) {
        for (const Case& c : kCases) {
            if (std::strcmp(c.name, argv[2]) == 0) {
                return RunCase(c);
            }
        }
        return 2;
    }
    bool full = argc == 2 && std::strcmp(argv[1], "--full") == 0;
    bool ok = true;
    for (const Case& c : kCases) {
        if (full || !c.slow) {
            ok = RunInChild("/proc/self/exe", c) && ok;
        }
    }
    return ok ? 0 : 1;
}
