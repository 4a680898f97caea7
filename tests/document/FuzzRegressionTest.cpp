// Replays the fuzzer's seed corpus and every input it once crashed on.
#include "fuzz/FuzzLoad.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>

namespace {

void ReplayFolder(const std::filesystem::path& folder, int& replayed) {
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        if (!entry.is_regular_file() || entry.path().filename() == "README.md") {
            continue;
        }
        std::ifstream in(entry.path(), std::ios::binary);
        std::vector<std::uint8_t> bytes{std::istreambuf_iterator<char>(in),
                                        std::istreambuf_iterator<char>()};
        SCOPED_TRACE(entry.path().string());
        FuzzLoadOne(bytes);
        ++replayed;
    }
}

} // namespace

TEST(FuzzRegression, EveryKeptInputLoadsOrIsRefusedCleanly) {
    std::filesystem::path fuzz = std::filesystem::path(TESSEL_TEST_DATA).parent_path() / "fuzz";
    int replayed = 0;
    ReplayFolder(fuzz / "corpus", replayed);
    ReplayFolder(fuzz / "regressions", replayed);
    EXPECT_GE(replayed, 9);
}
