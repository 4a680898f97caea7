// The metafile export's setup dialog.
#include "app/EmfSetupDlg.h"

#include "document/StringIds.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLineEdit>
#include <limits>

CEmfSetupDlg::CEmfSetupDlg(int radius, QWidget* parent)
    : CFieldDialog(ids::kEmfSetupTitle, parent), m_radius(radius) {
    auto* grid = new QGridLayout(this);
    QLineEdit* radiusEdit = AddEditRow(grid, 0, ids::kEmfSetupRadius);
    radiusEdit->setObjectName(QStringLiteral("radius"));
    grid->addWidget(MakeButtons(), 1, 0, 1, 2);

    m_fields.AddInteger(radiusEdit, &m_radius, 1, std::numeric_limits<int>::max());
    m_fields.ToControls();
}
