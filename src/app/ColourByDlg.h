// "Colour By": which colouring, its colours or palette, which of the circles' colours it sets
// and whether the selected circles alone take it.
#pragma once

#include "app/FieldDialog.h"
#include "document/TesselDoc.h"

class QComboBox;

class CColourByDlg : public CFieldDialog {
    Q_OBJECT

public:
    // Starts from the request; Request() gives what the user chose after OK.
    CColourByDlg(const CTesselDoc::ColourRequest& start, QWidget* parent = nullptr);

    CTesselDoc::ColourRequest Request() const;

protected:
    void OnAccepted() override;

private:
    // The colours of gradations for rings, degree and radius, the palette for a proper
    // colouring.
    void ShowKindFields();

    static constexpr int kPaletteSize = 6;

    QComboBox* m_kind = nullptr;
    QWidget* m_gradation = nullptr;
    QWidget* m_palette = nullptr;
    CTesselDoc::ColourRequest m_request;
    COLORREF m_colours[kPaletteSize] = {};
    int m_line = 0;
    int m_inner = 0;
    int m_selectedOnly = 0;
};
