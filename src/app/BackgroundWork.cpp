// The document commands that can take seconds on a large graph: opening, saving, building a
// generated disk, Circle Packing and Pack to Convergence run on the worker thread behind the
// progress dialog, the window keeps painting its last picture, and Cancel leaves the document and
// the file as they were.
#include "app/CommandIds.h"
#include "app/MainFrame.h"
#include "app/MessageBox.h"
#include "app/ProgressRunner.h"
#include "app/QtStrings.h"
#include "app/TesselApp.h"
#include "document/StringIds.h"
#include "document/TesselDoc.h"
#include "interchange/Import.h"
#include "packing/PackingErrors.h"
#include "view/TesselView.h"

#include <QFile>
#include <QFileInfo>
#include <new>

void CTesselApp::RunOnWorker(int command, const QString& text, const std::function<void()>& work,
                             CProgressRunner::Cancel cancel) {
    m_pView->SetDocumentBusy(true);
    m_progress->Run(CommandTip(command), text, work, cancel);
    m_pView->SetDocumentBusy(false);
}

std::function<bool()> CTesselApp::CancelAsked() const {
    return [&progress = *m_progress] { return progress.CancelAsked(); };
}

BuildProgress CTesselApp::DiskProgress() {
    return [this, shown = -1](int made, int total) mutable {
        // A percent at a time: the builders report far more often than that.
        const int percent = total > 0 ? int(100.0 * made / total) : 0;
        if (percent != shown) {
            shown = percent;
            m_progress->Report(FormatString(ids::kBuildingDiskStep,
                                            {QString::number(made), QString::number(total)}));
        }
        return !m_progress->CancelAsked();
    };
}

void CTesselApp::OnCirclePacking() {
    std::string refusal;
    bool packed = false;
    bool outOfMemory = false;
    const CTesselDoc::PackingProgress progress = [this](int done, int total) {
        m_progress->Report(
            FormatString(ids::kPackingStep, {QString::number(done + 1), QString::number(total)}));
        return !m_progress->CancelAsked();
    };
    RunOnWorker(cmd::kCirclePacking, LoadQString(ids::kConvergenceStarting), [&] {
        try {
            packed = m_document->RunPacking(&refusal, progress);
        } catch (const std::bad_alloc&) {
            outOfMemory = true;
        }
    });
    if (outOfMemory || !refusal.empty()) {
        ShowMessage(m_pMainFrame, outOfMemory ? LoadQString(ids::kPackingOutOfMemory)
                                              : QString::fromStdString(refusal));
        return;
    }
    if (!packed) {
        m_pMainFrame->SetStatusText(LoadQString(ids::kPackingCancelled));
        return;
    }
    m_pView->InvalidateView(true);
    m_pMainFrame->SetPackingStatus(
        PackingErrorText(MeasurePackingErrors(m_document->m_nodes).innerError));
}

bool CTesselApp::OnPackToConvergence() {
    CConvergedPacking outcome;
    QString message;
    m_pView->SetDocumentBusy(true);
    const ConvergenceResult result = PackInEditor(*m_progress, *m_document, m_settings.Tolerance,
                                                  m_convergedSolver, outcome, message);
    m_pView->SetDocumentBusy(false);
    switch (result) {
    case ConvergenceResult::Refused:
        ShowMessage(m_pMainFrame, message);
        return false;
    case ConvergenceResult::Cancelled:
        m_pMainFrame->SetStatusText(LoadQString(ids::kConvergenceCancelled));
        return false;
    case ConvergenceResult::Computed:
        break;
    }
    m_pView->InvalidateView(true);
    m_pMainFrame->SetPackingStatus(ConvergedText(outcome));
    if (outcome.status == NewtonStatus::Limit) {
        ShowMessage(m_pMainFrame, FormatString(ids::kConvergenceLimit,
                                               {QString::number(outcome.error, 'e', 2),
                                                QString::number(outcome.iterations),
                                                QString::number(m_settings.Tolerance, 'g', 3)}));
    }
    return true;
}

bool CTesselApp::ReadDocument(const QString& path) {
    std::string error;
    bool opened = false;
    RunOnWorker(cmd::kFileOpen, FormatString(ids::kOpeningFile, {TitleOf(path)}), [&] {
        opened =
            m_document->OnOpenDocument(QFile::encodeName(path).toStdString(), error, CancelAsked());
    });
    // A Cancel that came after the last question is too late: the document is open then.
    if (!opened && m_progress->CancelAsked()) {
        m_pMainFrame->SetStatusText(LoadQString(ids::kOpenCancelled));
        return false;
    }
    if (!opened) {
        // The document is left as it was, so the user keeps working on it.
        if (!QFileInfo::exists(path)) {
            m_recentFiles.Remove(path);
            m_pMainFrame->SetRecentFiles(m_recentFiles.Files());
        }
        ShowWarning(m_pMainFrame, FormatString(ids::kOpenFailed, {QString::fromStdString(error)}));
        return false;
    }
    m_recentFiles.Add(path);
    m_pMainFrame->SetRecentFiles(m_recentFiles.Files());
    DocumentShown(QFileInfo(path).absoluteFilePath());
    return true;
}

bool CTesselApp::ImportDocument(const QString& path) {
    const std::string file = QFile::encodeName(path).toStdString();
    CImportOptions options;
    options.format = ImportFormatOf(file).value_or(ImportFormat::CirclePack);
    for (;;) {
        std::vector<std::string> notes;
        std::string error;
        bool imported = false;
        RunOnWorker(cmd::kImport, FormatString(ids::kImportingFile, {TitleOf(path)}), [&] {
            imported = ImportFile(*m_document, file, options, notes, error, CancelAsked());
        });
        if (!imported && m_progress->CancelAsked()) {
            m_pMainFrame->SetStatusText(LoadQString(ids::kImportCancelled));
            return false;
        }
        if (!imported && !options.largest && IsSeveralPartsRefusal(error)) {
            if (AskOkCancel(m_pMainFrame,
                            FormatString(ids::kImportLargest, {QString::fromStdString(error)})) !=
                Answer::Ok) {
                return false;
            }
            options.largest = true;
            continue;
        }
        if (!imported) {
            ShowWarning(m_pMainFrame,
                        FormatString(ids::kImportFailed, {QString::fromStdString(error)}));
            return false;
        }
        // Nothing holds the imported graph yet: closing asks to save it.
        m_document->History().MarkSaved(false);
        DocumentShown({});
        if (!notes.empty()) {
            QStringList lines;
            for (const std::string& note : notes) {
                lines << QString::fromStdString(note);
            }
            m_pMainFrame->SetStatusText(
                FormatString(ids::kImportNotes, {TitleOf(path), lines.join(QStringLiteral("; "))}));
        }
        return true;
    }
}

bool CTesselApp::WriteDocument(const QString& path) {
    std::string error;
    bool saved = false;
    RunOnWorker(cmd::kFileSave, FormatString(ids::kSavingFile, {TitleOf(path)}), [&] {
        saved =
            m_document->OnSaveDocument(QFile::encodeName(path).toStdString(), error, CancelAsked());
    });
    if (!saved && m_progress->CancelAsked()) {
        m_pMainFrame->SetStatusText(LoadQString(ids::kSaveCancelled));
        return false;
    }
    if (!saved) {
        ShowWarning(m_pMainFrame, FormatString(ids::kSaveFailed, {QString::fromStdString(error)}));
        return false;
    }
    UpdateTitle();
    return true;
}
