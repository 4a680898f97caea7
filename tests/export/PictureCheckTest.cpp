// What every export refuses before it writes: circles without finite geometry and pictures
// whose size does not fit the files' 32-bit integers; and the metafile's corner pixels.
#include "EmfReader.h"
#include "WriterTestSupport.h"
#include "document/TesselDoc.h"
#include "export/Export.h"
#include "support/TempDir.h"

#include <climits>
#include <cmath>
#include <gtest/gtest.h>
#include <limits>

namespace {

// Runs the four file exports (and the in-memory metafile) at `scale`; every one must give
// `expected`, and a refusal must leave no file behind.
void ExpectEveryExport(CTesselDoc& doc, double scale, ExportStatus expected,
                       ExportStatus expectedText) {
    TempDir dir;
    std::vector<std::uint8_t> bytes;
    EXPECT_EQ(ExportEps(doc, dir.File("a.eps"), scale, 0), expected) << scale;
    EXPECT_EQ(ExportText(doc, dir.File("a.txt"), scale, "%X %Y %R"), expectedText) << scale;
    EXPECT_EQ(ExportEmf(doc.m_circles, scale, dir.File("a.emf")), expected) << scale;
    EXPECT_EQ(RecordEmf(doc.m_circles, scale, "t", bytes), expected) << scale;
    EXPECT_EQ(ExportBitmap(doc.m_circles, {scale, false, 0}, dir.File("a.bmp")), expected) << scale;
    EXPECT_EQ(ExportBitmap(doc.m_circles, {scale, true, 0}, dir.File("b.bmp")), expected) << scale;
    if (expected != ExportStatus::Ok) {
        EXPECT_TRUE(bytes.empty());
        std::vector<std::string> left = dir.Names();
        EXPECT_EQ(left.size(), expectedText == ExportStatus::Ok ? 1u : 0u);
    }
}

CCPCircle& AddCircle(CTesselDoc& doc, double x, double y, double r) {
    auto* c = new CCPCircle; // the document's RemoveAll deletes it
    c->m_euclidCentre.Set(x, y);
    c->m_euclidRadius = r;
    doc.m_circles.Add(c);
    return *c;
}

} // namespace

TEST(PictureCheck, CirclesWithoutFiniteGeometryAreWrittenByNoExport) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    for (int field = 0; field < 6; ++field) {
        CTesselDoc doc;
        AddCircle(doc, 0.5, 0, 0.25);
        CCPCircle& bad = AddCircle(doc, 0, 0.5, 0.25);
        double& value = field % 3 == 0   ? bad.m_euclidCentre.x
                        : field % 3 == 1 ? bad.m_euclidCentre.y
                                         : bad.m_euclidRadius;
        value = field < 3 ? nan : -inf;
        ExpectEveryExport(doc, 100, ExportStatus::NotFinite, ExportStatus::NotFinite);
    }
    // Finite, but not once scaled: the text export has no size limit of its own.
    CTesselDoc doc;
    AddCircle(doc, 0.5, 0, 1e300);
    ExpectEveryExport(doc, 1e10, ExportStatus::NotFinite, ExportStatus::NotFinite);
}

TEST(PictureCheck, PicturesBeyondThirtyTwoBitSizesAreRefusedInEveryFormat) {
    CTesselDoc doc;
    AddCircle(doc, 0.5, 0, 0.25);
    doc.m_circles.m_outer.m_thickness = 1;
    TempDir dir;
    for (double scale : {1.1e9, 2147483647.0, 3e9, 1e308, std::numeric_limits<double>::max()}) {
        ExpectEveryExport(doc, scale, ExportStatus::PictureTooLarge, ExportStatus::Ok);
    }
    // The outer line width counts, either sign: a negative size is no picture either.
    for (int thickness : {INT_MIN, INT_MIN + 1000, -106, INT_MAX, INT_MAX / 2}) {
        doc.m_circles.m_outer.m_thickness = thickness;
        ExpectEveryExport(doc, 100, ExportStatus::PictureTooLarge, ExportStatus::Ok);
    }
    doc.m_circles.m_outer.m_thickness = -105; // half side 100 - 105 + 5 = 0
    EXPECT_EQ(ExportEps(doc, dir.File("zero.eps"), 100, 0), ExportStatus::PictureTooLarge);
    doc.m_circles.m_outer.m_thickness = -104; // half side 1: a 2-point picture
    EXPECT_EQ(ExportEps(doc, dir.File("one.eps"), 100, 0), ExportStatus::Ok);
    EXPECT_NE(ReadText(dir.File("one.eps")).find("%%BoundingBox: 0.000000 0.000000 2.000000"),
              std::string::npos);
}

