// Status-bar prompts for disabled menu items, which Qt's menus show only for enabled ones.
#pragma once

#include <QObject>
#include <QPointer>

class QAction;
class QMenu;

// Watches menus: while the pointer rests on a disabled item its prompt goes to `target` (the
// main window, which shows it in the status bar) as an enabled item's would; pointing
// elsewhere or closing the menu takes it away again.
class CDisabledItemPrompts : public QObject {
public:
    explicit CDisabledItemPrompts(QObject* target);
    void Watch(QMenu* menu);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Show(QAction* action);

    QObject* m_target;
    QPointer<QAction> m_shown; // the disabled item whose prompt is up, if any
};
