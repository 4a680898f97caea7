// The style defaults and the geometry queries of one circle.
#include "circles/CPCircle.h"

COLORREF DefInnerCol = 0x00FFFFFF;
COLORREF DefLineCol = 0x00000000;
int DefThickness = 1;
COLORREF DefOutInnerCol = DefInnerCol;
COLORREF DefOutLineCol = DefLineCol;
int DefOutThickness = DefThickness;
COLORREF BackModeColor = 0x00808080;

void ResetCircleDefaults() {
    DefInnerCol = 0x00FFFFFF;
    DefLineCol = 0x00000000;
    DefThickness = 1;
    DefOutInnerCol = DefInnerCol;
    DefOutLineCol = DefLineCol;
    DefOutThickness = DefThickness;
    BackModeColor = 0x00808080;
}

TESSEL_IMPLEMENT_DYNCREATE(CCPCircle, CObject)

CCPCircle::CCPCircle() : m_diskCentre(0, 0), m_euclidCentre(0, 0) {}

void CCPCircle::ResetAsOuter() {
    m_innerCol = DefOutInnerCol;
    m_lineCol = DefOutLineCol;
    m_thickness = DefOutThickness;
    m_radius = 1.0;
    m_euclidRadius = 1.0;
    m_diskCentre.Set(0, 0);
    m_euclidCentre.Set(0, 0);
    m_selected = 0;
}

void CCPCircle::CopyStyle(const CCPCircle& source) {
    m_lineCol = source.m_lineCol;
    m_innerCol = source.m_innerCol;
    m_thickness = NormalisedThickness(source.m_thickness);
}

bool CCPCircle::ContainsPoint(const CDPoint& p) const {
    return m_euclidCentre.Distance(p) < m_euclidRadius;
}

bool CCPCircle::IntersectsRect(const CDPoint& a, const CDPoint& b) const {
    double x0 = a.x < b.x ? a.x : b.x;
    double x1 = a.x < b.x ? b.x : a.x;
    double y0 = a.y < b.y ? a.y : b.y;
    double y1 = a.y < b.y ? b.y : a.y;
    double cx = m_euclidCentre.x;
    double cy = m_euclidCentre.y;
    double r = m_euclidRadius;
    if (!(x0 - r < cx && x1 + r > cx && y0 - r < cy && y1 + r > cy)) {
        return false;
    }
    if ((x0 < cx && cx < x1) || (y0 < cy && cy < y1)) {
        return true;
    }
    // The centre lies diagonally off a corner: the disk meets the rectangle only there.
    double cornerX = (x0 + x1) / 2 > cx ? x0 : x1;
    double cornerY = (y0 + y1) / 2 > cy ? y0 : y1;
    return m_euclidCentre.Distance(cornerX, cornerY) < r;
}
