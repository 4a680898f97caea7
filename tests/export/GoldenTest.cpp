// Golden files: the fixture documents of tests/data/golden packed and exported in every
// format, compared byte for byte with the expected files beside them. On a mismatch the
// actual file (and for pictures a difference image) is written next to the expected one.
// TESSEL_UPDATE_GOLDEN=1 writes the expected files instead (`make golden`).
#include "PngReader.h"
#include "circles/DibBuffer.h"
#include "document/TempDir.h"
#include "document/TesselDoc.h"
#include "export/Export.h"
#include "export/PngFile.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <gtest/gtest.h>

namespace {

const std::string kFolder = std::string(TESSEL_TEST_DATA) + "/golden/";
constexpr double kRadius = 40; // small pictures keep the repository light
constexpr int kPackingRuns = 30;

bool Updating() {
    const char* value = std::getenv("TESSEL_UPDATE_GOLDEN");
    return value != nullptr && std::string(value) == "1";
}

// A picture file's pixels as RGBA, or false for another kind of file.
bool Pixels(const std::string& file, PngPicture& picture) {
    if (file.rfind("\x89PNG", 0) == 0) {
        return DecodePng(file, picture);
    }
    if (file.size() < 54 || file.rfind("BM", 0) != 0) {
        return false;
    }
    auto le32 = [&](std::size_t at) {
        return std::uint8_t(file[at]) | std::uint8_t(file[at + 1]) << 8 |
               std::uint8_t(file[at + 2]) << 16 | std::uint32_t(std::uint8_t(file[at + 3])) << 24;
    };
    picture.width = int(le32(18));
    picture.height = int(le32(22));
    std::size_t stride = (std::size_t(picture.width) * 3 + 3) & ~std::size_t(3);
    if (54 + stride * std::size_t(picture.height) > file.size()) {
        return false;
    }
    picture.rgba.clear();
    for (int y = 0; y < picture.height; ++y) {
        const char* row = file.data() + 54 + std::size_t(picture.height - 1 - y) * stride;
        for (int x = 0; x < picture.width; ++x) {
            picture.rgba.insert(picture.rgba.end(),
                                {std::uint8_t(row[3 * x + 2]), std::uint8_t(row[3 * x + 1]),
                                 std::uint8_t(row[3 * x]), 255});
        }
    }
    return true;
}

// Red where the pictures differ (brighter for a larger difference), the expected picture
// faded elsewhere; empty when they cannot be compared pixel by pixel.
std::vector<std::uint8_t> DifferenceImage(const std::string& expected, const std::string& actual,
                                          int& differing) {
    PngPicture a, b;
    differing = 0;
    if (!Pixels(expected, a) || !Pixels(actual, b) || a.width != b.width || a.height != b.height) {
        return {};
    }
    CDibBuffer image;
    image.Create(a.width, a.height);
    for (int y = 0; y < a.height; ++y) {
        for (int x = 0; x < a.width; ++x) {
            std::size_t at = 4 * (std::size_t(y) * a.width + x);
            int largest = 0;
            for (int k = 0; k < 4; ++k) {
                largest = std::max(largest, std::abs(a.rgba[at + k] - b.rgba[at + k]));
            }
            differing += largest > 0;
            int grey = 192 + a.rgba[at + 1] / 4;
            image.SetPixel(x, y,
                           largest > 0 ? MakeRgb(unsigned(std::min(255, 128 + 8 * largest)), 0, 0)
                                       : MakeRgb(grey, grey, grey));
        }
    }
    std::vector<std::uint8_t> png;
    EncodePng(image, 96, png);
    return png;
}

// Compares the file `written` with the expected file `name`, or replaces it when updating.
void Compare(const std::string& written, const std::string& name) {
    const std::string expectedPath = kFolder + name;
    const std::string actual = ReadText(written);
    ASSERT_FALSE(actual.empty()) << name << " was not written";
    if (Updating()) {
        std::filesystem::copy_file(written, expectedPath,
                                   std::filesystem::copy_options::overwrite_existing);
        return;
    }
    const std::string expected = ReadText(expectedPath);
    const std::size_t dot = name.rfind('.');
    const std::string actualPath = kFolder + name.substr(0, dot) + ".actual" + name.substr(dot);
    const std::string diffPath = kFolder + name + ".diff.png";
    std::filesystem::remove(actualPath);
    std::filesystem::remove(diffPath);
    if (actual == expected) {
        return;
    }
    std::filesystem::copy_file(written, actualPath);
    int differing = 0;
    std::vector<std::uint8_t> diff = DifferenceImage(expected, actual, differing);
    std::string picture;
    if (!diff.empty()) {
        WriteText(diffPath, std::string(diff.begin(), diff.end()));
        picture = "; " + std::to_string(differing) + " pixels differ, shown in " + diffPath;
    }
    ADD_FAILURE() << name << " differs from the expected file.\n  expected: " << expectedPath
                  << (expected.empty() ? " (missing)" : "") << "\n  actual:   " << actualPath
                  << picture
                  << "\nIf the change is meant (a writer or the packing changed), regenerate "
                     "the expected files with `make golden` and review them.";
}

struct Export {
    const char* name;
    std::function<ExportStatus(const CTesselDoc&, const std::string&)> write;
};

PngSetup Png(bool antialias, bool transparent) {
    PngSetup setup;
    setup.radius = kRadius;
    setup.antialias = antialias;
    setup.background = 0x00E0FFE0;
    setup.transparent = transparent;
    setup.dpi = 150;
    return setup;
}

const Export kExports[] = {
    {"eps", [](const CTesselDoc& d, const std::string& p) { return ExportEps(d, p, kRadius, 0); }},
    {"txt",
     [](const CTesselDoc& d, const std::string& p) {
         return ExportText(d, p, kRadius, "%X %Y %R %T %HIR%HIG%HIB %FLR %FLG %FLB");
     }},
    {"bmp",
     [](const CTesselDoc& d, const std::string& p) {
         return ExportBitmap(d.m_circles, {kRadius, false, 0x00E0FFE0}, p);
     }},
    {"aa.bmp",
     [](const CTesselDoc& d, const std::string& p) {
         return ExportBitmap(d.m_circles, {kRadius, true, 0x00E0FFE0}, p);
     }},
    {"emf",
     [](const CTesselDoc& d, const std::string& p) { return ExportEmf(d.m_circles, kRadius, p); }},
    {"svg",
     [](const CTesselDoc& d, const std::string& p) { return ExportSvg(d.m_circles, kRadius, p); }},
    {"pdf",
     [](const CTesselDoc& d, const std::string& p) { return ExportPdf(d.m_circles, kRadius, p); }},
    {"png", [](const CTesselDoc& d,
               const std::string& p) { return ExportPng(d.m_circles, Png(false, false), p); }},
    {"aa.png", [](const CTesselDoc& d,
                  const std::string& p) { return ExportPng(d.m_circles, Png(true, false), p); }},
    {"clear.png", [](const CTesselDoc& d,
                     const std::string& p) { return ExportPng(d.m_circles, Png(false, true), p); }},
    {"aa-clear.png",
     [](const CTesselDoc& d, const std::string& p) {
         return ExportPng(d.m_circles, Png(true, true), p);
     }},
};

} // namespace

TEST(Golden, EveryFormatOfEveryFixture) {
    const char* const fixtures[] = {"hex7"};
    for (const char* fixture : fixtures) {
        CTesselDoc doc;
        std::string error;
        ASSERT_TRUE(doc.OnOpenDocument(kFolder + fixture + ".tesl", error)) << error;
        for (int run = 0; run < kPackingRuns; ++run) {
            ASSERT_TRUE(doc.RunPacking());
        }
        CTempDir dir;
        for (const Export& e : kExports) {
            // Titles in EMF, SVG and PDF are the file's name: the same as the expected file's.
            const std::string name = std::string(fixture) + "." + e.name;
            SCOPED_TRACE(name);
            ASSERT_EQ(e.write(doc, dir.File(name)), ExportStatus::Ok);
            Compare(dir.File(name), name);
        }
    }
}
