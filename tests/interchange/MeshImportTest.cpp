// OFF and OBJ meshes and point sets as documents: what becomes a disk, what is refused as what
// it is, and that the graph's triangles turn the model's positive way.
#include "document/TempDir.h"
#include "document/TesselDoc.h"
#include "interchange/Import.h"
#include "model/DiskCheck.h"

#include <cmath>
#include <gtest/gtest.h>

namespace {

struct Outcome {
    bool ok = false;
    std::string error;
    std::vector<std::string> notes;
};

Outcome ImportInto(CTesselDoc& doc, ImportFormat format, const std::string& text,
                   bool largest = false) {
    Outcome outcome;
    outcome.ok = ImportText(doc, text, {format, largest}, outcome.notes, outcome.error);
    return outcome;
}

// The signed area of every node's fan triangles in the model frame: positive when they turn
// from +x towards +y.
bool FansTurnPositively(const CTesselDoc& doc) {
    for (const CCPNode* node : doc.m_nodes.m_array) {
        const int n = node->GetEdgeCount();
        for (int i = 0; i + 1 < n || (node->m_kind == Inner && i < n); ++i) {
            const CDPoint a = *node->GetNeighbour(i) - *node;
            const CDPoint b = *node->GetNeighbour((i + 1) % n) - *node;
            if (a.x * b.y - a.y * b.x <= 0) {
                return false;
            }
        }
    }
    return true;
}

// Every node finite and inside the graph area.
bool InsideTheArea(const CTesselDoc& doc) {
    for (const CCPNode* node : doc.m_nodes.m_array) {
        if (!(std::fabs(node->x) <= doc.m_extentX && std::fabs(node->y) <= doc.m_extentY)) {
            return false;
        }
    }
    return true;
}

// What every import must leave: one sound disk of that many nodes, that many of them inner,
// its fans turning the model's positive way, inside the graph area.
void ExpectDisk(const CTesselDoc& doc, int nodes, int inner) {
    EXPECT_EQ(doc.m_nodes.GetSize(), nodes);
    int found = 0;
    for (const CCPNode* node : doc.m_nodes.m_array) {
        found += node->m_kind == Inner;
    }
    EXPECT_EQ(found, inner);
    EXPECT_EQ(FindDiskProblem(doc.m_nodes, doc.m_edges), "");
    EXPECT_TRUE(FansTurnPositively(doc));
    EXPECT_TRUE(InsideTheArea(doc));
}

// A 3 x 3 grid of squares in the plane z = 1, as quadrilaterals.
const char* kGridOff = "OFF\n# a comment\n16 9 0\n"
                       "0 0 1\n1 0 1\n2 0 1\n3 0 1\n0 1 1\n1 1 1\n2 1 1\n3 1 1\n"
                       "0 2 1\n1 2 1\n2 2 1\n3 2 1\n0 3 1\n1 3 1\n2 3 1\n3 3 1\n"
                       "4 0 1 5 4\n4 1 2 6 5\n4 2 3 7 6\n4 4 5 9 8\n4 5 6 10 9\n"
                       "4 6 7 11 10\n4 8 9 13 12\n4 9 10 14 13\n4 10 11 15 14\n";

} // namespace

