// Replays the importers' fuzz corpora: every seed imports into a checked disk or is refused
// cleanly, in its own format and in every other.
#include "fuzz/FuzzImport.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>

TEST(ImportCorpus, EverySeedImportsOrIsRefusedCleanlyInEveryFormat) {
    const std::filesystem::path fuzz =
        std::filesystem::path(TESSEL_TEST_DATA).parent_path() / "fuzz";
    int replayed = 0;
    for (const char* folder : {"corpus-circlepack", "corpus-off", "corpus-obj", "corpus-points"}) {
        for (const auto& entry : std::filesystem::directory_iterator(fuzz / folder)) {
            std::ifstream in(entry.path(), std::ios::binary);
            const std::vector<std::uint8_t> bytes{std::istreambuf_iterator<char>(in),
                                                  std::istreambuf_iterator<char>()};
            SCOPED_TRACE(entry.path().string());
            for (ImportFormat format : {ImportFormat::CirclePack, ImportFormat::Off,
                                        ImportFormat::Obj, ImportFormat::Points}) {
                FuzzImportOne(bytes, format);
            }
            ++replayed;
        }
    }
    EXPECT_GE(replayed, 12);
}
