// The metafile export's setup dialog.
#include "app/EmfSetupDlg.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLineEdit>
#include <limits>

namespace {

constexpr int kTitle = 13100;
constexpr int kRadiusLabel = 13101;

} // namespace

CEmfSetupDlg::CEmfSetupDlg(int radius, QWidget* parent)
    : CFieldDialog(kTitle, parent), m_radius(radius) {
    auto* grid = new QGridLayout(this);
    QLineEdit* radiusEdit = AddEditRow(grid, 0, kRadiusLabel);
    radiusEdit->setObjectName(QStringLiteral("radius"));
    grid->addWidget(MakeButtons(), 1, 0, 1, 2);

    m_fields.AddInteger(radiusEdit, &m_radius, 1, std::numeric_limits<int>::max());
    m_fields.ToControls();
}
