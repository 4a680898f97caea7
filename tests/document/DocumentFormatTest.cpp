// The document file: the exact bytes of the starting triangle, lossless round trips, and
// opening and saving files the way the editor does.
#include "FileBuilder.h"
#include "TempDir.h"
#include "document/GraphBuilder.h"
#include "document/TesselDoc.h"
#include "model/GraphCheck.h"
#include "model/GraphInvariants.h"

#include <cmath>
#include <gtest/gtest.h>
#include <random>

namespace {

using Bytes = std::vector<std::uint8_t>;

std::string Describe(const CTesselDoc& doc) {
    return DescribeGraph(doc.m_nodes, doc.m_edges);
}

std::string Styles(const CTesselDoc& doc) {
    std::string text;
    auto add = [&](const CCPCircle& c) {
        text += std::to_string(c.m_innerCol) + "," + std::to_string(c.m_lineCol) + "," +
                std::to_string(c.m_thickness) + ";";
    };
    add(doc.m_circles.m_outer);
    for (const CCPNode* node : doc.m_nodes.m_array) {
        add(*node->m_circle);
    }
    return text;
}

// Gives every circle its own style and some nodes a highlight, so a round trip shows both.
void Decorate(CTesselDoc& doc, unsigned seed) {
    std::mt19937 random(seed);
    for (CCPNode* node : doc.m_nodes.m_array) {
        node->m_circle->m_innerCol = random() & 0xFFFFFF;
        node->m_circle->m_lineCol = random() & 0xFFFFFF;
        // Widths as the editor keeps them; a negative one opens as 0 (tested below).
        node->m_circle->m_thickness = static_cast<int>(random() % 40);
        node->m_highlight = random() % 2;
        doc.m_circles.Add(node->m_circle);
    }
    doc.m_circles.m_outer.m_innerCol = 0x123456;
    doc.m_circles.m_outer.m_thickness = 7;
    doc.m_extentX = 321.5;
    doc.m_extentY = 123.25;
}

void ExpectSameAfterRoundTrip(CTesselDoc& doc) {
    Bytes saved = doc.SaveToBytes();
    CTesselDoc loaded;
    std::string error;
    ASSERT_TRUE(loaded.LoadFromBytes(saved, error)) << error;
    EXPECT_EQ(Describe(loaded), Describe(doc));
    EXPECT_EQ(Styles(loaded), Styles(doc));
    EXPECT_EQ(loaded.m_extentX, doc.m_extentX);
    EXPECT_EQ(loaded.m_extentY, doc.m_extentY);
    EXPECT_EQ(loaded.m_circles.GetCount(), 0);
    EXPECT_FALSE(loaded.IsModified());
    for (std::size_t i = 0; i < loaded.m_nodes.m_array.size(); ++i) {
        EXPECT_EQ(loaded.m_nodes.m_array[i]->m_highlight, 0);
        EXPECT_EQ(loaded.m_nodes.m_array[i]->m_circle->m_radius, 1.0);
    }
    EXPECT_EQ(loaded.SaveToBytes(), saved);
}

} // namespace

TEST(DocumentFormat, TheStartingTriangleIs223BytesInTheFixedLayout) {
    CTesselDoc doc;
    doc.OnNewDocument();
    Bytes bytes = doc.SaveToBytes();
    ASSERT_EQ(bytes.size(), 223u);

    CFileGraph expected;
    const CCPNode* p = doc.GetNodeAt(0);
    const CCPNode* q = doc.GetNodeAt(1);
    const CCPNode* r = doc.GetNodeAt(2);
    expected.nodes = {{p->x, p->y, {0, 2}, 2}, {q->x, q->y, {1, 0}, 2}, {r->x, r->y, {2, 1}, 2}};
    expected.edges = {{0, 1, 0}, {1, 2, 0}, {2, 0, 0}};
    EXPECT_EQ(bytes, EncodeFile(expected));
    // The three circles: the class record once, then the known-class tag.
    EXPECT_EQ(std::string(bytes.begin() + 62, bytes.begin() + 71), "CCPCircle");
    EXPECT_EQ(bytes[56], 0xFF);
    EXPECT_EQ(bytes[57], 0xFF);
    EXPECT_EQ(bytes[83 + 32], 0x01);
    EXPECT_EQ(bytes[83 + 33], 0x80);
}

