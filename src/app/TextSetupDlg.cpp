// The text export's setup dialog.
#include "app/TextSetupDlg.h"

#include "app/QtStrings.h"
#include "document/Settings.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <limits>

namespace {

constexpr int kTitle = 13300;
constexpr int kRadiusLabel = 13301;
constexpr int kFormatLabel = 13302;
constexpr int kTokenHelp = 13303;

} // namespace

CTextSetupDlg::CTextSetupDlg(double radius, CIniFile& profile, QWidget* parent)
    : CFieldDialog(kTitle, parent), m_radius(radius),
      m_format(QString::fromStdString(LoadTextExportFormat(profile))), m_profile(profile) {
    auto* grid = new QGridLayout(this);
    QLineEdit* radiusEdit = AddEditRow(grid, 0, kRadiusLabel);
    QLineEdit* formatEdit = AddEditRow(grid, 1, kFormatLabel);
    radiusEdit->setObjectName(QStringLiteral("radius"));
    formatEdit->setObjectName(QStringLiteral("format"));
    formatEdit->setMinimumWidth(formatEdit->fontMetrics().averageCharWidth() * 40);
    auto* help = new QLabel(LoadQString(kTokenHelp), this);
    help->setTextFormat(Qt::PlainText);
    grid->addWidget(help, 2, 0, 1, 2);
    grid->addWidget(MakeButtons(), 3, 0, 1, 2);

    m_fields.AddReal(radiusEdit, &m_radius, 0.0, std::numeric_limits<double>::max());
    m_fields.AddText(formatEdit, &m_format);
    m_fields.ToControls();
}

void CTextSetupDlg::OnAccepted() {
    SaveTextExportFormat(m_profile, m_format.toStdString());
}
