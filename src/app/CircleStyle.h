// The style record the circle bar exchanges with the view, and the style attribute flags.
#pragma once

#include "geometry/Color.h"

constexpr int StyleAnySelected = 1;
constexpr int StyleInnerColor = 2;
constexpr int StyleLineColor = 4;
constexpr int StyleLineWidth = 8;

struct CCircleStyle {
    COLORREF m_innerCol = 0xFFFFFF;
    COLORREF m_lineCol = 0;
    int m_thickness = 1;
};
