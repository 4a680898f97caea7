// The EPS export's setup dialog.
#include "app/EpsSetupDlg.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLineEdit>
#include <limits>

namespace {

constexpr int kTitle = 13200;
constexpr int kRadiusLabel = 13201;
constexpr int kPointUnit = 13202;
constexpr int kLeftBottomLabel = 13203;

} // namespace

CEpsSetupDlg::CEpsSetupDlg(double radius, QWidget* parent)
    : CFieldDialog(kTitle, parent), m_radius(radius) {
    auto* grid = new QGridLayout(this);
    QLineEdit* radiusEdit = AddEditRow(grid, 0, kRadiusLabel, kPointUnit);
    QLineEdit* offsetEdit = AddEditRow(grid, 1, kLeftBottomLabel, kPointUnit);
    radiusEdit->setObjectName(QStringLiteral("radius"));
    offsetEdit->setObjectName(QStringLiteral("leftBottom"));
    grid->addWidget(MakeButtons(), 2, 0, 1, 3);

    constexpr double kLargest = std::numeric_limits<double>::max();
    m_fields.AddReal(radiusEdit, &m_radius, 1.0, kLargest);
    m_fields.AddReal(offsetEdit, &m_leftBottom, 0.0, kLargest);
    m_fields.ToControls();
}
