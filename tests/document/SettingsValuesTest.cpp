// The Settings dialog's record against the variables the program runs with: each field is
// filled from its own variable and goes back to it, and the settings the dialog does not
// edit stay out of it.
#include "document/SettingsValues.h"

#include "circles/CPCircle.h"
#include "document/ViewSettings.h"
#include "model/CPEdge.h"
#include "model/CPNode.h"

#include <gtest/gtest.h>

namespace {

class SettingsValues : public ::testing::Test {
protected:
    void TearDown() override {
        CHotSpot::ResetDefaults();
        CCPNode::ResetDefaults();
        CCPEdge::ResetDefaults();
        ResetCircleDefaults();
    }
};

} // namespace

TEST_F(SettingsValues, EachFieldComesFromItsOwnVariable) {
    CCPNode::m_innerColor = 1;
    CCPNode::m_outerColor = 2;
    CCPNode::m_notConnectColor = 3;
    CHotSpot::m_size = 4;
    CCPNode::m_threshold = 0.5;
    CCPEdge::m_innerColor = 6;
    CCPEdge::m_outerColor = 7;
    CCPEdge::m_thickness = 8;
    CCPEdge::m_hit = 9.5;
    DefOutInnerCol = 10;
    DefOutLineCol = 11;
    DefOutThickness = 12;
    DefInnerCol = 13;
    DefLineCol = 14;
    DefThickness = 15;
    BackModeColor = 16;
    CViewSettings view;
    view.BGColor = 17;
    view.Margin = 18;
    view.GraphResizeRate = 0.25;
    view.GraSnap = 1;
    view.Tolerance = 5e-11;

    const CSettingsValues v = CSettingsValues::Current(view);
    EXPECT_EQ(v.m_nodeInnerCol, 1u);
    EXPECT_EQ(v.m_nodeOuterCol, 2u);
    EXPECT_EQ(v.m_nodeNotConnectCol, 3u);
    EXPECT_EQ(v.m_nodeSize, 4);
    EXPECT_EQ(v.m_thurstonThreshold, 0.5);
    EXPECT_EQ(v.m_edgeInnerCol, 6u);
    EXPECT_EQ(v.m_edgeOuterCol, 7u);
    EXPECT_EQ(v.m_edgeThickness, 8);
    EXPECT_EQ(v.m_edgeHit, 9.5);
    EXPECT_EQ(v.m_defOutInnerCol, 10u);
    EXPECT_EQ(v.m_defOutLineCol, 11u);
    EXPECT_EQ(v.m_defOutThickness, 12);
    EXPECT_EQ(v.m_defInnerCol, 13u);
    EXPECT_EQ(v.m_defLineCol, 14u);
    EXPECT_EQ(v.m_defThickness, 15);
    EXPECT_EQ(v.m_backModeColor, 16u);
    EXPECT_EQ(v.m_bgColor, 17u);
    EXPECT_EQ(v.m_margin, 18);
    EXPECT_EQ(v.m_graphResizeRate, 0.25);
    EXPECT_EQ(v.m_graSnap, 1);
    EXPECT_EQ(v.m_convergenceTolerance, 5e-11);
}

TEST_F(SettingsValues, StoreSetsEachVariableAndLeavesTheOthers) {
    CSettingsValues v;
    v.m_nodeInnerCol = 21;
    v.m_nodeOuterCol = 22;
    v.m_nodeNotConnectCol = 23;
    v.m_nodeSize = 24;
    v.m_thurstonThreshold = 0.125;
    v.m_edgeInnerCol = 26;
    v.m_edgeOuterCol = 27;
    v.m_edgeThickness = 28;
    v.m_edgeHit = 29.5;
    v.m_defOutInnerCol = 30;
    v.m_defOutLineCol = 31;
    v.m_defOutThickness = 32;
    v.m_defInnerCol = 33;
    v.m_defLineCol = 34;
    v.m_defThickness = 35;
    v.m_backModeColor = 36;
    v.m_bgColor = 37;
    v.m_margin = 38;
    v.m_graphResizeRate = 0.75;
    v.m_graSnap = 1;
    v.m_convergenceTolerance = 7e-9;
    CViewSettings view;
    view.CircleAntialiasing = 1;
    view.GraStartCol = 0x0000FF;
    view.GraEndCol = 0x00FF00;
    v.Store(view);

    EXPECT_EQ(CCPNode::m_innerColor, 21u);
    EXPECT_EQ(CCPNode::m_outerColor, 22u);
    EXPECT_EQ(CCPNode::m_notConnectColor, 23u);
    EXPECT_EQ(CHotSpot::m_size, 24);
    EXPECT_EQ(CCPNode::m_threshold, 0.125);
    EXPECT_EQ(CCPEdge::m_innerColor, 26u);
    EXPECT_EQ(CCPEdge::m_outerColor, 27u);
    EXPECT_EQ(CCPEdge::m_thickness, 28);
    EXPECT_EQ(CCPEdge::m_hit, 29.5);
    EXPECT_EQ(DefOutInnerCol, 30u);
    EXPECT_EQ(DefOutLineCol, 31u);
    EXPECT_EQ(DefOutThickness, 32);
    EXPECT_EQ(DefInnerCol, 33u);
    EXPECT_EQ(DefLineCol, 34u);
    EXPECT_EQ(DefThickness, 35);
    EXPECT_EQ(BackModeColor, 36u);
    EXPECT_EQ(view.BGColor, 37u);
    EXPECT_EQ(view.Margin, 38);
    EXPECT_EQ(view.GraphResizeRate, 0.75);
    EXPECT_EQ(view.GraSnap, 1);
    EXPECT_EQ(view.Tolerance, 7e-9);
    // Not in the dialog: the antialiasing switch and the circle bar's gradation colours.
    EXPECT_EQ(view.CircleAntialiasing, 1);
    EXPECT_EQ(view.GraStartCol, 0x0000FFu);
    EXPECT_EQ(view.GraEndCol, 0x00FF00u);
}
