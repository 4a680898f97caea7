// The bitmap export's setup dialog.
#include "app/BmpSetupDlg.h"

#include "app/ColorButton.h"
#include "app/QtStrings.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <limits>

namespace {

constexpr int kTitle = 13400;
constexpr int kRadiusLabel = 13401;
constexpr int kAntialiasCaption = 13402;
constexpr int kBackgroundCaption = 13403;
constexpr int kBackgroundLabel = 13404;

} // namespace

CBmpSetupDlg::CBmpSetupDlg(int radius, COLORREF background, QWidget* parent)
    : CFieldDialog(kTitle, parent), m_radius(radius), m_background(background) {
    auto* grid = new QGridLayout(this);
    QLineEdit* radiusEdit = AddEditRow(grid, 0, kRadiusLabel);
    radiusEdit->setObjectName(QStringLiteral("radius"));

    auto* antialias = new QCheckBox(LoadQString(kAntialiasCaption), this);
    antialias->setObjectName(QStringLiteral("antialias"));
    grid->addWidget(antialias, 1, 1);

    auto* backgroundButton = new CColorButton(this);
    backgroundButton->setObjectName(QStringLiteral("background"));
    backgroundButton->setAccessibleName(LoadQString(kBackgroundCaption));
    auto* backgroundLabel = new QLabel(LoadQString(kBackgroundLabel), this);
    backgroundLabel->setBuddy(backgroundButton);
    grid->addWidget(backgroundLabel, 2, 0);
    grid->addWidget(backgroundButton, 2, 1, Qt::AlignLeft);
    grid->addWidget(MakeButtons(), 3, 0, 1, 2);

    m_fields.AddInteger(radiusEdit, &m_radius, 1, std::numeric_limits<int>::max());
    m_fields.AddFlag(antialias, &m_antialias);
    m_fields.AddColor(backgroundButton, &m_background);
    m_fields.ToControls();
}
