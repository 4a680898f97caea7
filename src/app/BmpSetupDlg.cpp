// The bitmap export's setup dialog.
#include "app/BmpSetupDlg.h"

#include "app/ColorButton.h"
#include "app/QtStrings.h"
#include "document/StringIds.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <limits>

CBmpSetupDlg::CBmpSetupDlg(int radius, COLORREF background, QWidget* parent)
    : CFieldDialog(ids::kBmpSetupTitle, parent), m_radius(radius), m_background(background) {
    auto* grid = new QGridLayout(this);
    QLineEdit* radiusEdit = AddEditRow(grid, 0, ids::kBmpSetupRadius);
    radiusEdit->setObjectName(QStringLiteral("radius"));

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
    grid->addWidget(MakeButtons(), 3, 0, 1, 2);

    m_fields.AddInteger(radiusEdit, &m_radius, 1, std::numeric_limits<int>::max());
    m_fields.AddFlag(antialias, &m_antialias);
    m_fields.AddColor(backgroundButton, &m_background);
    m_fields.ToControls();
}
