// The setup dialog of the SVG and PDF exports.
#include "app/VectorSetupDlg.h"

#include "document/StringIds.h"
#include "export/Export.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLineEdit>

CVectorSetupDlg::CVectorSetupDlg(Kind kind, double radius, QWidget* parent)
    : CFieldDialog(kind == Kind::Svg ? ids::kSvgSetupTitle : ids::kPdfSetupTitle, parent),
      m_radius(radius) {
    auto* grid = new QGridLayout(this);
    QLineEdit* radiusEdit = kind == Kind::Svg
                                ? AddEditRow(grid, 0, ids::kSvgSetupRadius, ids::kSvgSetupPixels)
                                : AddEditRow(grid, 0, ids::kPdfSetupRadius, ids::kPdfSetupPoints);
    radiusEdit->setObjectName(QStringLiteral("radius"));
    grid->addWidget(MakeButtons(), 1, 0, 1, 3);
    m_fields.AddReal(radiusEdit, &m_radius, 1.0, kVectorMaxRadius);
    m_fields.ToControls();
}
