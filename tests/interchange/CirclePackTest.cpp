// CirclePack packing files: the graph and the packing through a file and back, CirclePack's
// conventions for the disk on hand-written files, and what the reader refuses.
#include "circles/CPCircle.h"
#include "document/GraphBuilder.h"
#include "document/TempDir.h"
#include "document/TesselDoc.h"
#include "interchange/CirclePackDocument.h"
#include "interchange/Import.h"
#include "packing/ConvergedPacking.h"

#include <cmath>
#include <functional>
#include <gtest/gtest.h>

namespace {

std::vector<std::vector<int>> Fans(const CTesselDoc& doc) {
    std::vector<std::vector<int>> fans;
    for (const CCPNode* node : doc.m_nodes.m_array) {
        fans.emplace_back();
        for (int i = 0; i < node->GetEdgeCount(); ++i) {
            fans.back().push_back(doc.IndexOfNode(node->GetNeighbour(i)));
        }
    }
    return fans;
}

std::vector<int> Kinds(const CTesselDoc& doc) {
    std::vector<int> kinds;
    for (const CCPNode* node : doc.m_nodes.m_array) {
        kinds.push_back(node->m_kind);
    }
    return kinds;
}

std::string Export(const CTesselDoc& doc) {
    std::string problem;
    std::string text = ExportCirclePack(doc, "test", problem);
    EXPECT_EQ(problem, "");
    return text;
}

bool Import(CTesselDoc& doc, const std::string& text, std::vector<std::string>* notes = nullptr,
            std::string* error = nullptr) {
    std::vector<std::string> kept;
    std::string fault;
    bool ok = ImportCirclePack(doc, text, notes ? *notes : kept, error ? *error : fault);
    EXPECT_TRUE(ok || error) << fault;
    return ok;
}

struct DiskCase {
    const char* name;
    std::function<void(CTesselDoc&)> build;
};

const DiskCase kDisks[] = {
    {"hex 1", [](CTesselDoc& doc) { BuildHexDisk(doc, 1); }},
    {"hex 4", [](CTesselDoc& doc) { BuildHexDisk(doc, 4); }},
    {"random 60", [](CTesselDoc& doc) { BuildRandomDisk(doc, 60, 7); }},
    {"random 500", [](CTesselDoc& doc) { BuildRandomDisk(doc, 500, 3); }},
};

} // namespace

TEST(CirclePackFile, GraphsComeBackWithTheirNodeOrderFansAndKinds) {
    for (const DiskCase& disk : kDisks) {
        SCOPED_TRACE(disk.name);
        CTesselDoc doc, back;
        disk.build(doc);
        ASSERT_TRUE(Import(back, Export(doc)));
        EXPECT_EQ(Fans(back), Fans(doc));
        EXPECT_EQ(Kinds(back), Kinds(doc));
    }
}

TEST(CirclePackFile, PackingsComeBackWithTheirRadiiAndCircles) {
    for (const DiskCase& disk : kDisks) {
        SCOPED_TRACE(disk.name);
        CTesselDoc doc, back;
        disk.build(doc);
        CConvergedPacking packing;
        ASSERT_TRUE(doc.PackToConvergence(1e-13, {}, packing));
        std::vector<std::string> notes;
        back.EnableHistory();
        ASSERT_TRUE(Import(back, Export(doc), &notes));
        EXPECT_TRUE(notes.empty());
        // Undo has nothing to go back to: before the import there was another document.
        EXPECT_FALSE(back.History().CanUndo());
        ASSERT_EQ(back.m_circles.GetCount(), doc.m_nodes.GetSize());
        for (int v = 0; v < doc.m_nodes.GetSize(); ++v) {
            const CCPCircle& was = *doc.GetNodeAt(v)->m_circle;
            const CCPCircle& is = *back.GetNodeAt(v)->m_circle;
            if (doc.GetNodeAt(v)->m_kind == Inner) {
                EXPECT_NEAR(is.m_radius, was.m_radius, 1e-12 * was.m_radius) << v;
            }
            EXPECT_NEAR(is.m_euclidRadius, was.m_euclidRadius, 1e-12) << v;
            EXPECT_NEAR(is.m_euclidCentre.x, was.m_euclidCentre.x, 1e-12) << v;
            EXPECT_NEAR(is.m_euclidCentre.y, was.m_euclidCentre.y, 1e-12) << v;
            // The nodes stand on their circles' centres, as after a packing run.
            EXPECT_NEAR(back.GetNodeAt(v)->x, doc.GetNodeAt(v)->x, 1e-9) << v;
        }
    }
}

