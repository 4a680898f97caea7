// Keeps the editing keys with the text box that has the focus: while one does, Ctrl+A, C, V,
// X, Z, Shift+Z, Y and Delete edit its text instead of running the window's commands.
#pragma once

#include <QObject>

class CTextBoxKeys : public QObject {
    Q_OBJECT

public:
    // Watches every widget of the application; one is enough, owned by `parent`.
    explicit CTextBoxKeys(QObject* parent);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};
