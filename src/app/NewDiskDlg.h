// "New Hex Disk" (rings) and "New Random Disk" (nodes and seed): the sizes of a generated disk.
#pragma once

#include "app/FieldDialog.h"

class CNewDiskDlg : public CFieldDialog {
    Q_OBJECT

public:
    enum class Kind { Hex, Random };
    explicit CNewDiskDlg(Kind kind, QWidget* parent = nullptr);

    Kind m_kind;
    int m_rings = 10;   // hex
    int m_nodes = 1000; // random
    int m_seed = 1;     // random
};
