// The worker thread and the progress dialog of long work.
#include "app/ProgressRunner.h"

#include "app/ProgressDlg.h"

#include <QApplication>
#include <QTimer>
#include <chrono>
#include <thread>

namespace {

// How often the dialog takes over the worker's latest text and looks whether it has finished.
constexpr int kPollMilliseconds = 40;

} // namespace

bool CProgressRunner::Run(const QString& title, const QString& text, const Work& work,
                          Cancel cancel) {
    m_running = true;
    m_cancel = false;
    m_cancelEnded = false;
    {
        std::lock_guard lock(m_mutex);
        m_finished = false;
        m_text = text;
        m_textChanged = false;
    }
    std::thread worker([this, &work] {
        work();
        {
            std::lock_guard lock(m_mutex);
            m_finished = true;
        }
        m_finishedSignal.notify_all();
    });
    bool finished = false;
    {
        std::unique_lock lock(m_mutex);
        finished = m_finishedSignal.wait_for(lock, std::chrono::milliseconds(m_dialogDelay),
                                             [this] { return m_finished; });
    }
    if (!finished) {
        ShowDialog(title, text, cancel);
    }
    worker.join();
    m_running = false;
    return !m_cancel;
}

void CProgressRunner::ShowDialog(const QString& title, const QString& text, Cancel cancel) {
    CProgressDlg dialog(title, text, m_parent, cancel == Cancel::Offered);
    QObject::connect(&dialog, &CProgressDlg::CancelRequested, [this] {
        if (!m_cancelEnded) {
            m_cancel = true;
        }
    });
    QTimer poll;
    poll.setInterval(kPollMilliseconds);
    QObject::connect(&poll, &QTimer::timeout, &dialog, [this, &dialog] {
        std::lock_guard lock(m_mutex);
        if (m_cancelEnded) {
            dialog.EndCancel();
        }
        if (m_textChanged) {
            dialog.SetText(m_text);
            m_textChanged = false;
        }
        if (m_finished) {
            dialog.accept();
        }
    });
    poll.start();
    QApplication::setOverrideCursor(Qt::BusyCursor);
    dialog.exec();
    QApplication::restoreOverrideCursor();
}

void CProgressRunner::Report(const QString& text) {
    std::lock_guard lock(m_mutex);
    m_text = text;
    m_textChanged = true;
}
