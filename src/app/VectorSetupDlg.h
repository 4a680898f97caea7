// "SVG File Setup" and "PDF File Setup": the scale of a vector picture, in pixels or points.
#pragma once

#include "app/FieldDialog.h"

class CVectorSetupDlg : public CFieldDialog {
    Q_OBJECT

public:
    enum class Kind { Svg, Pdf };
    // Opens on `radius`, the view's drawing radius.
    CVectorSetupDlg(Kind kind, double radius, QWidget* parent = nullptr);

    double m_radius = 0.0;
};
