// "Text File Setup": the scale of the written coordinates and the line format, which the
// profile keeps between runs.
#pragma once

#include "app/FieldDialog.h"

#include <QString>

class CIniFile;

class CTextSetupDlg : public CFieldDialog {
    Q_OBJECT

public:
    // Opens on `radius` (the view's drawing radius) and the format last stored in `profile`,
    // the profile the program writes at exit; OK stores the accepted format there again.
    CTextSetupDlg(double radius, CIniFile& profile, QWidget* parent = nullptr);

    double m_radius = 0.0;
    QString m_format;

protected:
    void OnAccepted() override;

private:
    CIniFile& m_profile;
};
