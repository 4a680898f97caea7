// The profile's four setting sections, key by key in the order they are stored, with the
// range each value must have to be of use.
#include "circles/CPCircle.h"
#include "document/ProfileValues.h"
#include "document/Settings.h"
#include "model/CPEdge.h"
#include "model/CPNode.h"

namespace {

constexpr double FallbackThreshold = 0.0001;
constexpr int MaxPixels = 255;  // node size and edge thickness
constexpr int MaxWidth = 65535; // circle outline widths and the margin
constexpr double MaxHit = 255.0;

} // namespace

CViewSettings& ViewSettings() {
    static CViewSettings settings;
    return settings;
}

void LoadViewProfile(const CIniFile& ini, CViewSettings& view) {
    view.CircleAntialiasing =
        ReadProfileFlag(ini, "View", "CircleAntialiasing", view.CircleAntialiasing);
    view.BGColor = ReadProfileColor(ini, "View", "BGColor", view.BGColor);
    view.Margin = ReadProfileInt(ini, "View", "Margin", view.Margin, 0, MaxWidth);
    view.GraSnap = ReadProfileFlag(ini, "View", "GraSnap", view.GraSnap);
    view.GraStartCol = ReadProfileColor(ini, "View", "GraStartCol", view.GraStartCol);
    view.GraEndCol = ReadProfileColor(ini, "View", "GraEndCol", view.GraEndCol);
}

void SaveViewProfile(CIniFile& ini, const CViewSettings& view) {
    ini.SetInt("View", "CircleAntialiasing", view.CircleAntialiasing);
    ini.SetInt("View", "BGColor", static_cast<int>(view.BGColor));
    ini.SetInt("View", "Margin", view.Margin);
    ini.SetInt("View", "GraSnap", view.GraSnap);
    ini.SetInt("View", "GraStartCol", static_cast<int>(view.GraStartCol));
    ini.SetInt("View", "GraEndCol", static_cast<int>(view.GraEndCol));
}

void CCPNode::LoadProfile(const CIniFile& ini) {
    m_innerColor = ReadProfileColor(ini, "Node", "InnerCol", m_innerColor);
    m_outerColor = ReadProfileColor(ini, "Node", "OuterCol", m_outerColor);
    m_notConnectColor = ReadProfileColor(ini, "Node", "NotConnectCol", m_notConnectColor);
    m_size = ReadProfileInt(ini, "Node", "Size", m_size, 0, MaxPixels);
    // Not a number, 0 or less, or beyond what the Settings dialog accepts.
    double threshold = ini.GetReal("Node", "ThurstonThreshold", m_threshold);
    m_threshold = threshold > 0 && threshold <= 1 ? threshold : FallbackThreshold;
}

void CCPNode::SaveProfile(CIniFile& ini) {
    ini.SetInt("Node", "InnerCol", static_cast<int>(m_innerColor));
    ini.SetInt("Node", "OuterCol", static_cast<int>(m_outerColor));
    ini.SetInt("Node", "NotConnectCol", static_cast<int>(m_notConnectColor));
    ini.SetInt("Node", "Size", m_size);
    ini.SetReal("Node", "ThurstonThreshold", m_threshold);
}

void CCPEdge::LoadProfile(const CIniFile& ini) {
    m_innerColor = ReadProfileColor(ini, "Edge", "InnerCol", m_innerColor);
    m_outerColor = ReadProfileColor(ini, "Edge", "OuterCol", m_outerColor);
    m_thickness = ReadProfileInt(ini, "Edge", "Thickness", m_thickness, 0, MaxPixels);
    // Text that is not a number reads as 0.0, which is kept; NaN or a negative distance
    // would make every click hit or none.
    m_hit = ReadProfileReal(ini, "Edge", "Hit", m_hit, 0.0, MaxHit);
}

void CCPEdge::SaveProfile(CIniFile& ini) {
    ini.SetInt("Edge", "InnerCol", static_cast<int>(m_innerColor));
    ini.SetInt("Edge", "OuterCol", static_cast<int>(m_outerColor));
    ini.SetInt("Edge", "Thickness", m_thickness);
    ini.SetReal("Edge", "Hit", m_hit);
}

void CCPCircle::LoadProfile(const CIniFile& ini) {
    DefInnerCol = ReadProfileColor(ini, "Circle", "DefInnerCol", DefInnerCol);
    DefLineCol = ReadProfileColor(ini, "Circle", "DefLineCol", DefLineCol);
    DefThickness = ReadProfileInt(ini, "Circle", "DefThickness", DefThickness, 0, MaxWidth);
    DefOutInnerCol = ReadProfileColor(ini, "Circle", "DefOutInnerCol", DefOutInnerCol);
    DefOutLineCol = ReadProfileColor(ini, "Circle", "DefOutLineCol", DefOutLineCol);
    DefOutThickness =
        ReadProfileInt(ini, "Circle", "DefOutThickness", DefOutThickness, 0, MaxWidth);
    BackModeColor = ReadProfileColor(ini, "Circle", "BackModeColor", BackModeColor);
}

void CCPCircle::SaveProfile(CIniFile& ini) {
    ini.SetInt("Circle", "DefInnerCol", static_cast<int>(DefInnerCol));
    ini.SetInt("Circle", "DefLineCol", static_cast<int>(DefLineCol));
    ini.SetInt("Circle", "DefThickness", DefThickness);
    ini.SetInt("Circle", "DefOutInnerCol", static_cast<int>(DefOutInnerCol));
    ini.SetInt("Circle", "DefOutLineCol", static_cast<int>(DefOutLineCol));
    ini.SetInt("Circle", "DefOutThickness", DefOutThickness);
    ini.SetInt("Circle", "BackModeColor", static_cast<int>(BackModeColor));
}
