// The modal dialog shown while long work runs: what it is doing, a busy bar and Cancel.
#pragma once

#include <QDialog>

class QLabel;
class QPushButton;

class CProgressDlg : public QDialog {
    Q_OBJECT

public:
    // Without cancellable, the dialog has no Cancel button and Escape and the close button do
    // nothing: the work cannot stop part way.
    CProgressDlg(const QString& title, const QString& text, QWidget* parent,
                 bool cancellable = true);

    void SetText(const QString& text);
    // Cancel was asked for and the work has not stopped yet: the button is disabled and the
    // text says so.
    void ShowCancelling();
    // The work can no longer stop: Cancel is disabled and Escape does nothing.
    void EndCancel();
    bool CancelAsked() const { return m_cancelAsked; }

    // Cancel, Escape and the window's close button ask the work to stop; the dialog closes
    // only when the work has (through accept()).
    void reject() override;

signals:
    void CancelRequested();

private:
    QLabel* m_text = nullptr;
    QPushButton* m_cancel = nullptr;
    bool m_cancelAsked = false;
    bool m_cancellable = true;
};