TEST(MeshImport, DisksBecomeDocumentsSeenFromTheirFaces) {
    struct Case {
        const char* name;
        ImportFormat format;
        std::string text;
        int nodes;
        int inner;
        std::vector<std::string> notes;
    };
    const Case cases[] = {
        {"grid of quadrilaterals", ImportFormat::Off, kGridOff, 16, 4, {}},
        {"the same faces turned the other way",
         ImportFormat::Off,
         "OFF 16 9 0\n0 0 1\n1 0 1\n2 0 1\n3 0 1\n0 1 1\n1 1 1\n2 1 1\n3 1 1\n"
         "0 2 1\n1 2 1\n2 2 1\n3 2 1\n0 3 1\n1 3 1\n2 3 1\n3 3 1\n"
         "4 4 5 1 0\n4 5 6 2 1\n4 6 7 3 2\n4 8 9 5 4\n4 9 10 6 5\n"
         "4 10 11 7 6\n4 12 13 9 8\n4 13 14 10 9\n4 14 15 11 10\n",
         16,
         4,
         {}},
        // One face of three turned against the others is turned back.
        {"faces that disagree",
         ImportFormat::Obj,
         "v 1 0 0\nv 0 1 0\nv -1 0 0\nv 0 -1 0\nv 0 0 0.5\n"
         "f 5 1 2\nf 5 3 2\nf 5 3 4\nf 5 4 1\n",
         5,
         1,
         {}},
        {"OBJ corners with textures and normals, negative ones, and other statements",
         ImportFormat::Obj,
         "# square\nmtllib a.mtl\nv 0 0 0\nv 1 0 0\nv 1 1 0\nv 0 1 0\nv 0.5 0.5 0.1\nvt 0 0\n"
         "vn 0 0 1\nusemtl red\nf 1/1/1 2/1/1 5/1/1\nf 2//1 3//1 5//1\nf -3 -2 -1\nf 4 1 5\n",
         5,
         1,
         {"statements not read: 'mtllib', 'usemtl', 'vn', 'vt'"}},
        {"a vertex in no face",
         ImportFormat::Off,
         "OFF\n4 1 0\n0 0 0\n1 0 0\n0 1 0\n9 9 9\n3 0 1 2\n",
         3,
         0,
         {"1 vertices belong to no face and were left out"}},
        {"two parts, the largest on request",
         ImportFormat::Obj,
         "v 0 0 0\nv 1 0 0\nv 0 1 0\nv 5 5 0\nv 6 5 0\nv 5 6 0\nv 6 6 0\n"
         "f 1 2 3\nf 4 5 7\nf 4 7 6\n",
         4,
         0,
         {"the mesh has 2 separate parts: the largest, of 2 triangles, was imported"}},
        // Sums and differences of these overflow unless fitted with care.
        {"coordinates near the largest double",
         ImportFormat::Off,
         "OFF\n4 2 0\n-1.7e308 -1.7e308 1e308\n1.7e308 -1.7e308 -1e308\n"
         "1.7e308 1.7e308 1e308\n-1.7e308 1.7e308 -1e308\n3 0 1 2\n3 0 2 3\n",
         4,
         0,
         {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CTesselDoc doc;
        Outcome outcome = ImportInto(doc, c.format, c.text, true);
        ASSERT_TRUE(outcome.ok) << outcome.error;
        EXPECT_EQ(outcome.notes, c.notes);
        ExpectDisk(doc, c.nodes, c.inner);
        EXPECT_TRUE(doc.IsModified());
    }
}

TEST(MeshImport, SeenFromTheFrontTheGridKeepsItsHandedness) {
    // Vertex 1 lies right of vertex 0 and vertex 4 above it (y up in the file). On the screen,
    // whose y points down, the turn from "right" to "up" is negative, whatever the rotation
    // the plane's axes give the picture; a mirrored picture would turn it positive.
    CTesselDoc doc;
    ASSERT_TRUE(ImportInto(doc, ImportFormat::Off, kGridOff).ok);
    const CDPoint toRight = *doc.GetNodeAt(1) - *doc.GetNodeAt(0);
    const CDPoint toUp = *doc.GetNodeAt(4) - *doc.GetNodeAt(0);
    EXPECT_LT(toRight.x * toUp.y - toRight.y * toUp.x, 0) << "mirrored";
}

TEST(MeshImport, MeshesThatAreNoDiskAreRefusedAsWhatTheyAre) {
    const std::string annulus = "OFF\n8 8 0\n0 0 0\n3 0 0\n3 3 0\n0 3 0\n1 1 0\n2 1 0\n2 2 0\n"
                                "1 2 0\n3 0 1 5\n3 0 5 4\n3 1 2 6\n3 1 6 5\n3 2 3 7\n3 2 7 6\n"
                                "3 3 0 4\n3 3 4 7\n";
    struct Case {
        ImportFormat format;
        std::string text;
        std::string error;
    };
    const Case cases[] = {
        {ImportFormat::Off, "", "line 0: the file is empty: it holds no mesh"},
        {ImportFormat::Off, "OFF\n",
         "line 1: the file ends before the counts of its vertices "
         "and faces"},
        {ImportFormat::Off, "4OFF\n", "line 1: the variant '4OFF' of OFF is not read"},
        {ImportFormat::Off, "OFF\n3 x 0\n",
         "line 2: the counts of vertices and faces must be whole numbers from 0"},
        {ImportFormat::Off, "OFF\n3000000000 1 0\n",
         "line 2: the counts of vertices and faces must be whole numbers from 0"},
        {ImportFormat::Off, "OFF\n3 1 0\n0 0 0\n1 0 0\n",
         "line 4: the file ends after 2 of 3 vertices"},
        // Counts the lines do not back are never allocated.
        {ImportFormat::Off, "OFF\n20000000 40000000 0\n0 0 0\n",
         "line 3: the file ends after 1 of 20000000 vertices"},
        {ImportFormat::Off, "OFF\n3 1 0\n0 0 0\n1 0 0\n0 nan 0\n", "line 5: vertex 2 is not x y z"},
        {ImportFormat::Off, "OFF\n3 2 0\n0 0 0\n1 0 0\n0 1 0\n3 0 1 2\n",
         "line 6: the file ends after 1 of 2 faces"},
        {ImportFormat::Off, "OFF\n3 1 0\n0 0 0\n1 0 0\n0 1 0\n3 0 1 3\n",
         "line 6: the corner '3' is no vertex"},
        {ImportFormat::Off, "OFF\n3 1 0\n0 0 0\n1 0 0\n0 1 0\n4 0 1 2\n",
         "line 6: a face must be its number of corners and the corners"},
        {ImportFormat::Off, "OFF\n3 1 0\n0 0 0\n1 0 0\n0 1 0\n2 0 1\n",
         "line 6: a face needs at least three corners"},
        {ImportFormat::Off, "OFF\n3 1 0\n0 0 0\n1 0 0\n0 1 0\n3 0 1 1\n",
         "line 6: the face has a corner twice"},
        {ImportFormat::Off, "OFF\n3 0 0\n0 0 0\n1 0 0\n0 1 0\n", "the mesh has no faces"},
        {ImportFormat::Obj, "v 0 0 0\nv 1 0 0\nf 1 2 3\n", "line 3: the corner '3' is no vertex"},
        {ImportFormat::Obj, "v 0 0 0\nv 1 0 0\nv 1 1 0\nf 1 2 0\n",
         "line 4: the corner '0' is no vertex"},
        {ImportFormat::Obj, "v 0 0\nv 1 x 0\n", "line 2: a vertex must be v x y z"},
        {ImportFormat::Off, annulus, "the mesh has 2 boundary loops, where a disk has one"},
        {ImportFormat::Off, ReadText(TESSEL_TEST_DATA "/interchange/cgal/cube.off"),
         "the mesh is closed: it has no boundary, where a disk has one"},
        {ImportFormat::Obj,
         "v 0 0 0\nv 1 0 0\nv 0 1 0\nv 0 -1 0\nv 0 0 1\nf 1 2 3\nf 2 1 4\nf 1 2 5\n",
         "line 8: edge 1\u20132 belongs to 3 triangles"},
        {ImportFormat::Obj,
         "v 0 0 0\nv 1 0 0\nv 0 1 0\nv 5 5 0\nv 6 5 0\nv 5 6 0\nv 6 6 0\n"
         "f 1 2 3\nf 4 5 7\nf 4 7 6\n",
         "2 separate parts: the largest has 2 triangles"},
        // Two triangles that meet at one corner only.
        {ImportFormat::Obj, "v 0 0 0\nv 1 0 0\nv 0 1 0\nv -1 0 0\nv 0 -1 0\nf 1 2 3\nf 1 4 5\n",
         "the boundary passes twice through vertex 1"},
        // A band of six triangles with one half twist.
        {ImportFormat::Obj,
         "v 0 0 0\nv 1 0 0\nv 2 0 0\nv 0 1 0\nv 1 1 0\nv 2 1 0\n"
         "f 1 2 5\nf 1 5 4\nf 2 3 6\nf 2 6 5\nf 3 4 1\nf 3 1 6\n",
         "line 8: the mesh is not orientable: its faces cannot all turn the same way, as on a "
         "M\u00f6bius band"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        CTesselDoc doc;
        doc.OnNewDocument();
        const std::vector<std::uint8_t> before = doc.SaveToBytes();
        Outcome outcome = ImportInto(doc, c.format, c.text);
        EXPECT_FALSE(outcome.ok);
        EXPECT_EQ(outcome.error, c.error);
        EXPECT_EQ(doc.SaveToBytes(), before);
    }
}

TEST(MeshImport, PublicMeshesImportAsDisks) {
    struct Case {
        const char* file;
        int nodes;
    };
    for (const Case& c : {Case{"corner_with_hole.off", 16}, Case{"open_cube.off", 8},
                          Case{"mesh_with_colors.off", 8}}) {
        SCOPED_TRACE(c.file);
        CTesselDoc doc;
        std::vector<std::string> notes;
        std::string error;
        ASSERT_TRUE(ImportFile(doc, TESSEL_TEST_DATA "/interchange/cgal/" + std::string(c.file),
                               {ImportFormat::Off}, notes, error))
            << error;
        EXPECT_EQ(doc.m_nodes.GetSize(), c.nodes);
        EXPECT_EQ(FindDiskProblem(doc.m_nodes, doc.m_edges), "");
    }
}

TEST(PointImport, DelaunayTriangulationsOfAwkwardPointSets) {
    struct Case {
        const char* name;
        std::string text;
        int nodes;
        int inner;
        std::vector<std::string> notes;
    };
    std::string grid; // 5 x 5: collinear points on the hull, four cocircular points everywhere
    for (int y = 0; y < 5; ++y) {
        for (int x = 0; x < 5; ++x) {
            grid += std::to_string(x) + " " + std::to_string(y) + "\n";
        }
    }
    const Case cases[] = {
        {"a triangle", "0 0\n1 0\n0 1\n", 3, 0, {}},
        {"a square and its centre, with comments",
         "# square\n0 0\n1 0 # corner\n1 1\n0 1\n\n0.5 0.5\n",
         5,
         1,
         {}},
        {"grid", grid, 25, 9, {}},
        {"repeats",
         "0 0\n1 0\n0 0\n1 1\n0 1\n1 1\n0.5 0.5\n",
         5,
         1,
         {"2 repeated points were left out"}},
        {"coordinates near the largest double",
         "-1.7e308 -1.7e308\n1.7e308 -1.7e308\n0 1.7e308\n",
         3,
         0,
         {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CTesselDoc doc;
        Outcome outcome = ImportInto(doc, ImportFormat::Points, c.text);
        ASSERT_TRUE(outcome.ok) << outcome.error;
        EXPECT_EQ(outcome.notes, c.notes);
        ExpectDisk(doc, c.nodes, c.inner);
    }
    struct Refusal {
        std::string text;
        std::string error;
    };
    const Refusal refusals[] = {
        {"", "the file holds 0 distinct points: a triangulation needs three"},
        {"0 0\n1 1\n0 0\n1 1\n", "the file holds 2 distinct points: a triangulation needs three"},
        {"0 0\n1 1\n2 2\n3 3\n", "the points all lie on one line: they have no triangulation"},
        {"0 0\n1 1 1\n", "line 2: a point must be two numbers, x and y"},
        {"0 0\n1 inf\n", "line 2: a point must be two numbers, x and y"},
    };
    for (const Refusal& r : refusals) {
        SCOPED_TRACE(r.text);
        CTesselDoc doc;
        Outcome outcome = ImportInto(doc, ImportFormat::Points, r.text);
        EXPECT_FALSE(outcome.ok);
        EXPECT_EQ(outcome.error, r.error);
    }
}
