// Long work on a worker thread while the window keeps painting: a modal progress dialog with
// Cancel appears when the work takes longer than a moment, and keeps the user from editing
// until the work has finished.
#pragma once

#include <QString>
#include <atomic>
#include <condition_variable>
#include <functional>
#include <mutex>

class QWidget;

class CProgressRunner {
public:
    explicit CProgressRunner(QWidget* parent) : m_parent(parent) {}

    // The work runs on a worker thread and may call Report and CancelAsked from there.
    using Work = std::function<void()>;

    // Whether the dialog offers Cancel: work that cannot stop part way offers none.
    enum class Cancel { Offered, NotOffered };

    // Runs the work and returns when it has finished; false when the user asked to cancel
    // (the work decides what it leaves undone). Not reentrant: the dialog is modal.
    bool Run(const QString& title, const QString& text, const Work& work,
             Cancel cancel = Cancel::Offered);

    // From the worker: the dialog's text from now on.
    void Report(const QString& text);
    // From the worker: whether the user has pressed Cancel.
    bool CancelAsked() const { return m_cancel.load(); }
    // From the worker: the work cannot stop from here on, so Cancel is disabled; a Cancel
    // pressed before this stays asked.
    void EndCancel() { m_cancelEnded = true; }
    bool IsRunning() const { return m_running; }

    // How long the work may take before the dialog appears, in milliseconds; until then the
    // window waits without painting. Tests make it 0 to see the dialog at once.
    void SetDialogDelay(int milliseconds) { m_dialogDelay = milliseconds; }

private:
    // The dialog's event loop until the work has finished.
    void ShowDialog(const QString& title, const QString& text, Cancel cancel);

    QWidget* m_parent;
    int m_dialogDelay = 300;
    bool m_running = false;
    std::atomic<bool> m_cancel = false;
    std::atomic<bool> m_cancelEnded = false;
    std::mutex m_mutex;
    std::condition_variable m_finishedSignal;
    bool m_finished = false; // guarded by m_mutex
    QString m_text;          // guarded by m_mutex
    bool m_textChanged = false;
};
