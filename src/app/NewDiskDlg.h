// "New Hex Disk" (rings) and "New Random Disk" (nodes and seed): the sizes of a generated disk,
// and whether it is packed to convergence as soon as it is made, which the profile keeps.
#pragma once

#include "app/FieldDialog.h"

class CIniFile;

class CNewDiskDlg : public CFieldDialog {
    Q_OBJECT

public:
    enum class Kind { Hex, Random };
    // Opens with the box as last stored in `profile`, the profile the program writes at exit;
    // OK stores the accepted box there again.
    CNewDiskDlg(Kind kind, CIniFile& profile, QWidget* parent = nullptr);

    Kind m_kind;
    int m_rings = 10;   // hex
    int m_nodes = 1000; // random
    int m_seed = 1;     // random
    int m_pack = 0;     // packed to convergence once made

protected:
    void OnAccepted() override;

private:
    CIniFile& m_profile;
};
