// "BMP File Setup": the radius in pixels, antialiasing, and the background colour of one export.
#pragma once

#include "app/FieldDialog.h"
#include "geometry/Color.h"

class CBmpSetupDlg : public CFieldDialog {
    Q_OBJECT

public:
    // Opens on `radius` (the view's drawing radius rounded by the caller), antialiasing off and
    // `background` (the view's background setting, which this dialog never changes).
    CBmpSetupDlg(int radius, COLORREF background, QWidget* parent = nullptr);

    int m_radius = 0;
    int m_antialias = 0;
    COLORREF m_background = 0;
};
