// "Text File Setup": the scale of the written coordinates and the line format, which the
// profile keeps between runs.
#pragma once

#include "app/FieldDialog.h"

#include <QString>
#include <string>

class CTextSetupDlg : public CFieldDialog {
    Q_OBJECT

public:
    // Opens on `radius` (the view's drawing radius) and the format last stored in the profile
    // file at `profilePath`; OK stores the accepted format there again.
    CTextSetupDlg(double radius, std::string profilePath, QWidget* parent = nullptr);

    double m_radius = 0.0;
    QString m_format;

protected:
    void OnAccepted() override;

private:
    std::string m_profilePath;
};