// CirclePack's frame has y up: a flower listed counter-clockwise there turns the model's
// positive way once y is flipped, and its circles are mirrored in the x axis.
TEST(CirclePackFile, ReadsCirclePacksConventionsForTheDisk) {
    CTesselDoc doc;
    std::vector<std::string> notes;
    ASSERT_TRUE(Import(doc, ReadText(TESSEL_TEST_DATA "/interchange/seed3.p"), &notes));
    EXPECT_EQ(Fans(doc),
              (std::vector<std::vector<int>>{{1, 3, 2}, {3, 0, 2}, {1, 0, 3}, {2, 0, 1}}));
    EXPECT_EQ(Kinds(doc), (std::vector<int>{Inner, Outer, Outer, Outer}));
    EXPECT_EQ(notes, std::vector<std::string>{"sections not read: ANGLE_AIMS"});
    struct Expected {
        double x, y, r; // the Euclidean circle in the model's frame
    };
    const Expected expected[] = {
        {0, 0, std::tanh(0.25)}, {0, -0.6, 0.4}, {0, 0, 0}, {0.6 * 0.7, 0.8 * 0.7, 0.3}};
    for (int v : {0, 1, 3}) {
        const CCPCircle& circle = *doc.GetNodeAt(v)->m_circle;
        EXPECT_NEAR(circle.m_euclidCentre.x, expected[v].x, 1e-15) << v;
        EXPECT_NEAR(circle.m_euclidCentre.y, expected[v].y, 1e-15) << v;
        EXPECT_NEAR(circle.m_euclidRadius, expected[v].r, 1e-15) << v;
    }
    // A finite circle off the centre: its hyperbolic centre is the file's, mirrored.
    const CCPCircle& off = *doc.GetNodeAt(2)->m_circle;
    EXPECT_NEAR(off.m_diskCentre.x, -0.3, 1e-15);
    EXPECT_NEAR(off.m_diskCentre.y, 0.1, 1e-15);
    EXPECT_DOUBLE_EQ(off.m_radius, 0.25);
    // Written out, the circles are what the file said.
    const std::string text = Export(doc);
    EXPECT_NE(text.find("RADII: \n0.5  -0.4  0.25  -0.3\n"), std::string::npos) << text;
    EXPECT_NE(text.find("1 3   2 3 4 2\n"), std::string::npos) << text;
}

TEST(CirclePackFile, OtherGeometriesGiveTheirCombinatoricsPackedAnew) {
    CTesselDoc doc;
    std::vector<std::string> notes;
    doc.EnableHistory();
    ASSERT_TRUE(Import(doc, ReadText(TESSEL_TEST_DATA "/interchange/hex1-euclidean.p"), &notes));
    EXPECT_FALSE(doc.History().CanUndo());
    EXPECT_EQ(doc.m_nodes.GetSize(), 7);
    EXPECT_EQ(doc.GetNodeAt(0)->m_kind, Inner);
    ASSERT_EQ(notes.size(), 2u);
    EXPECT_NE(notes[0].find("euclidean"), std::string::npos);
    EXPECT_EQ(notes[1], "sections not read: COLORS");
    // Packed anew: the centre circle in the middle, six horocycles around it.
    EXPECT_EQ(doc.m_circles.GetCount(), 7);
    EXPECT_NEAR(doc.GetNodeAt(0)->m_circle->m_euclidCentre.Abs(), 0, 1e-12);
}

