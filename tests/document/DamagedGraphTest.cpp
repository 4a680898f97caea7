// Graphs that break the invariants, as a damaged file gives them: edits refuse or cope, and
// nothing reads outside the graph.
#include "cli/CliRunner.h"
#include "document/GraphBuilder.h"
#include "document/RandomEdits.h"
#include "document/TesselDoc.h"
#include "model/GraphCheck.h"
#include "model/GraphInvariants.h"

#include <algorithm>
#include <filesystem>
#include <gtest/gtest.h>

namespace {

std::string Describe(const CTesselDoc& doc) {
    return DescribeGraph(doc.m_nodes, doc.m_edges);
}

// Replaces one edge by another in a node's list, keeping its position.
void Relist(CCPNode* node, CCPEdge* from, CCPEdge* to) {
    std::replace(node->m_edges.begin(), node->m_edges.end(), from, to);
}

// Breaks fans, kinds, flags and directions at random, keeping the pointers sound.
void Scramble(CTesselDoc& doc, std::mt19937& random) {
    for (CCPNode* node : doc.m_nodes.m_array) {
        if (random() % 3 == 0) {
            std::shuffle(node->m_edges.begin(), node->m_edges.end(), random);
        }
        if (random() % 4 == 0) {
            node->m_kind = static_cast<int>(random() % 3);
        }
    }
    for (CCPEdge* edge : doc.m_edges.m_array) {
        if (random() % 4 == 0) {
            edge->m_interior = static_cast<int>(random() % 2);
        }
        if (random() % 4 == 0) {
            edge->StartAt(edge->m_end);
        }
    }
}

// A graph grown by random edits.
void Grow(CTesselDoc& doc, std::mt19937& random, int steps) {
    doc.NewGraph(300);
    for (int i = 0; i < steps; ++i) {
        RandomEdit(doc, random);
    }
}

} // namespace

TEST(DamagedGraph, DeleteNodeRefusesWhenItsNeighboursAreNotJoined) {
    CTesselDoc doc;
    doc.NewGraph(300);
    ASSERT_TRUE(doc.GrowNode(doc.GetEdgeAt(0)));
    CCPEdge* pq = doc.GetEdgeAt(0);
    pq->m_start->RemoveEdge(pq);
    pq->m_end->RemoveEdge(pq);
    doc.m_edges.Remove(pq);
    CCPNode* n = doc.GetNodeAt(3);
    ASSERT_TRUE(doc.CanDeleteNode(n));
    std::string before = Describe(doc);
    doc.SetModifiedFlag(false);
    EXPECT_FALSE(doc.DeleteNode(n));
    doc.ClickDelete(*n);
    EXPECT_EQ(Describe(doc), before);
    EXPECT_FALSE(doc.IsModified());
}

TEST(DamagedGraph, DeleteEdgeRefusesWhenTheApexEdgeIsMissing) {
    CTesselDoc doc;
    doc.NewGraph(300);
    ASSERT_TRUE(doc.GrowNode(doc.GetEdgeAt(0)));
    CCPNode* p = doc.GetNodeAt(0);
    CCPNode* q = doc.GetNodeAt(1);
    CCPNode* r = doc.GetNodeAt(2);
    ASSERT_TRUE(doc.ConnectNode(p));
    CCPEdge* qr = doc.m_edges.FindEdge(q, r);
    ASSERT_TRUE(doc.CanDeleteEdge(qr));
    // P and Q still list an edge between them, but the collection has none.
    CCPEdge* real = doc.m_edges.FindEdge(p, q);
    CCPEdge stray(real->m_start, real->m_end);
    Relist(p, real, &stray);
    Relist(q, real, &stray);
    doc.m_edges.Remove(real);
    std::string before = Describe(doc);
    EXPECT_FALSE(CheckGraph(doc.m_nodes, doc.m_edges, nullptr));
    EXPECT_FALSE(doc.DeleteEdge(qr));
    EXPECT_EQ(Describe(doc), before);
    p->RemoveEdge(&stray);
    q->RemoveEdge(&stray);
}

TEST(DamagedGraph, EditsRefuseWhatIsNotPartOfTheDocument) {
    CTesselDoc doc;
    doc.NewGraph(300);
    ASSERT_TRUE(doc.GrowNode(doc.GetEdgeAt(0)));
    std::string before = Describe(doc);
    EXPECT_FALSE(doc.GrowNode(nullptr));
    EXPECT_FALSE(doc.ConnectNode(nullptr));
    EXPECT_FALSE(doc.DeleteNode(nullptr));
    EXPECT_FALSE(doc.DeleteEdge(nullptr));
    EXPECT_FALSE(doc.CanDeleteNode(nullptr));
    EXPECT_FALSE(doc.CanDeleteEdge(nullptr));
    CCPEdge loose;
    EXPECT_FALSE(doc.GrowNode(&loose));
    EXPECT_FALSE(doc.CanDeleteEdge(&loose));
    // A node outside the document that looks deletable.
    CCPNode* n = doc.GetNodeAt(3);
    CCPNode copy(n->x, n->y, NotConnected, 0);
    copy.m_edges = n->m_edges;
    ASSERT_TRUE(doc.CanDeleteNode(&copy));
    EXPECT_FALSE(doc.DeleteNode(&copy));
    copy.DeleteCircle();
    // A loop edge has no free side to grow on.
    CCPNode* p = doc.GetNodeAt(0);
    CCPEdge loop(p, p);
    EXPECT_FALSE(doc.GrowNode(&loop));
    EXPECT_EQ(Describe(doc), before);
}