TEST(DocumentFormat, RoundTripsKeepOrderFansOrientationFlagsExtentsAndStyles) {
    CTesselDoc triangle;
    triangle.OnNewDocument();
    Decorate(triangle, 1);
    ExpectSameAfterRoundTrip(triangle);

    CTesselDoc hex;
    ASSERT_TRUE(BuildHexDisk(hex, 4));
    Decorate(hex, 2);
    ExpectSameAfterRoundTrip(hex);

    CTesselDoc random;
    ASSERT_TRUE(BuildRandomDisk(random, 300, 7));
    // Deleting an edge turns two boundary edges round: orientations must survive too.
    for (CCPEdge* edge : random.m_edges.m_array) {
        if (random.CanDeleteEdge(edge)) {
            ASSERT_TRUE(random.DeleteEdge(edge));
            break;
        }
    }
    Decorate(random, 3);
    ExpectSameAfterRoundTrip(random);
}

TEST(DocumentFormat, AGraphWithoutNodesOpensAsTheStartingTriangle) {
    CTesselDoc doc;
    doc.SetViewRadius(600);
    std::string error;
    ASSERT_TRUE(doc.LoadFromBytes(Bytes{}, error)) << error;
    EXPECT_EQ(doc.m_nodes.GetSize(), 3);
    EXPECT_TRUE(doc.IsModified());
    EXPECT_DOUBLE_EQ(doc.GetNodeAt(0)->y, -200.0);

    CTesselDoc empty;
    Bytes counts = EncodeFile(CFileGraph{});
    ASSERT_EQ(counts.size(), 36u);
    ASSERT_TRUE(empty.LoadFromBytes(counts, error)) << error;
    EXPECT_EQ(empty.m_nodes.GetSize(), 3);
    EXPECT_EQ(empty.m_edges.GetSize(), 3);
    EXPECT_TRUE(empty.IsModified());
}

TEST(DocumentFormat, SharedOrMissingCirclesBecomeCirclesOfTheirOwn) {
    Bytes bytes = EncodeFile(Wheel(), {0x00FF00, 0x0000FF, 3});
    // The third node's circle as a back-reference to the first circle (number 2), the
    // fourth's as no circle at all; each tag replaces a known-class tag and its body.
    std::size_t first = 24;
    auto nodeSize = [](std::size_t k) { return 16 + 4 + 4 * k + 4; };
    std::size_t third = first + nodeSize(4) + 27 + nodeSize(3) + 14 + nodeSize(3);
    Bytes edited(bytes.begin(), bytes.begin() + third);
    edited.insert(edited.end(), {0x02, 0x00});
    std::size_t fourth = third + 14;
    edited.insert(edited.end(), bytes.begin() + fourth, bytes.begin() + fourth + nodeSize(3));
    edited.insert(edited.end(), {0x00, 0x00});
    edited.insert(edited.end(), bytes.begin() + fourth + nodeSize(3) + 14, bytes.end());

    CTesselDoc doc;
    std::string error;
    ASSERT_TRUE(doc.LoadFromBytes(edited, error)) << error;
    std::string problem;
    EXPECT_TRUE(CheckGraph(doc.m_nodes, doc.m_edges, &problem)) << problem;
    EXPECT_EQ(doc.GetNodeAt(2)->m_circle->m_lineCol, 0x0000FFu);
    EXPECT_EQ(doc.GetNodeAt(2)->m_circle->m_thickness, 3);
    EXPECT_NE(doc.GetNodeAt(2)->m_circle, doc.GetNodeAt(0)->m_circle);
    EXPECT_NE(doc.GetNodeAt(3)->m_circle, nullptr);
}

