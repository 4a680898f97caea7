// The text export's setup dialog.
#include "app/TextSetupDlg.h"

#include "app/QtStrings.h"
#include "document/Settings.h"
#include "document/StringIds.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <limits>

CTextSetupDlg::CTextSetupDlg(double radius, CIniFile& profile, QWidget* parent)
    : CFieldDialog(ids::kTextSetupTitle, parent), m_radius(radius),
      m_format(QString::fromStdString(LoadTextExportFormat(profile))), m_profile(profile) {
    auto* grid = new QGridLayout(this);
    QLineEdit* radiusEdit = AddEditRow(grid, 0, ids::kTextSetupRadius);
    QLineEdit* formatEdit = AddEditRow(grid, 1, ids::kTextSetupFormat);
    radiusEdit->setObjectName(QStringLiteral("radius"));
    formatEdit->setObjectName(QStringLiteral("format"));
    formatEdit->setMinimumWidth(formatEdit->fontMetrics().averageCharWidth() * 40);
    auto* help = new QLabel(LoadQString(ids::kTextSetupTokens), this);
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