TEST(CirclePackFile, RefusesFaultyFilesNamingTheLine) {
    const std::string head = "NODECOUNT: 4\nGEOMETRY: hyperbolic\nFLOWERS:\n";
    const std::string good = "1 3 2 3 4 2\n2 2 3 1 4\n3 2 4 1 2\n4 2 2 1 3\n";
    struct Case {
        std::string text;
        std::string error;
    };
    const Case cases[] = {
        {"", "there is no NODECOUNT: the file is no packing"},
        {"hello\n1 2 3\n", "there is no NODECOUNT: the file is no packing"},
        {"CHECKCOUNT: 4\n", "line 1: the file holds CHECKCOUNT data, not a packing (NODECOUNT)"},
        {"NODECOUNT: 2\n", "line 1: NODECOUNT must be a whole number from 3 to 20000000, not '2'"},
        {"NODECOUNT: 99999999999\n", "line 1: NODECOUNT must be a whole number from 3 to "
                                     "20000000, not '99999999999'"},
        {"NODECOUNT: 4\nNODECOUNT: 4\n", "line 2: NODECOUNT is given twice"},
        {"FLOWERS:\n1 1 2 3\n", "line 1: FLOWERS come before NODECOUNT"},
        {"NODECOUNT: 4\n", "there are no FLOWERS"},
        {head + "1 3 2 3 4 2\n", "line 4: the file ends after 1 of 4 flowers"},
        {"NODECOUNT: 20000000\nFLOWERS:\n20000000 1 1 2\n",
         "line 3: the file ends after 1 of 20000000 flowers"},
        {head + "1 3 2 3 4\n", "line 4: vertex 1 lists 3 petals where its 3 faces need 4"},
        {head + "1 3 2 3 x 2\n", "line 4: vertex 1 has the petal 'x', which is no other vertex"},
        {head + "1 3 2 3 1 2\n", "line 4: vertex 1 has the petal '1', which is no other vertex"},
        {head + "1 3 2 3 5 2\n", "line 4: vertex 1 has the petal '5', which is no other vertex"},
        {head + "5 2 1 2 3\n", "line 4: a flower must start with a vertex from 1 to 4"},
        {head + "1 0 2\n", "line 4: vertex 1 announces '0' faces, not a number from 1 to 4"},
        {head + "1 3 2 3 4 2\nEND\n", "line 5: FLOWERS end after 1 of 4 vertices"},
        {head + "1 3 2 3 4 2\n1 3 2 3 4 2\n3 2 4 1 2\n4 2 2 1 3\n",
         "line 5: vertex 1 has a second flower"},
        {head + "1 3 2 3 3 2\n" + good.substr(12),
         "line 4: vertex 1 has the petal 3 twice in a row"},
        // Vertex 2 claims a triangle that vertex 1's flower does not hold.
        {head + "1 3 2 3 4 2\n2 2 4 1 3\n3 2 4 1 2\n4 2 2 1 3\n",
         "line 5: the flower of vertex 2 does not agree with its petals' flowers"},
        // Vertex 1 goes round vertex 2 twice: four triangles on the side between them.
        {"NODECOUNT: 4\nFLOWERS:\n1 4 2 3 2 4 2\n2 2 3 1 4\n3 1 1 2\n4 1 2 1\n",
         "line 3: the side between vertex 1 and vertex 2 belongs to 4 triangles"},
        {head + good + "RADII:\n1 2 3\n", "line 9: the file ends after 3 of 4 numbers of RADII"},
        {head + good + "RADII:\n1 2 x 4\n", "line 9: RADII hold 'x' after 2 of 4 numbers"},
        {head + good + "RADII:\n1 2 nan 4\n", "line 9: RADII hold 'nan' after 2 of 4 numbers"},
        {head + good + "CENTERS:\n1 2 3 4 5 6 7 8 9\n", "line 9: CENTERS hold more than 8 numbers"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        CTesselDoc doc;
        doc.OnNewDocument();
        const std::vector<std::uint8_t> before = doc.SaveToBytes();
        std::string error;
        EXPECT_FALSE(Import(doc, c.text, nullptr, &error));
        EXPECT_EQ(error, c.error);
        EXPECT_EQ(doc.SaveToBytes(), before);
    }
}

TEST(CirclePackFile, ImportFileNamesTheFileAndChoosesByExtension) {
    CTempDir dir;
    WriteText(dir.File("bad.P"), "NODECOUNT: 4\nNODECOUNT: 5\n");
    CTesselDoc doc;
    std::vector<std::string> notes;
    std::string error;
    ASSERT_EQ(ImportFormatOf(dir.File("bad.P")), ImportFormat::CirclePack);
    EXPECT_FALSE(ImportFile(doc, dir.File("bad.P"), {}, notes, error));
    EXPECT_EQ(error,
              "Cannot import \"" + dir.File("bad.P") + "\": line 2: NODECOUNT is given twice");
    EXPECT_FALSE(ImportFile(doc, dir.File("none.p"), {}, notes, error));
    EXPECT_EQ(error, "Cannot import \"" + dir.File("none.p") + "\": the file does not exist.");
    EXPECT_EQ(ImportFormatOf("mesh.OFF"), ImportFormat::Off);
    EXPECT_EQ(ImportFormatOf("a.obj"), ImportFormat::Obj);
    EXPECT_EQ(ImportFormatOf("cloud.xy"), ImportFormat::Points);
    EXPECT_EQ(ImportFormatOf("a.tesl"), std::nullopt);
}
