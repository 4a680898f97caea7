// The settings table, row by row in the profile's order, with the range each stored value
// must have to be of use.
#include "document/SettingsTable.h"

#include "circles/CPCircle.h"
#include "model/CPEdge.h"
#include "model/CPNode.h"
#include "model/HotSpot.h"

#include <array>
#include <limits>

namespace {

constexpr int MaxPixels = 255;  // node size and edge thickness
constexpr int MaxWidth = 65535; // circle outline widths and the margin
constexpr double MaxHit = 255.0;
// A threshold must be above zero (or the solver never stops) and at most what the Settings
// dialog accepts; any other stored value gives the built-in one.
constexpr double MinThreshold = std::numeric_limits<double>::denorm_min();
constexpr double FallbackThreshold = 0.0001;

using V = CSettingsValues;

const std::array<CSetting, 24> kSettings{{
    {"View", "CircleAntialiasing", CFlagSetting{&CViewSettings::CircleAntialiasing, nullptr}},
    {"View", "BGColor", CColorSetting{&CViewSettings::BGColor, &V::m_bgColor}},
    {"View", "Margin", CIntegerSetting{&CViewSettings::Margin, &V::m_margin, 0, MaxWidth}},
    {"View", "GraSnap", CFlagSetting{&CViewSettings::GraSnap, &V::m_graSnap}},
    {"View", "GraStartCol", CColorSetting{&CViewSettings::GraStartCol, nullptr}},
    {"View", "GraEndCol", CColorSetting{&CViewSettings::GraEndCol, nullptr}},

    {"Node", "InnerCol", CColorSetting{&CCPNode::m_innerColor, &V::m_nodeInnerCol}},
    {"Node", "OuterCol", CColorSetting{&CCPNode::m_outerColor, &V::m_nodeOuterCol}},
    {"Node", "NotConnectCol", CColorSetting{&CCPNode::m_notConnectColor, &V::m_nodeNotConnectCol}},
    {"Node", "Size", CIntegerSetting{&CHotSpot::m_size, &V::m_nodeSize, 0, MaxPixels}},
    {"Node", "ThurstonThreshold",
     CRealSetting{&CCPNode::m_threshold, &V::m_thurstonThreshold, MinThreshold, 1.0,
                  FallbackThreshold}},

    {"Edge", "InnerCol", CColorSetting{&CCPEdge::m_innerColor, &V::m_edgeInnerCol}},
    {"Edge", "OuterCol", CColorSetting{&CCPEdge::m_outerColor, &V::m_edgeOuterCol}},
    {"Edge", "Thickness",
     CIntegerSetting{&CCPEdge::m_thickness, &V::m_edgeThickness, 0, MaxPixels}},
    // Text that is not a number reads as 0.0, which is kept; NaN or a negative distance
    // would make every click hit or none.
    {"Edge", "Hit", CRealSetting{&CCPEdge::m_hit, &V::m_edgeHit, 0.0, MaxHit, std::nullopt}},

    {"Circle", "DefInnerCol", CColorSetting{&DefInnerCol, &V::m_defInnerCol}},
    {"Circle", "DefLineCol", CColorSetting{&DefLineCol, &V::m_defLineCol}},
    {"Circle", "DefThickness", CIntegerSetting{&DefThickness, &V::m_defThickness, 0, MaxWidth}},
    {"Circle", "DefOutInnerCol", CColorSetting{&DefOutInnerCol, &V::m_defOutInnerCol}},
    {"Circle", "DefOutLineCol", CColorSetting{&DefOutLineCol, &V::m_defOutLineCol}},
    {"Circle", "DefOutThickness",
     CIntegerSetting{&DefOutThickness, &V::m_defOutThickness, 0, MaxWidth}},
    {"Circle", "BackModeColor", CColorSetting{&BackModeColor, &V::m_backModeColor}},

    {"Convergence", "Tolerance",
     CRealSetting{&CViewSettings::Tolerance, &V::m_convergenceTolerance,
                  CViewSettings::MinTolerance, CViewSettings::MaxTolerance,
                  CViewSettings{}.Tolerance, true}},

    // The factor of Graph Scale-Down: 0.9 at every start, as the Settings dialog accepts it.
    {"", "GraphResizeRate",
     CRealSetting{&CViewSettings::GraphResizeRate, &V::m_graphResizeRate, 0.01, 1.0, std::nullopt}},
}};

} // namespace

std::span<const CSetting> SettingsTable() {
    return kSettings;
}
