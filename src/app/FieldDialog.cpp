// The common frame of the settings dialog and the export setup dialogs.
#include "app/FieldDialog.h"

#include "app/QtStrings.h"
#include "document/StringIds.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace {

// What a window manager puts beside a title in the frame's bar: the window icon and the
// minimise, maximise and close buttons, with their gaps.
constexpr int kTitleBarRoom = 130;

} // namespace

CFieldDialog::CFieldDialog(int titleId, QWidget* parent) : QDialog(parent) {
    setWindowTitle(LoadQString(titleId));
    setModal(true);
    // A dialog as narrow as its few fields would show its title cut short
    // ("Enhan... Setup"); title bars commonly use the bold system font.
    QFont titleFont = font();
    titleFont.setBold(true);
    setMinimumWidth(QFontMetrics(titleFont).horizontalAdvance(windowTitle()) + kTitleBarRoom);
}

void CFieldDialog::accept() {
    if (!m_fields.FromControls(this) || !CheckValues()) {
        return;
    }
    OnAccepted();
    QDialog::accept();
}

QLineEdit* CFieldDialog::AddEditRow(QGridLayout* grid, int row, int labelId, int unitId) {
    auto* edit = new QLineEdit(this);
    auto* label = new QLabel(LoadQString(labelId), this);
    label->setBuddy(edit);
    grid->addWidget(label, row, 0);
    grid->addWidget(edit, row, 1);
    if (unitId != 0) {
        grid->addWidget(new QLabel(LoadQString(unitId), this), row, 2);
    }
    return edit;
}

QDialogButtonBox* CFieldDialog::MakeButtons() {
    auto* buttons = new QDialogButtonBox(this);
    QPushButton* ok = buttons->addButton(LoadQString(ids::kButtonOk), QDialogButtonBox::AcceptRole);
    QPushButton* cancel =
        buttons->addButton(LoadQString(ids::kDialogCancel), QDialogButtonBox::RejectRole);
    ok->setObjectName(QStringLiteral("ok"));
    cancel->setObjectName(QStringLiteral("cancel"));
    ok->setDefault(true);
    connect(buttons, &QDialogButtonBox::accepted, this, &CFieldDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &CFieldDialog::reject);
    return buttons;
}