// EPS pictures stay where Ghostscript draws them at 1200 dpi, SVG and PDF pictures within
// Cairo's fixed-point coordinates, at every outer line width a document can hold.
TEST(PictureCheck, VectorPicturesStayWithinWhatTheirReadersTake) {
    CTesselDoc doc;
    AddCircle(doc, 0.5, 0, 0.25);
    TempDir dir;
    const double justAbove = std::nextafter(kEpsMaxRadius, 1e9);
    struct Row {
        int thickness;
        double scale;
        double offset;
        ExportStatus eps;
        ExportStatus vector;
    };
    const Row rows[] = {
        {1, kEpsMaxRadius, kEpsMaxOffset, ExportStatus::Ok, ExportStatus::Ok},
        {65535, kEpsMaxRadius, kEpsMaxOffset, ExportStatus::Ok, ExportStatus::Ok},
        {1, justAbove, 0, ExportStatus::PictureTooLarge, ExportStatus::Ok},
        {1, 100, std::nextafter(kEpsMaxOffset, 1e9), ExportStatus::PictureTooLarge,
         ExportStatus::Ok},
        {1, 100, -1, ExportStatus::PictureTooLarge, ExportStatus::Ok},
        {1, 100, 1e40, ExportStatus::PictureTooLarge, ExportStatus::Ok},
        {65535, kVectorMaxRadius, 0, ExportStatus::PictureTooLarge, ExportStatus::Ok},
        // Half side 3,999,994 + 1 + 5: a side of 8,000,000 fits, one point more does not.
        {1, 3999994, 0, ExportStatus::PictureTooLarge, ExportStatus::Ok},
        {1, 3999995, 0, ExportStatus::PictureTooLarge, ExportStatus::PictureTooLarge},
        {1, 1073741817, 0, ExportStatus::PictureTooLarge, ExportStatus::PictureTooLarge},
    };
    for (const Row& row : rows) {
        doc.m_circles.m_outer.m_thickness = row.thickness;
        std::string svg;
        EXPECT_EQ(ExportEps(doc, dir.File("a.eps"), row.scale, row.offset), row.eps) << row.scale;
        EXPECT_EQ(RecordSvg(doc.m_circles, row.scale, "", svg), row.vector) << row.scale;
        EXPECT_EQ(ExportPdf(doc.m_circles, row.scale, dir.File("a.pdf")), row.vector) << row.scale;
    }
    doc.m_circles.m_outer.m_thickness = 1;
    ASSERT_EQ(ExportEps(doc, dir.File("max.eps"), kEpsMaxRadius, kEpsMaxOffset), ExportStatus::Ok);
    EXPECT_NE(ReadText(dir.File("max.eps"))
                  .find("%%BoundingBox: 100000.000000 100000.000000 300012.000000 300012.000000"),
              std::string::npos);
}

TEST(EmfExport, TheRasterOperationIsRestoredRightAfterTheCornerPixels) {
    CTesselDoc doc;
    AddCircle(doc, 0.5, 0, 0.25);
    AddCircle(doc, -0.5, 0, 0.25);
    std::vector<std::uint8_t> bytes;
    ASSERT_EQ(RecordEmf(doc.m_circles, 100, "t", bytes), ExportStatus::Ok);
    EmfFile f = ReadEmf(bytes);
    ASSERT_EQ(f.error, "");
    ASSERT_GE(f.body.size(), 5u);
    // SetROP2 no-op, two SetPixelV, SetROP2 copy-pen, and only then the first circle's SaveDC.
    const std::uint32_t types[] = {20, 15, 15, 20, 33};
    for (std::size_t i = 0; i < 5; ++i) {
        EXPECT_EQ(f.body[i].type, types[i]) << i;
    }
    EXPECT_EQ(f.body[0].params, std::vector<std::int32_t>{11});
    EXPECT_EQ(f.body[3].params, std::vector<std::int32_t>{13});
    // Nothing inside the circles' saved states changes the raster operation again.
    int rops = 0;
    for (const EmfRecord& r : f.body) {
        rops += r.type == 20;
    }
    EXPECT_EQ(rops, 2);
}
