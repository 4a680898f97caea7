// The tiling disk's size dialog.
#include "app/NewTilingDlg.h"

#include "app/MessageBox.h"
#include "app/QtStrings.h"
#include "document/StringIds.h"
#include "model/RegularTiling.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLineEdit>

CNewTilingDlg::CNewTilingDlg(QWidget* parent) : CFieldDialog(ids::kNewTilingTitle, parent) {
    auto* grid = new QGridLayout(this);
    m_sidesEdit = AddEditRow(grid, 0, ids::kNewTilingSides);
    QLineEdit* corner = AddEditRow(grid, 1, ids::kNewTilingCorner);
    QLineEdit* depth = AddEditRow(grid, 2, ids::kNewTilingDepth);
    m_sidesEdit->setObjectName(QStringLiteral("sides"));
    corner->setObjectName(QStringLiteral("corner"));
    depth->setObjectName(QStringLiteral("depth"));
    m_fields.AddInteger(m_sidesEdit, &m_sides, MinTilingSides, MaxTilingSides);
    m_fields.AddInteger(corner, &m_corner, MinTilingSides, MaxTilingSides);
    m_fields.AddInteger(depth, &m_depth, 1, MaxTilingDepth);
    grid->addWidget(MakeButtons(), 3, 0, 1, 3);
    m_fields.ToControls();
}

void CNewTilingDlg::accept() {
    if (!m_fields.FromControls(this)) {
        return;
    }
    if (const std::string problem = FindTilingProblem(m_sides, m_corner, m_depth);
        !problem.empty()) {
        ShowWarning(this, FormatString(ids::kNoTiling, {QString::fromStdString(problem)}));
        m_sidesEdit->setFocus();
        m_sidesEdit->selectAll();
        return;
    }
    QDialog::accept();
}
