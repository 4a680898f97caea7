// The process-wide settings that the Settings dialog edits, gathered in one record.
#pragma once

#include "geometry/Color.h"

struct CViewSettings;

struct CSettingsValues {
    // The settings the program runs with now: the model's class-wide values, the circle
    // defaults and the view's settings.
    static CSettingsValues Current(const CViewSettings& view);
    // Makes these the settings the program runs with; the profile gets them at exit.
    void Store(CViewSettings& view) const;

    COLORREF m_nodeInnerCol = 0;
    COLORREF m_nodeOuterCol = 0;
    COLORREF m_nodeNotConnectCol = 0;
    int m_nodeSize = 0;
    double m_thurstonThreshold = 0.0;

    COLORREF m_edgeInnerCol = 0;
    COLORREF m_edgeOuterCol = 0;
    int m_edgeThickness = 0;
    double m_edgeHit = 0.0;

    COLORREF m_defOutInnerCol = 0;
    COLORREF m_defOutLineCol = 0;
    int m_defOutThickness = 0;
    COLORREF m_defInnerCol = 0;
    COLORREF m_defLineCol = 0;
    int m_defThickness = 0;
    COLORREF m_backModeColor = 0;

    COLORREF m_bgColor = 0;
    int m_margin = 0;
    double m_graphResizeRate = 0.0;
    int m_graSnap = 0;
    double m_convergenceTolerance = 0.0;
};
