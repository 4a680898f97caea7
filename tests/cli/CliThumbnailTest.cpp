// tessel-cli thumbnail, run as a separate process as file managers run it: the packed picture
// with a transparent margin, the plain picture of what is too large for the budget, nothing for
// what is no document.
#include "cli/CliThumbnail.h"

#include "../export/PngReader.h"
#include "CliRunner.h"

#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <functional>
#include <gtest/gtest.h>
#include <sstream>
#include <unistd.h>

namespace {

// The dark runs along the picture's middle row: the lines crossed from margin to margin.
int DarkRuns(const PngPicture& picture) {
    int runs = 0;
    bool inside = false;
    const int y = picture.height / 2;
    for (int x = 0; x < picture.width; ++x) {
        const bool dark = picture.Alpha(x, y) > 128 && (picture.Color(x, y) & 0xFF) < 200;
        runs += dark && !inside ? 1 : 0;
        inside = dark;
    }
    return runs;
}

// Every pixel inside the outer circle's line of width `rim` is opaque, every corner clear.
bool OnlyTheMarginIsClear(const PngPicture& picture, int rim) {
    const double c = picture.width / 2.0;
    const double inner = c - 7 - rim;
    for (int y = 0; y < picture.height; ++y) {
        for (int x = 0; x < picture.width; ++x) {
            const double dx = x + 0.5 - c;
            const double dy = y + 0.5 - c;
            if (dx * dx + dy * dy < inner * inner && picture.Alpha(x, y) != 255) {
                return false;
            }
        }
    }
    return picture.Alpha(0, 0) == 0 && picture.Alpha(picture.width - 1, picture.height - 1) == 0;
}

void WriteHeader(const std::string& path, std::int32_t nodes, std::uintmax_t size) {
    std::ofstream out(path, std::ios::binary);
    const char extents[16] = {};
    out.write(extents, sizeof extents);
    out.write(reinterpret_cast<const char*>(&nodes), 4);
    out.write(reinterpret_cast<const char*>(&nodes), 4);
    out.close();
    std::filesystem::resize_file(path, size);
}

} // namespace

TEST(CliThumbnail, PicturesWithinTheBudget) {
    CTempDir dir;
    const std::string hex = dir.File("hex.tesl");
    ASSERT_EQ(RunCliProcess(dir, {"hex", "3", hex}).exitCode, 0);
    const std::string wide = dir.File("wide.tesl");
    ASSERT_EQ(RunCliProcess(dir, {"style", hex, wide, "--outer", "--line-width", "60000"}).exitCode,
              0);
    const std::string triangle = dir.File("new.tesl");
    ASSERT_EQ(RunCliProcess(dir, {"new", triangle}).exitCode, 0);
    const std::string huge = dir.File("huge.tesl");
    WriteHeader(huge, 2000000, 100);
    const std::string big = dir.File("big.tesl");
    WriteHeader(big, 3, std::uintmax_t{64} << 20);

    struct Case {
        std::string in;
        std::string size;
        int side;         // of the picture written
        std::string said; // the start of the line on the standard output
        bool packed;
        int rim; // the outer circle's line as drawn: 60000 pixels are too wide for 128
    } cases[] = {
        {hex, "128", 128, "37 circles\n", true, 1},
        {hex, "101", 100, "37 circles\n", true, 1},
        {wide, "128", 128, "37 circles\n", true, 16},
        {triangle, "128", 128, "the outer circle alone: ", false, 1},
        {huge, "256", 256, "the outer circle alone: the document has 2000000 nodes", false, 1},
        {big, "128", 128, "the outer circle alone: the file has 67108864 bytes", false, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.in + " at " + c.size);
        const std::string out = dir.File("t.png");
        std::filesystem::remove(out);
        const CCliResult run = RunCliProcess(dir, {"thumbnail", c.in, out, c.size});
        ASSERT_EQ(run.exitCode, 0) << run.err;
        EXPECT_EQ(run.out.rfind(c.said, 0), 0u) << run.out;
        PngPicture picture;
        ASSERT_TRUE(DecodePng(ReadText(out), picture));
        EXPECT_EQ(picture.width, c.side);
        EXPECT_EQ(picture.height, c.side);
        EXPECT_TRUE(OnlyTheMarginIsClear(picture, c.rim));
        // The circles' lines cross the middle row; the plain picture shows its rim alone.
        if (c.packed) {
            EXPECT_GE(DarkRuns(picture), 6);
        } else {
            EXPECT_EQ(DarkRuns(picture), 2);
        }
    }
}

