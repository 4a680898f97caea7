// A circle shared by its node and the circle list is freed exactly once, whoever lets go last.
// Run under AddressSanitizer: a double free or a leak fails the test binary.
#include "circles/CPCircleArray.h"
#include "model/CPNode.h"
#include "model/CPNodeArray.h"

#include <gtest/gtest.h>

namespace {

struct SharedCircles {
    CCPNodeArray nodes;
    CCPCircleArray circles;

    SharedCircles() {
        for (int i = 0; i < 3; ++i) {
            auto* node = new CCPNode(i, 0, 2, 0);
            nodes.Add(node);
            circles.Add(node->m_circle);
        }
    }
    ~SharedCircles() {
        circles.RemoveAll(nodes);
        nodes.RemoveAll(circles);
    }
};

} // namespace

TEST(CircleOwnership, NodeRemovedFirstLeavesItsCircleToTheList) {
    SharedCircles shared;
    CCPNode* node = shared.nodes.GetAt(1);
    CCPCircle* circle = node->m_circle;
    shared.nodes.Remove(node, shared.circles);
    EXPECT_TRUE(shared.circles.Contains(circle));
    circle->m_innerCol = 0x00123456; // still alive and drawable
    shared.circles.RemoveAll(shared.nodes);
    EXPECT_EQ(shared.circles.GetCount(), 0);
    EXPECT_EQ(shared.nodes.GetSize(), 2);
}

TEST(CircleOwnership, ListClearedFirstLeavesCirclesToTheirNodes) {
    SharedCircles shared;
    shared.circles.RemoveAll(shared.nodes);
    for (int i = 0; i < shared.nodes.GetSize(); ++i) {
        ASSERT_NE(shared.nodes.GetAt(i)->m_circle, nullptr);
        shared.nodes.GetAt(i)->m_circle->m_thickness = 5;
    }
    shared.nodes.RemoveAll(shared.circles);
    EXPECT_EQ(shared.nodes.GetSize(), 0);
}

TEST(CircleOwnership, AllNodesRemovedWhileListedThenListCleared) {
    SharedCircles shared;
    shared.nodes.RemoveAll(shared.circles);
    EXPECT_EQ(shared.circles.GetCount(), 3);
    shared.circles.RemoveAll(shared.nodes);
    EXPECT_EQ(shared.circles.GetCount(), 0);
}

TEST(CircleOwnership, UnlistedNodeTakesItsCircleAlong) {
    CCPNodeArray nodes;
    CCPCircleArray circles;
    nodes.Add(new CCPNode(0, 0, 2, 0));
    nodes.Remove(nodes.GetAt(0), circles);
    EXPECT_EQ(nodes.GetSize(), 0);
}
