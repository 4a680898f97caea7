// The progress dialog of long work.
#include "app/ProgressDlg.h"

#include "app/QtStrings.h"
#include "document/StringIds.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

// Wide enough for the longest progress line without the dialog growing as the numbers change.
constexpr int kTextWidthInCharacters = 64;

} // namespace

CProgressDlg::CProgressDlg(const QString& title, const QString& text, QWidget* parent,
                           bool cancellable)
    : QDialog(parent), m_cancellable(cancellable) {
    setObjectName(QStringLiteral("progressDialog"));
    setWindowTitle(title);
    setModal(true);
    m_text = new QLabel(text, this);
    m_text->setObjectName(QStringLiteral("progressText"));
    m_text->setMinimumWidth(m_text->fontMetrics().averageCharWidth() * kTextWidthInCharacters);
    auto* bar = new QProgressBar(this);
    bar->setRange(0, 0); // no known end: the bar shows that the work is alive
    bar->setTextVisible(false);
    auto* buttons = new QDialogButtonBox(this);
    m_cancel = buttons->addButton(LoadQString(ids::kButtonCancel), QDialogButtonBox::RejectRole);
    m_cancel->setObjectName(QStringLiteral("cancel"));
    connect(buttons, &QDialogButtonBox::rejected, this, &CProgressDlg::reject);
    buttons->setVisible(cancellable);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_text);
    layout->addWidget(bar);
    layout->addWidget(buttons);
}

void CProgressDlg::SetText(const QString& text) {
    if (!m_cancelAsked) {
        m_text->setText(text);
    }
}

void CProgressDlg::ShowCancelling() {
    m_cancel->setEnabled(false);
    m_text->setText(LoadQString(ids::kCancelling));
}

void CProgressDlg::EndCancel() {
    m_cancellable = false;
    m_cancel->setEnabled(false);
}

void CProgressDlg::reject() {
    if (m_cancelAsked || !m_cancellable) {
        return;
    }
    m_cancelAsked = true;
    ShowCancelling();
    emit CancelRequested();
}
