// Prompts of disabled menu items.
#include "app/DisabledItemPrompts.h"

#include <QAction>
#include <QCoreApplication>
#include <QMenu>
#include <QMouseEvent>
#include <QPointer>
#include <QStatusTipEvent>

CDisabledItemPrompts::CDisabledItemPrompts(QObject* target) : QObject(target), m_target(target) {}

void CDisabledItemPrompts::Watch(QMenu* menu) {
    menu->installEventFilter(this);
}

bool CDisabledItemPrompts::eventFilter(QObject* watched, QEvent* event) {
    auto* menu = static_cast<QMenu*>(watched);
    switch (event->type()) {
    case QEvent::MouseMove: {
        // Looked at once the menu has handled the move: pointing away from an enabled item
        // clears the status bar, which must not take away the prompt shown here.
        const QPoint at = static_cast<QMouseEvent*>(event)->position().toPoint();
        QMetaObject::invokeMethod(
            this,
            [this, menu = QPointer<QMenu>(menu), at] {
                QAction* action = menu && menu->isVisible() ? menu->actionAt(at) : nullptr;
                if (action && !action->isSeparator() && action->isEnabled()) {
                    m_shown = nullptr; // the menu shows this item's prompt itself
                    return;
                }
                Show(action && !action->isSeparator() ? action : nullptr);
            },
            Qt::QueuedConnection);
        break;
    }
    case QEvent::Leave:
    case QEvent::Hide:
        Show(nullptr);
        break;
    default:
        break;
    }
    return false;
}

void CDisabledItemPrompts::Show(QAction* action) {
    if (action == m_shown) {
        return;
    }
    // An enabled item shows its own prompt; only a prompt put up here is taken away here.
    if (action || m_shown) {
        QStatusTipEvent tip(action ? action->statusTip() : QString());
        QCoreApplication::sendEvent(m_target, &tip);
    }
    m_shown = action;
}
