// The editing keys of text boxes.
#include "app/TextBoxKeys.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>

namespace {

// The keys a line edit knows as its own editing keys on every desktop.
bool IsEditingKey(const QKeyEvent& key) {
    const Qt::KeyboardModifiers modifiers =
        key.modifiers() & ~(Qt::KeypadModifier | Qt::GroupSwitchModifier);
    if (modifiers == Qt::NoModifier) {
        return key.key() == Qt::Key_Delete;
    }
    if (modifiers == (Qt::ControlModifier | Qt::ShiftModifier)) {
        return key.key() == Qt::Key_Z;
    }
    if (modifiers != Qt::ControlModifier) {
        return false;
    }
    switch (key.key()) {
    case Qt::Key_A:
    case Qt::Key_C:
    case Qt::Key_V:
    case Qt::Key_X:
    case Qt::Key_Z:
    case Qt::Key_Y:
        return true;
    default:
        return false;
    }
}

} // namespace

CTextBoxKeys::CTextBoxKeys(QObject* parent) : QObject(parent) {
    qApp->installEventFilter(this);
}

bool CTextBoxKeys::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    if (type != QEvent::ShortcutOverride && type != QEvent::KeyPress) {
        return false;
    }
    auto* box = qobject_cast<QLineEdit*>(watched);
    const auto& key = static_cast<const QKeyEvent&>(*event);
    if (box == nullptr || box->isReadOnly() || !IsEditingKey(key)) {
        return false;
    }
    if (type == QEvent::ShortcutOverride) {
        // Accepted, the key reaches the box as a key press instead of running a shortcut.
        event->accept();
        return false;
    }
    // Some desktops' key schemes know only Ctrl+Shift+Z as redo.
    if (key.key() == Qt::Key_Y && !key.matches(QKeySequence::Redo)) {
        box->redo();
        return true;
    }
    return false;
}
