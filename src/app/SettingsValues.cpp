// Maps the Settings dialog's record onto the variables the model and the view read.
#include "app/SettingsValues.h"

#include "circles/CPCircle.h"
#include "document/ViewSettings.h"
#include "model/CPEdge.h"
#include "model/CPNode.h"
#include "model/HotSpot.h"

CSettingsValues CSettingsValues::Current(const CViewSettings& view) {
    CSettingsValues v;
    v.m_nodeInnerCol = CCPNode::m_innerColor;
    v.m_nodeOuterCol = CCPNode::m_outerColor;
    v.m_nodeNotConnectCol = CCPNode::m_notConnectColor;
    v.m_nodeSize = CHotSpot::m_size;
    v.m_thurstonThreshold = CCPNode::m_threshold;
    v.m_edgeInnerCol = CCPEdge::m_innerColor;
    v.m_edgeOuterCol = CCPEdge::m_outerColor;
    v.m_edgeThickness = CCPEdge::m_thickness;
    v.m_edgeHit = CCPEdge::m_hit;
    v.m_defOutInnerCol = DefOutInnerCol;
    v.m_defOutLineCol = DefOutLineCol;
    v.m_defOutThickness = DefOutThickness;
    v.m_defInnerCol = DefInnerCol;
    v.m_defLineCol = DefLineCol;
    v.m_defThickness = DefThickness;
    v.m_backModeColor = BackModeColor;
    v.m_bgColor = view.BGColor;
    v.m_margin = view.Margin;
    v.m_graphResizeRate = view.GraphResizeRate;
    v.m_graSnap = view.GraSnap;
    return v;
}

void CSettingsValues::Store(CViewSettings& view) const {
    CCPNode::m_innerColor = m_nodeInnerCol;
    CCPNode::m_outerColor = m_nodeOuterCol;
    CCPNode::m_notConnectColor = m_nodeNotConnectCol;
    CHotSpot::m_size = m_nodeSize;
    CCPNode::m_threshold = m_thurstonThreshold;
    CCPEdge::m_innerColor = m_edgeInnerCol;
    CCPEdge::m_outerColor = m_edgeOuterCol;
    CCPEdge::m_thickness = m_edgeThickness;
    CCPEdge::m_hit = m_edgeHit;
    DefOutInnerCol = m_defOutInnerCol;
    DefOutLineCol = m_defOutLineCol;
    DefOutThickness = m_defOutThickness;
    DefInnerCol = m_defInnerCol;
    DefLineCol = m_defLineCol;
    DefThickness = m_defThickness;
    BackModeColor = m_backModeColor;
    view.BGColor = m_bgColor;
    view.Margin = m_margin;
    view.GraphResizeRate = m_graphResizeRate;
    view.GraSnap = m_graSnap;
}
