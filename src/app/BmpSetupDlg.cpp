// The bitmap export's setup dialog.
#include "app/BmpSetupDlg.h"

#include "app/ColorButton.h"
#include "app/MessageBox.h"
#include "app/QtStrings.h"
#include "document/StringIds.h"
#include "export/Export.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <limits>

CBmpSetupDlg::CBmpSetupDlg(int radius, COLORREF background, QWidget* parent, Kind kind,
                           int largestRadius)
    : CFieldDialog(kind == Kind::Png ? ids::kPngSetupTitle : ids::kBmpSetupTitle, parent),
      m_radius(radius), m_background(background), m_largestRadius(largestRadius) {
    auto* grid = new QGridLayout(this);
    QLineEdit* radiusEdit = AddEditRow(grid, 0, ids::kBmpSetupRadius);
    radiusEdit->setObjectName(QStringLiteral("radius"));
    m_radiusEdit = radiusEdit;

    auto* antialias = new QCheckBox(LoadQString(ids::kBmpSetupAntialias), this);
    antialias->setObjectName(QStringLiteral("antialias"));
    grid->addWidget(antialias, 1, 1);

    auto* backgroundButton = new CColorButton(this);
    backgroundButton->setObjectName(QStringLiteral("background"));
    backgroundButton->setAccessibleName(LoadQString(ids::kBmpSetupBackgroundGroup));
    auto* backgroundLabel = new QLabel(LoadQString(ids::kBmpSetupBackground), this);
    backgroundLabel->setBuddy(backgroundButton);
    grid->addWidget(backgroundLabel, 2, 0);
    grid->addWidget(backgroundButton, 2, 1, Qt::AlignLeft);

    m_fields.AddInteger(radiusEdit, &m_radius, 1, std::numeric_limits<int>::max());
    m_fields.AddFlag(antialias, &m_antialias);
    m_fields.AddColor(backgroundButton, &m_background);
    if (kind == Kind::Png) {
        auto* transparent = new QCheckBox(LoadQString(ids::kPngSetupTransparent), this);
        transparent->setObjectName(QStringLiteral("transparent"));
        grid->addWidget(transparent, 3, 1, 1, 2);
        // A transparent picture shows no background colour.
        connect(transparent, &QCheckBox::toggled, backgroundButton, &QWidget::setDisabled);
        QLineEdit* dpiEdit = AddEditRow(grid, 4, ids::kPngSetupResolution, ids::kPngSetupDpi);
        dpiEdit->setObjectName(QStringLiteral("dpi"));
        m_fields.AddFlag(transparent, &m_transparent);
        m_fields.AddInteger(dpiEdit, &m_dpi, 1, PngSetup::kMaxDpi);
    }
    grid->addWidget(MakeButtons(), 5, 0, 1, 3);
    m_fields.ToControls();
}

bool CBmpSetupDlg::CheckValues() {
    if (m_radius <= m_largestRadius) {
        return true;
    }
    ShowWarning(this, FormatString(ids::kBitmapRadiusTooLarge,
                                   {QString::number(m_radius), QString::number(m_largestRadius)}));
    m_radiusEdit->setFocus(Qt::OtherFocusReason);
    m_radiusEdit->selectAll();
    return false;
}
