// "Enhanced Meta File Setup": the radius in pixels at which the metafile is recorded.
#pragma once

#include "app/FieldDialog.h"

class CEmfSetupDlg : public CFieldDialog {
    Q_OBJECT

public:
    // Opens on `radius`, the view's drawing radius rounded by the caller.
    explicit CEmfSetupDlg(int radius, QWidget* parent = nullptr);

    int m_radius = 0;
};