TEST(DamagedGraph, NodeOperationsCopeWithEmptyAndForeignLists) {
    CTesselDoc doc;
    doc.NewGraph(300);
    CCPNode* p = doc.GetNodeAt(0);
    CCPNode* q = doc.GetNodeAt(1);
    CCPNode empty;
    EXPECT_EQ(empty.GetNeighbour(0), nullptr);
    EXPECT_EQ(empty.GetNeighbour(-1), nullptr);
    EXPECT_FALSE(empty.CanConnect());
    EXPECT_FALSE(empty.HasConsecutive(doc.GetEdgeAt(0)));
    empty.RotateToNeighbour(p);
    empty.m_kind = 7;
    empty.UpdateKind();
    EXPECT_EQ(empty.m_kind, NotConnected);

    // An edge listed by a node it does not end at, and a fan whose ends are the same node.
    CCPEdge* qr = doc.GetEdgeAt(1);
    CCPEdge twin(p, q);
    p->m_edges = {doc.GetEdgeAt(0), qr, &twin};
    EXPECT_EQ(p->GetNeighbour(1), nullptr);
    EXPECT_EQ(p->IndexOfNeighbour(doc.GetNodeAt(2)), -1);
    EXPECT_FALSE(p->CanConnect()) << "first and last neighbour are both Q";
    EXPECT_EQ(p->Connect(), nullptr);
    p->m_kind = Inner;
    EXPECT_FALSE(p->HasConsecutive(&twin));
    EXPECT_EQ(twin.ComputeInterior(), 0);
    p->m_edges = {doc.GetEdgeAt(0), doc.GetEdgeAt(2)};
}

TEST(DamagedGraph, TheFirstConnectionAfterLoadingRecomputesTheWholeGraph) {
    std::mt19937 random(7);
    CTesselDoc doc;
    Grow(doc, random, 80);
    // What a file with stale states gives: every derived kind and flag wrong.
    for (CCPNode* node : doc.m_nodes.m_array) {
        if (node->m_kind != Inner) {
            node->m_kind = node->m_kind == Outer ? NotConnected : Outer;
        }
    }
    for (CCPEdge* edge : doc.m_edges.m_array) {
        edge->m_interior = 1 - edge->m_interior;
    }
    // The loader starts from an empty document and fills the collections itself.
    CTesselDoc loaded;
    std::swap(loaded.m_nodes.m_array, doc.m_nodes.m_array);
    std::swap(loaded.m_edges.m_array, doc.m_edges.m_array);
    CCPNode* target = nullptr;
    for (CCPNode* node : loaded.m_nodes.m_array) {
        target = target ? target : (node->CanConnect() ? node : nullptr);
    }
    ASSERT_NE(target, nullptr);
    ASSERT_TRUE(loaded.ConnectNode(target));
    EXPECT_EQ(FindInvariantBreak(loaded.m_nodes, loaded.m_edges), "");
}

TEST(DamagedGraph, RandomEditsOnScrambledGraphsKeepThePointersSound) {
    for (unsigned seed = 1; seed <= 40; ++seed) {
        std::mt19937 random(seed);
        CTesselDoc doc;
        Grow(doc, random, 60);
        Scramble(doc, random);
        for (int step = 0; step < 60; ++step) {
            RandomEdit(doc, random);
            std::string problem;
            ASSERT_TRUE(CheckGraph(doc.m_nodes, doc.m_edges, &problem))
                << "seed " << seed << ", step " << step << ": " << problem;
            ASSERT_GE(doc.m_nodes.GetSize(), 3);
            doc.GetHintText(doc.GetNodeAt(0)->ToPoint());
        }
        doc.RecomputeStates();
    }
}

// What the reproductions do to a hex disk's file: opening and tessel-cli refuse it with
// the node and the fault, and nothing is written.
TEST(DamagedGraph, FilesWhoseGraphIsNoDiskAreRefusedWithTheirFault) {
    struct Row {
        const char* damage;
        void (*apply)(CTesselDoc&);
        std::string expected;
    };
    const Row rows[] = {
        {"closed fan marked outer", [](CTesselDoc& d) { d.GetNodeAt(0)->m_kind = Outer; },
         "node 0 is outer, but its fan is closed"},
        {"two fan entries swapped",
         [](CTesselDoc& d) { std::swap(d.GetNodeAt(0)->m_edges[0], d.GetNodeAt(0)->m_edges[1]); },
         "node 0: its triangle with"},
        {"a node without edges", [](CTesselDoc& d) { d.m_nodes.Add(new CCPNode(5, 5, Outer, 0)); },
         "node 37 has no neighbours"},
    };
    CTempDir dir;
    for (const Row& row : rows) {
        CTesselDoc doc;
        ASSERT_TRUE(BuildHexDisk(doc, 3));
        row.apply(doc);
        const std::vector<std::uint8_t> bytes = doc.SaveToBytes();
        CTesselDoc opened;
        opened.NewGraph(300);
        const std::string before = Describe(opened);
        std::string error;
        EXPECT_FALSE(opened.LoadFromBytes(bytes, error)) << row.damage;
        EXPECT_NE(error.find(row.expected), std::string::npos) << row.damage << ": " << error;
        EXPECT_EQ(Describe(opened), before);

        WriteText(dir.File("damaged.tesl"), std::string(bytes.begin(), bytes.end()));
        CCliResult packed = RunCliProcess(
            dir, {"pack", dir.File("damaged.tesl"), dir.File("out.tesl"), "--converge"});
        EXPECT_EQ(packed.exitCode, 1) << row.damage;
        EXPECT_NE(packed.err.find(row.expected), std::string::npos) << packed.err;
        EXPECT_FALSE(std::filesystem::exists(dir.File("out.tesl")));
    }
}
