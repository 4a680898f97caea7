// The print commands. One printer is kept for the whole session, so what the user chooses in
// Print Setup or the printer dialog carries over to the next print.
#pragma once

#include <QPrinter>

class CTesselView;

class CPrinting {
public:
    explicit CPrinting(CTesselView& view);

    // The page setup dialog on the session's printer; Cancel changes nothing.
    void OnPrintSetup();
    // Prints what the view's mode shows (src/view/PagePicture.h), after the printer dialog
    // when askFirst is set.
    void OnPrint(bool askFirst);
    void OnPrintPreview();

    QPrinter& Printer() { return m_printer; }

private:
    // The page; false when the printer could not be opened or failed while printing.
    bool PrintPicture(QPrinter& printer);

    CTesselView& m_view;
    QPrinter m_printer;
};
