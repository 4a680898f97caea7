// "BMP File Setup": the radius in pixels, antialiasing, and the background colour of one export;
// "PNG File Setup" adds a transparent background and the resolution the file records.
#pragma once

#include "app/FieldDialog.h"
#include "geometry/Color.h"

#include <limits>

class CBmpSetupDlg : public CFieldDialog {
    Q_OBJECT

public:
    enum class Kind { Bmp, Png };
    // Opens on `radius` (the view's drawing radius rounded by the caller), antialiasing off and
    // `background` (the view's background setting, which this dialog never changes); a PNG
    // setup also on an opaque background and 96 dpi. A radius above `largestRadius` is refused
    // with a message saying that the bitmap would not fit and which radius does.
    CBmpSetupDlg(int radius, COLORREF background, QWidget* parent = nullptr, Kind kind = Kind::Bmp,
                 int largestRadius = std::numeric_limits<int>::max());

    int m_radius = 0;
    int m_antialias = 0;
    COLORREF m_background = 0;
    int m_transparent = 0; // PNG only
    int m_dpi = 96;        // PNG only

protected:
    bool CheckValues() override;

private:
    QLineEdit* m_radiusEdit = nullptr;
    int m_largestRadius;
};