TEST(CliThumbnail, NothingForWhatIsNoDocument) {
    CTempDir dir;
    const std::string text = dir.File("text.tesl");
    WriteText(text, "not a document at all\n");
    struct Case {
        std::vector<std::string> args;
        int exitCode;
    } cases[] = {
        {{"thumbnail", text, dir.File("t.png"), "128"}, 1},
        {{"thumbnail", dir.File("missing.tesl"), dir.File("t.png"), "128"}, 1},
        {{"thumbnail", text, dir.File("t.png"), "8"}, 2},
        {{"thumbnail", text, dir.File("t.png"), "5000"}, 2},
        {{"thumbnail", text, dir.File("t.png"), "big"}, 2},
        {{"thumbnail", text, dir.File("t.png")}, 2},
    };
    for (const Case& c : cases) {
        const CCliResult run = RunCliProcess(dir, c.args);
        EXPECT_EQ(run.exitCode, c.exitCode) << c.args[1] << ' ' << c.args.back();
        EXPECT_FALSE(std::filesystem::exists(dir.File("t.png")));
        EXPECT_EQ(run.err.find("tessel-cli thumbnail: "), 0u) << run.err;
        EXPECT_EQ(run.err.find('\n'), run.err.size() - 1) << run.err;
    }
}

// Past each limit of the budget the plain picture, and the reason said.
TEST(CliThumbnail, PastTheBudgetTheOuterCircleAlone) {
    CTempDir dir;
    const std::string hex = dir.File("hex.tesl");
    ASSERT_EQ(RunCliProcess(dir, {"hex", "3", hex}).exitCode, 0);
    using std::chrono::milliseconds;
    struct Case {
        ThumbnailBudget budget;
        std::string said;
    } cases[] = {
        {{}, "37 circles\n"},
        {{milliseconds(0)}, "the outer circle alone: reading and packing take longer than 0 ms\n"},
        {{milliseconds(10000), 36},
         "the outer circle alone: the document has 37 nodes, more "
         "than 36\n"},
        {{milliseconds(10000), 250000, 100}, "the outer circle alone: the file has "},
    };
    for (const Case& c : cases) {
        std::ostringstream out, err;
        CliContext context{{}, out, err};
        ASSERT_EQ(WriteThumbnail(context, hex, dir.File("t.png"), 128, c.budget), CliOk)
            << err.str();
        EXPECT_EQ(out.str().rfind(c.said, 0), 0u) << out.str();
        PngPicture picture;
        ASSERT_TRUE(DecodePng(ReadText(dir.File("t.png")), picture));
        EXPECT_EQ(DarkRuns(picture) == 2, c.said != "37 circles\n") << c.said;
    }
}

// A thumbnailer that made the file and reads the picture back through its own descriptor, as
// tumbler does, finds it there: the file is written in place, not replaced.
TEST(CliThumbnail, WritesIntoTheFileItWasGiven) {
    CTempDir dir;
    const std::string hex = dir.File("hex.tesl");
    ASSERT_EQ(RunCliProcess(dir, {"hex", "2", hex}).exitCode, 0);
    const std::string out = dir.File("tumbler-abcdef.png");
    WriteText(out, "");
    const int held = open(out.c_str(), O_RDONLY);
    ASSERT_GE(held, 0);
    EXPECT_EQ(RunCliProcess(dir, {"thumbnail", hex, out, "64"}).exitCode, 0);
    char start[8] = {};
    EXPECT_EQ(read(held, start, sizeof start), 8);
    close(held);
    EXPECT_EQ(std::string(start, 8), std::string("\x89PNG\r\n\x1a\n", 8));
}
