// The generated disks' size dialogs.
#include "app/NewDiskDlg.h"

#include "app/QtStrings.h"
#include "document/GraphBuilder.h"
#include "document/Settings.h"
#include "document/StringIds.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLineEdit>
#include <limits>

CNewDiskDlg::CNewDiskDlg(Kind kind, CIniFile& profile, QWidget* parent)
    : CFieldDialog(kind == Kind::Hex ? ids::kNewHexTitle : ids::kNewRandomTitle, parent),
      m_kind(kind), m_pack(LoadNewDiskPacking(profile)), m_profile(profile) {
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
    auto* pack = new QCheckBox(LoadQString(ids::kNewDiskPack), this);
    pack->setObjectName(QStringLiteral("pack"));
    grid->addWidget(pack, 2, 0, 1, 3);
    m_fields.AddFlag(pack, &m_pack);
    grid->addWidget(MakeButtons(), 3, 0, 1, 3);
    m_fields.ToControls();
}

void CNewDiskDlg::OnAccepted() {
    SaveNewDiskPacking(m_profile, m_pack);
}
