// The structural check that a graph from a file must pass: each kind of broken pointer is found.
#include "model/GraphCheck.h"

#include "document/TesselDoc.h"

#include <functional>
#include <gtest/gtest.h>

namespace {

// A grown triangle, broken by one change and repaired again before the document frees it.
class BrokenGraph : public ::testing::Test {
protected:
    void SetUp() override {
        doc.NewGraph(300);
        ASSERT_TRUE(doc.GrowNode(doc.GetEdgeAt(0)));
        p = doc.GetNodeAt(0);
        q = doc.GetNodeAt(1);
        ASSERT_TRUE(CheckGraph(doc.m_nodes, doc.m_edges, nullptr));
    }
    // The problem reported while the graph is broken, after which it is repaired.
    std::string ProblemWhile(const std::function<void()>& breakIt,
                             const std::function<void()>& repair) {
        breakIt();
        std::string problem;
        bool ok = CheckGraph(doc.m_nodes, doc.m_edges, &problem);
        repair();
        EXPECT_FALSE(ok);
        EXPECT_TRUE(CheckGraph(doc.m_nodes, doc.m_edges, nullptr));
        return problem;
    }
    CTesselDoc doc;
    CCPNode* p = nullptr;
    CCPNode* q = nullptr;
};

} // namespace

TEST_F(BrokenGraph, MissingAndRepeatedMembers) {
    auto& nodes = doc.m_nodes.m_array;
    auto& edges = doc.m_edges.m_array;
    EXPECT_EQ(ProblemWhile([&] { nodes.push_back(nullptr); }, [&] { nodes.pop_back(); }),
              "Node 4 is missing.");
    EXPECT_EQ(ProblemWhile([&] { nodes.push_back(q); }, [&] { nodes.pop_back(); }),
              "Node 4 is node 1 again.");
    EXPECT_EQ(ProblemWhile([&] { edges.push_back(nullptr); }, [&] { edges.pop_back(); }),
              "Edge 5 is missing.");
    EXPECT_EQ(ProblemWhile([&] { edges.push_back(edges[2]); }, [&] { edges.pop_back(); }),
              "Edge 5 is edge 2 again.");
}

TEST_F(BrokenGraph, KindsAndCircles) {
    EXPECT_EQ(ProblemWhile([&] { q->m_kind = 3; }, [&] { q->m_kind = Outer; }),
              "Node 1 has the unknown kind 3.");
    CCPCircle* circle = q->m_circle;
    EXPECT_EQ(ProblemWhile([&] { q->m_circle = nullptr; }, [&] { q->m_circle = circle; }),
              "Node 1 has no circle.");
    EXPECT_EQ(ProblemWhile([&] { q->m_circle = p->m_circle; }, [&] { q->m_circle = circle; }),
              "Node 1 shares its circle with another node.");
}

TEST_F(BrokenGraph, EdgeEnds) {
    CCPEdge* edge = doc.GetEdgeAt(1);
    CCPNode* end = edge->m_end;
    CCPNode stranger;
    EXPECT_EQ(ProblemWhile([&] { edge->m_end = &stranger; }, [&] { edge->m_end = end; }),
              "Edge 1 does not join two nodes of the graph.");
    EXPECT_EQ(ProblemWhile([&] { edge->m_end = nullptr; }, [&] { edge->m_end = end; }),
              "Edge 1 does not join two nodes of the graph.");
    EXPECT_EQ(ProblemWhile([&] { edge->m_end = edge->m_start; }, [&] { edge->m_end = end; }),
              "Edge 1 joins a node to itself.");
}

TEST_F(BrokenGraph, FanLists) {
    auto& fan = q->m_edges;
    std::vector<CCPEdge*> kept = fan;
    CCPEdge outsider(p, q);
    auto restore = [&] { fan = kept; };
    EXPECT_EQ(ProblemWhile([&] { fan.push_back(&outsider); }, restore),
              "Node 1 lists an edge that is not in the graph.");
    EXPECT_EQ(ProblemWhile([&] { fan.push_back(nullptr); }, restore),
              "Node 1 lists an edge that is not in the graph.");
    EXPECT_EQ(ProblemWhile([&] { fan.push_back(doc.GetEdgeAt(2)); }, restore),
              "Node 1 lists edge 2, which does not end at it.");
    EXPECT_EQ(ProblemWhile([&] { fan.push_back(fan[0]); }, restore), "Node 1 lists edge 1 twice.");
    EXPECT_EQ(ProblemWhile([&] { fan.erase(fan.begin()); }, restore),
              "Edge 1 is not listed by both its ends.");
}

TEST(GraphCheck, AnEmptyGraphAndTheProblemArgumentAreOptional) {
    CCPNodeArray nodes;
    CCPEdgeArray edges;
    EXPECT_TRUE(CheckGraph(nodes, edges, nullptr));
    nodes.AddNew(1);
    std::string problem = "untouched";
    EXPECT_FALSE(CheckGraph(nodes, edges, &problem));
    EXPECT_EQ(problem, "Node 0 has no circle.");
    EXPECT_FALSE(CheckGraph(nodes, edges, nullptr));
}