// A width below zero (no outline) opens as 0, so drawing never has to correct it; the file
// saved again says 0 too.
TEST(DocumentFormat, ANegativeLineWidthOpensAsZero) {
    CTesselDoc doc;
    std::string error;
    ASSERT_TRUE(doc.LoadFromBytes(EncodeFile(Wheel(), {0x00FF00, 0x0000FF, -5}), error)) << error;
    EXPECT_EQ(doc.m_circles.m_outer.m_thickness, 0);
    for (const CCPNode* node : doc.m_nodes.m_array) {
        EXPECT_EQ(node->m_circle->m_thickness, 0);
        EXPECT_EQ(node->m_circle->m_lineCol, 0x0000FFu);
    }
    CTesselDoc zero;
    ASSERT_TRUE(zero.LoadFromBytes(EncodeFile(Wheel(), {0x00FF00, 0x0000FF, 0}), error)) << error;
    EXPECT_EQ(doc.SaveToBytes(), zero.SaveToBytes());
}

TEST(DocumentFile, OpenAndSaveReportFailuresAndKeepWhatTheUserHad) {
    CTempDir dir;
    std::string error;
    CTesselDoc doc;
    ASSERT_TRUE(BuildHexDisk(doc, 2));
    ASSERT_TRUE(doc.OnSaveDocument(dir.File("hex.tesl"), error)) << error;
    EXPECT_FALSE(doc.IsModified());
    std::string saved = ReadText(dir.File("hex.tesl"));

    CTesselDoc opened;
    ASSERT_TRUE(opened.OnOpenDocument(dir.File("hex.tesl"), error)) << error;
    EXPECT_EQ(Describe(opened), Describe(doc));
    EXPECT_FALSE(opened.IsModified());

    // A failed save: the target is a folder; the document stays modified.
    opened.ClickAdd(*opened.GetNodeAt(opened.m_nodes.GetSize() - 1));
    opened.SetModifiedFlag(true);
    std::filesystem::create_directory(dir.File("folder.tesl"));
    EXPECT_FALSE(opened.OnSaveDocument(dir.File("folder.tesl"), error));
    EXPECT_NE(error.find("folder.tesl"), std::string::npos) << error;
    EXPECT_TRUE(opened.IsModified());

    // A damaged file over the saved one is refused; the document is unchanged.
    WriteText(dir.File("bad.tesl"), saved.substr(0, saved.size() - 5));
    std::string before = Describe(opened);
    EXPECT_FALSE(opened.OnOpenDocument(dir.File("bad.tesl"), error));
    EXPECT_NE(error.find("bad.tesl"), std::string::npos) << error;
    EXPECT_NE(error.find("truncated"), std::string::npos) << error;
    EXPECT_EQ(Describe(opened), before);
    EXPECT_TRUE(opened.IsModified());

    EXPECT_FALSE(opened.OnOpenDocument(dir.File("missing.tesl"), error));
    EXPECT_NE(error.find("does not exist"), std::string::npos) << error;
    EXPECT_EQ(ReadText(dir.File("hex.tesl")), saved);

    // What opening would refuse is never written: the old file stays as it was.
    opened.GetNodeAt(3)->x = std::nan("");
    EXPECT_FALSE(opened.OnSaveDocument(dir.File("hex.tesl"), error));
    EXPECT_EQ(error,
              "Cannot save \"" + dir.File("hex.tesl") + "\": node 3 has no finite position.");
    EXPECT_TRUE(opened.IsModified());
    EXPECT_EQ(ReadText(dir.File("hex.tesl")), saved);
}

TEST(DocumentFile, ReplacingAFileLeavesNoTemporaryBehind) {
    CTempDir dir;
    std::string error;
    CTesselDoc doc;
    doc.OnNewDocument();
    ASSERT_TRUE(doc.OnSaveDocument(dir.File("a.tesl"), error));
    ASSERT_TRUE(BuildHexDisk(doc, 1));
    ASSERT_TRUE(doc.OnSaveDocument(dir.File("a.tesl"), error));
    int entries = 0;
    for ([[maybe_unused]] auto& entry : std::filesystem::directory_iterator(dir.Path())) {
        ++entries;
    }
    EXPECT_EQ(entries, 1);
    CTesselDoc back;
    ASSERT_TRUE(back.OnOpenDocument(dir.File("a.tesl"), error)) << error;
    EXPECT_EQ(back.m_nodes.GetSize(), 7);
}
