// "Text File Setup": the scale of the written coordinates and the line format.
#pragma once

#include "app/FieldDialog.h"

#include <QString>

class CTextSetupDlg : public CFieldDialog {
    Q_OBJECT

public:
    // Opens on `radius` (the view's drawing radius) and `format`, the last format used.
    CTextSetupDlg(double radius, const QString& format, QWidget* parent = nullptr);

    double m_radius = 0.0;
    QString m_format;
};
