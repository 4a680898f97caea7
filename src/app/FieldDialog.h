// A modal dialog whose OK validates its fields, field by field, before anything is taken over.
#pragma once

#include "app/DialogFields.h"

#include <QDialog>

class QDialogButtonBox;
class QGridLayout;
class QLineEdit;

class CFieldDialog : public QDialog {
    Q_OBJECT

public:
    // Takes the values over and closes only when every field passes its check.
    void accept() override;

protected:
    CFieldDialog(int titleId, QWidget* parent);

    // Adds a row "label, edit, unit" to a grid; a unit id of 0 leaves the unit out.
    QLineEdit* AddEditRow(QGridLayout* grid, int row, int labelId, int unitId = 0);
    // The OK and CANCEL buttons, OK being the default.
    QDialogButtonBox* MakeButtons();

    // Runs after every field has passed its own check: false keeps the dialog open (the
    // dialog has said why).
    virtual bool CheckValues() { return true; }
    // Runs after the values have been taken over and before the dialog closes.
    virtual void OnAccepted() {}

    CDialogFields m_fields;
};
