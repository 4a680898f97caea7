// The generated disks' size dialogs.
#include "app/NewDiskDlg.h"

#include "document/GraphBuilder.h"
#include "document/StringIds.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLineEdit>
#include <limits>

CNewDiskDlg::CNewDiskDlg(Kind kind, QWidget* parent)
    : CFieldDialog(kind == Kind::Hex ? ids::kNewHexTitle : ids::kNewRandomTitle, parent),
      m_kind(kind) {
    auto* grid = new QGridLayout(this);
    if (kind == Kind::Hex) {
        QLineEdit* rings = AddEditRow(grid, 0, ids::kNewHexRings, ids::kNewHexRingsUnit);
        rings->setObjectName(QStringLiteral("rings"));
        m_fields.AddInteger(rings, &m_rings, 1, MaxHexRings);
    } else {
        QLineEdit* nodes = AddEditRow(grid, 0, ids::kNewRandomNodes, ids::kNewRandomNodesUnit);
        QLineEdit* seed = AddEditRow(grid, 1, ids::kNewRandomSeed);
        nodes->setObjectName(QStringLiteral("nodes"));
        seed->setObjectName(QStringLiteral("seed"));
        m_fields.AddInteger(nodes, &m_nodes, 4, MaxRandomDiskNodes);
        m_fields.AddInteger(seed, &m_seed, 0, std::numeric_limits<int>::max());
    }
    grid->addWidget(MakeButtons(), 2, 0, 1, 3);
    m_fields.ToControls();
}
