// "New Tiling Disk": the tiling {p,q} and how many layers of tiles round the central one.
#pragma once

#include "app/FieldDialog.h"

class CNewTilingDlg : public CFieldDialog {
    Q_OBJECT

public:
    explicit CNewTilingDlg(QWidget* parent = nullptr);

    // Besides each field's range, refuses sizes that make no hyperbolic tiling, with the
    // focus on the sides.
    void accept() override;

    int m_sides = 7;
    int m_corner = 3;
    int m_depth = 4;

private:
    QLineEdit* m_sidesEdit = nullptr;
};
