// "SVG File Setup", "PDF File Setup" and "TikZ File Setup": the scale of a vector picture, in
// pixels or points, and for TikZ whether it is a complete LaTeX document.
#pragma once

#include "app/FieldDialog.h"

class CVectorSetupDlg : public CFieldDialog {
    Q_OBJECT

public:
    enum class Kind { Svg, Pdf, Tikz };
    // Opens on `radius`, the view's drawing radius (brought into the format's range).
    CVectorSetupDlg(Kind kind, double radius, QWidget* parent = nullptr);

    double m_radius = 0.0;
    int m_document = 0; // TikZ: a complete article rather than the picture alone
};
