// The EPS export's setup dialog.
#include "app/EpsSetupDlg.h"

#include "document/StringIds.h"
#include "export/Export.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLineEdit>

CEpsSetupDlg::CEpsSetupDlg(double radius, QWidget* parent)
    : CFieldDialog(ids::kEpsSetupTitle, parent), m_radius(radius) {
    auto* grid = new QGridLayout(this);
    QLineEdit* radiusEdit = AddEditRow(grid, 0, ids::kEpsSetupRadius, ids::kEpsSetupPoints);
    QLineEdit* offsetEdit = AddEditRow(grid, 1, ids::kEpsSetupLeftBottom, ids::kEpsSetupPoints);
    radiusEdit->setObjectName(QStringLiteral("radius"));
    offsetEdit->setObjectName(QStringLiteral("leftBottom"));
    grid->addWidget(MakeButtons(), 2, 0, 1, 3);

    m_fields.AddReal(radiusEdit, &m_radius, 1.0, kEpsMaxRadius);
    m_fields.AddReal(offsetEdit, &m_leftBottom, 0.0, kEpsMaxOffset);
    m_fields.ToControls();
}
