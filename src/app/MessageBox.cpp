// Message boxes with the program's own button texts.
#include "app/MessageBox.h"

#include "app/QtStrings.h"
#include "document/StringIds.h"

#include <QMessageBox>
#include <QPushButton>

namespace {

struct ButtonText {
    QMessageBox::StandardButton button;
    int textId;
};

constexpr ButtonText kButtonTexts[] = {
    {QMessageBox::Yes, ids::kButtonYes},
    {QMessageBox::No, ids::kButtonNo},
    {QMessageBox::Ok, ids::kButtonOk},
    {QMessageBox::Cancel, ids::kButtonCancel},
};

QMessageBox::StandardButton Run(QWidget* parent, QMessageBox::Icon icon, const QString& text,
                                QMessageBox::StandardButtons buttons,
                                QMessageBox::StandardButton escape) {
    QMessageBox box(icon, LoadQString(ids::kAppName), text, buttons, parent);
    for (const ButtonText& entry : kButtonTexts) {
        if (QAbstractButton* button = box.button(entry.button)) {
            button->setText(LoadQString(entry.textId));
        }
    }
    box.setEscapeButton(escape);
    box.exec();
    QAbstractButton* clicked = box.clickedButton();
    return clicked == nullptr ? escape : box.standardButton(clicked);
}

} // namespace

Answer AskOkCancel(QWidget* parent, const QString& text) {
    const auto button = Run(parent, QMessageBox::Question, text,
                            QMessageBox::Ok | QMessageBox::Cancel, QMessageBox::Cancel);
    return button == QMessageBox::Ok ? Answer::Ok : Answer::Cancel;
}

Answer AskYesNoCancel(QWidget* parent, const QString& text) {
    const auto button =
        Run(parent, QMessageBox::Warning, text,
            QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, QMessageBox::Cancel);
    if (button == QMessageBox::Yes) {
        return Answer::Yes;
    }
    return button == QMessageBox::No ? Answer::No : Answer::Cancel;
}

void ShowWarning(QWidget* parent, const QString& text) {
    Run(parent, QMessageBox::Warning, text, QMessageBox::Ok, QMessageBox::Ok);
}

void ShowMessage(QWidget* parent, const QString& text) {
    Run(parent, QMessageBox::NoIcon, text, QMessageBox::Ok, QMessageBox::Ok);
}
