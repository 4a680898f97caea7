// "EPS File Setup": the scale of the picture in points and the offset of its lower left corner.
#pragma once

#include "app/FieldDialog.h"

class CEpsSetupDlg : public CFieldDialog {
    Q_OBJECT

public:
    // Opens on `radius` (the view's drawing radius) and an offset of 0.
    explicit CEpsSetupDlg(double radius, QWidget* parent = nullptr);

    double m_radius = 0.0;
    double m_leftBottom = 0.0;
};
