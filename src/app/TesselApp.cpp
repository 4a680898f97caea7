// Start-up, the document commands and shut-down of the editor.
#include "app/TesselApp.h"

#include "app/CircleBar.h"
#include "app/CommandIds.h"
#include "app/EditorExport.h"
#include "app/IniProfile.h"
#include "app/MainFrame.h"
#include "app/MessageBox.h"
#include "app/NewDiskCommand.h"
#include "app/Printing.h"
#include "app/ProgressRunner.h"
#include "app/QtStrings.h"
#include "app/SettingsDlg.h"
#include "app/ViewConnections.h"
#include "document/Settings.h"
#include "document/StringIds.h"
#include "document/TesselDoc.h"
#include "interchange/Import.h"
#include "view/TesselView.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QLayout>
#include <new>

namespace {

QString DocumentFilter() {
    return DocumentTemplateField(3) + QStringLiteral(";;") + LoadQString(ids::kFilterAllFiles);
}

// Opening offers the files import reads too, beside the program's own.
QString OpenFilter() {
    return LoadQString(ids::kFilterOpen) + QStringLiteral(";;") + DocumentTemplateField(3) +
           QStringLiteral(";;") + DialogFilter(ids::kFilterImport) + QStringLiteral(";;") +
           LoadQString(ids::kFilterAllFiles);
}

// A file dialog of the program's own (not the desktop's), so that it behaves the same on
// every desktop and can be driven by tests.
QFileDialog* MakeFileDialog(QWidget* parent, QFileDialog::AcceptMode mode) {
    auto* dialog = new QFileDialog(parent);
    dialog->setOption(QFileDialog::DontUseNativeDialog);
    dialog->setAcceptMode(mode);
    dialog->setNameFilter(DocumentFilter());
    dialog->setDefaultSuffix(DocumentTemplateField(4).mid(1));
    dialog->setFileMode(mode == QFileDialog::AcceptOpen ? QFileDialog::ExistingFile
                                                        : QFileDialog::AnyFile);
    return dialog;
}

QString RunFileDialog(QFileDialog* dialog) {
    const bool accepted = dialog->exec() == QDialog::Accepted;
    const QStringList files = dialog->selectedFiles();
    delete dialog;
    return accepted && !files.isEmpty() ? files.first() : QString();
}

} // namespace

CTesselApp::CTesselApp() = default;

CTesselApp::~CTesselApp() {
    // The view refers to the document, so the window goes first.
    m_frame.reset();
    m_document.reset();
}

bool CTesselApp::InitInstance(const QStringList& arguments, const std::string& profilePath) {
    m_profilePath = profilePath;
    LoadProfile();
    CreateWindows();
    BindCommands();

    const QString path = arguments.isEmpty() ? QString() : arguments.first();
    // A file that cannot be opened has been reported (or its opening cancelled): the editor
    // starts on a new document instead, as desktop editors do.
    if (path.isEmpty() || !ReadDocument(path)) {
        m_document->OnNewDocument();
        DocumentShown({}, true);
    }
    m_pMainFrame->show();
    m_pMainFrame->UpdateCommands();
    return true;
}

void CTesselApp::LoadProfile() {
    std::string error;
    m_profileRead = m_profile.Load(m_profilePath, error);
    if (!m_profileRead) {
        ShowWarning(nullptr, QString::fromStdString(error) + QLatin1Char(' ') +
                                 LoadQString(ids::kProfileNotSaved));
    }
    CIniProfile profile(m_profile);
    m_recentFiles.Load(profile);
    LoadSettings(m_profile, m_settings);
    LoadColourByColours(m_profile, m_colourRequest.how);
}

void CTesselApp::CreateWindows() {
    m_document = std::make_unique<CTesselDoc>();
    m_document->EnableHistory();
    m_pDoc = m_document.get();
    m_frame = std::make_unique<CMainFrame>();
    m_pMainFrame = m_frame.get();
    m_pView = new CTesselView(*m_document, m_settings, m_pMainFrame);
    m_pMainFrame->setCentralWidget(m_pView);
    m_printing = std::make_unique<CPrinting>(*m_pView);
    m_progress = std::make_unique<CProgressRunner>(m_pMainFrame);
    m_circleBar = new CCircleBar(m_settings, m_pMainFrame);
    m_pMainFrame->addDockWidget(Qt::LeftDockWidgetArea, m_circleBar);
    ConnectView(*m_pView, *m_pMainFrame, *m_circleBar);
    CIniProfile profile(m_profile);
    m_pMainFrame->LoadFrameState(profile);
    m_pMainFrame->SetRecentFiles(m_recentFiles.Files());
    // The view has its size before the first document is made, since the starting triangle
    // is sized by the drawing radius.
    m_pMainFrame->layout()->activate();
    m_pView->OnSize();

    m_pMainFrame->SetOpenFileHandler([this](const QString& path) {
        if (!m_progress->IsRunning()) {
            OpenDocumentFile(path);
        }
    });
    // Work on a worker thread uses the document until it has finished.
    m_pMainFrame->SetCloseGuard([this] { return !m_progress->IsRunning() && SaveModified(); });
    m_pMainFrame->SetUpdateHook([this] { UpdateTitle(); });
    QObject::connect(m_pMainFrame, &CMainFrame::Closing, [this] { OnClosing(); });
}

void CTesselApp::BindCommands() {
    CMainFrame& frame = *m_pMainFrame;
    CTesselView& view = *m_pView;
    frame.BindCommand(cmd::kFileNew, [this] { OnFileNew(); });
    frame.BindCommand(cmd::kFileOpen, [this] { OnFileOpen(); });
    frame.BindCommand(cmd::kImport, [this] { OnImport(); });
    frame.BindCommand(cmd::kNewHexDisk, [this] { OnNewDisk(CNewDiskDlg::Kind::Hex); });
    frame.BindCommand(cmd::kNewRandomDisk, [this] { OnNewDisk(CNewDiskDlg::Kind::Random); });
    frame.BindCommand(cmd::kFileSave, [this] { OnFileSave(); });
    frame.BindCommand(cmd::kFileSaveAs, [this] { OnFileSaveAs(); });
    frame.BindCommand(
        cmd::kGraph,
        {[&view] { view.SetMode(GraphMode); }, {}, [&view] { return view.Mode() == GraphMode; }});
    frame.BindCommand(
        cmd::kCircle,
        {[&view] { view.SetMode(CircleMode); }, {}, [&view] { return view.Mode() == CircleMode; }});
    frame.BindCommand(cmd::kCirclePacking,
                      {[this] { OnCirclePacking(); }, [this] { return CanPack(); }, {}});
    frame.BindCommand(cmd::kPackToConvergence,
                      {[this] { OnPackToConvergence(); }, [this] { return CanPack(); }, {}});
    frame.BindCommand(cmd::kNodeRandomize, [this] { m_document->RandomizeNodes(); });
    BindHistoryCommands();
    BindCircleCommands();
    BindExportCommands();
    BindShapeCommands();
}

void CTesselApp::BindHistoryCommands() {
    const CEditHistory& history = m_document->History();
    const auto named = [](int formatId, int stepId, int captionCommand) {
        return stepId == 0 ? CommandCaption(captionCommand)
                           : FormatString(formatId, {LoadQString(stepId)});
    };
    m_pMainFrame->BindCommand(
        cmd::kUndo,
        {[this] { OnUndoRedo(true); },
         [this, &history] { return history.CanUndo() && !m_progress->IsRunning(); },
         {},
         [&history, named] { return named(ids::kUndoStep, history.UndoNameId(), cmd::kUndo); }});
    m_pMainFrame->BindCommand(
        cmd::kRedo,
        {[this] { OnUndoRedo(false); },
         [this, &history] { return history.CanRedo() && !m_progress->IsRunning(); },
         {},
         [&history, named] { return named(ids::kRedoStep, history.RedoNameId(), cmd::kRedo); }});
}

void CTesselApp::OnUndoRedo(bool undo) {
    m_pView->CancelGesture();
    if (undo ? m_document->Undo() : m_document->Redo()) {
        // The figures belonged to the run just after which the document stood.
        m_pMainFrame->SetPackingStatus({});
        m_pView->OnDocumentRestored();
    }
}

void CTesselApp::BindCircleCommands() {
    CMainFrame& frame = *m_pMainFrame;
    CTesselView& view = *m_pView;
    const auto inCircleMode = [&view] { return view.Mode() == CircleMode; };
    frame.BindCommand(cmd::kSelectAll, {[&view] { view.OnSelectAll(); }, inCircleMode, {}});
    frame.BindCommand(cmd::kSelectInverse, {[&view] { view.OnSelectInverse(); }, inCircleMode, {}});
    frame.BindCommand(cmd::kCopyCircle, {[&view] { view.OnCopyCircle(); }, inCircleMode, {}});
    frame.BindCommand(cmd::kPasteCircle, {[&view] { view.OnPasteCircle(); }, inCircleMode, {}});
    frame.BindCommand(
        cmd::kGraphScaleDown,
        {[&view] { view.OnGraphScaleDown(); }, [&view] { return view.Mode() == GraphMode; }, {}});
    frame.BindCommand(
        cmd::kCentreOnCircle,
        {[&view] { view.OnCentreOnCircle(); }, [&view] { return view.CanCentreOnCircle(); }, {}});
    frame.BindCommand(cmd::kMovePacking,
                      {[&view] { view.SetMoveTool(!view.IsMoveTool()); },
                       [&view] { return view.IsMoveTool() || view.Document().HasPacking(); },
                       [&view] { return view.IsMoveTool(); }});
    frame.BindCommand(cmd::kZoomIn,
                      {[&view] { view.ZoomIn(); }, [&view] { return view.CanZoomIn(); }, {}});
    frame.BindCommand(cmd::kZoomOut,
                      {[&view] { view.ZoomOut(); }, [&view] { return view.CanZoomOut(); }, {}});
    frame.BindCommand(cmd::kZoomToFit,
                      {[&view] { view.ZoomToFit(); }, [&view] { return view.IsZoomed(); }, {}});
    frame.BindCommand(cmd::kAntialiasing, {[&view] { view.OnAntialiasing(); },
                                           {},
                                           [this] { return m_settings.CircleAntialiasing != 0; }});
    CCircleBar* bar = m_circleBar;
    frame.BindCommand(
        cmd::kCircleBar,
        {[bar] { bar->setVisible(bar->isHidden()); }, {}, [bar] { return !bar->isHidden(); }});
    frame.BindCommand(cmd::kSettings, [this] { OnSettings(); });
}

void CTesselApp::BindExportCommands() {
    CMainFrame& frame = *m_pMainFrame;
    CTesselDoc& doc = *m_document;
    // The exports start from the scale at which packing places the nodes: the view's drawing
    // radius, unless a margin as wide as the window leaves less than a pixel of it.
    const auto bind = [this, &frame](int id, std::function<void()> work) {
        frame.BindCommand(id, WithCircles(std::move(work)));
    };
    bind(cmd::kExportEps, [&frame, &doc] { ExportEpsCommand(&frame, doc, doc.GetPackingScale()); });
    bind(cmd::kExportText, [this, &frame, &doc] {
        ExportTextCommand(&frame, doc, doc.GetPackingScale(), m_profile);
    });
    bind(cmd::kExportBitmap, [this, &frame, &doc] {
        ExportBitmapCommand(&frame, doc, doc.GetPackingScale(), m_settings.BGColor);
    });
    bind(cmd::kExportEmf, [&frame, &doc] { ExportEmfCommand(&frame, doc, doc.GetPackingScale()); });
    bind(cmd::kExportSvg, [&frame, &doc] {
        ExportVectorCommand(&frame, doc, doc.GetPackingScale(), CVectorSetupDlg::Kind::Svg);
    });
    bind(cmd::kExportPdf, [&frame, &doc] {
        ExportVectorCommand(&frame, doc, doc.GetPackingScale(), CVectorSetupDlg::Kind::Pdf);
    });
    bind(cmd::kExportPng, [this, &frame, &doc] {
        ExportPngCommand(&frame, doc, doc.GetPackingScale(), m_settings.BGColor);
    });
    bind(cmd::kExportCirclePack, [&frame, &doc] { ExportCirclePackCommand(&frame, doc); });
    bind(cmd::kExportTikz, [&frame, &doc] {
        ExportVectorCommand(&frame, doc, doc.GetPackingScale(), CVectorSetupDlg::Kind::Tikz);
    });
    bind(cmd::kCopyToClipboard, [this, &frame, &doc] {
        CopyToClipboardCommand(&frame, doc, doc.GetPackingScale(), TitleOf(m_pathName));
    });
    CPrinting& printing = *m_printing;
    frame.BindCommand(cmd::kPrintSetup, [&printing] { printing.OnPrintSetup(); });
    bind(cmd::kPrint, [&printing] { printing.OnPrint(true); });
    bind(cmd::kPrintDirect, [&printing] { printing.OnPrint(false); });
    bind(cmd::kPrintPreview, [&printing] { printing.OnPrintPreview(); });
}

std::function<void()> CTesselApp::WithCircles(std::function<void()> work) {
    return [this, work = std::move(work)] {
        if (!EnsureCircles()) {
            return;
        }
        // A picture of a million circles can need more memory than is left; the document is
        // only read, so it stays as it was.
        try {
            work();
        } catch (const std::bad_alloc&) {
            ShowWarning(m_pMainFrame, LoadQString(ids::kPictureOutOfMemory));
        }
    };
}

bool CTesselApp::EnsureCircles() {
    // Documents keep no circles: after opening (or making) one, the pictures would hold the
    // outer circle alone. A graph that cannot be packed goes on as it is.
    if (m_document->m_circles.GetCount() > 0 || !CanPack()) {
        return true;
    }
    const int question =
        m_pathName.isEmpty() ? ids::kCirclesNotComputedNew : ids::kCirclesNotComputedOpened;
    switch (AskYesNoCancel(m_pMainFrame, LoadQString(question))) {
    case Answer::Yes:
        return OnPackToConvergence();
    case Answer::No:
        return true;
    default:
        return false;
    }
}

bool CTesselApp::CanPack() const {
    return m_pView->CanRunPacking() && !m_progress->IsRunning();
}

void CTesselApp::OnSettings() {
    CSettingsDlg dialog(CSettingsValues::Current(m_settings), m_pMainFrame);
    if (dialog.exec() == QDialog::Accepted) {
        dialog.Values().Store(m_settings);
        m_pView->UpdateRadius();
        if (dialog.ThresholdReplaced()) {
            m_pMainFrame->SetStatusText(FormatString(
                ids::kThresholdReplaced,
                {dialog.EnteredThreshold(), FormatReal(dialog.Values().m_thurstonThreshold)}));
        }
    }
    m_pView->InvalidateView(true);
}

bool CTesselApp::SaveModified() {
    if (!m_document->IsModified()) {
        return true;
    }
    switch (AskYesNoCancel(m_pMainFrame, FormatString(ids::kSaveChanges, {TitleOf(m_pathName)}))) {
    case Answer::Yes:
        return OnFileSave();
    case Answer::No:
        return true;
    default:
        return false;
    }
}

bool CTesselApp::OnFileNew() {
    if (!SaveModified()) {
        return false;
    }
    m_document->OnNewDocument();
    DocumentShown({}, true);
    return true;
}

bool CTesselApp::OnNewDisk(CNewDiskDlg::Kind kind) {
    if (!SaveModified()) {
        return false;
    }
    const std::optional<DiskRequest> request = AskDiskSize(m_pMainFrame, kind, m_profile);
    if (!request) {
        return false;
    }
    const DiskFrame frame{m_pView->Radius(), m_pView->width() * 0.5, m_pView->height() * 0.5};
    std::string error;
    bool loaded = false;
    bool outOfMemory = false;
    // Building, writing and reading the disk all run on the worker: a million nodes take
    // seconds.
    RunOnWorker(kind == CNewDiskDlg::Kind::Hex ? cmd::kNewHexDisk : cmd::kNewRandomDisk,
                LoadQString(ids::kBuildingDisk), [&] {
                    try {
                        const auto bytes = BuildDiskBytes(*request, frame, DiskProgress());
                        loaded = bytes && !m_progress->CancelAsked() &&
                                 m_document->LoadFromBytes(*bytes, error, CancelAsked());
                    } catch (const std::bad_alloc&) {
                        outOfMemory = true;
                    }
                });
    if (outOfMemory) {
        ShowWarning(m_pMainFrame, LoadQString(ids::kDiskTooLarge));
        return false;
    }
    if (!NewDiskShown(loaded, error)) {
        return false;
    }
    if (request->pack) {
        PackNewDisk();
    }
    return true;
}

void CTesselApp::PackNewDisk() {
    // A Cancel, or a graph the solver refuses, leaves the disk as drawn, in graph mode.
    if (!OnPackToConvergence()) {
        return;
    }
    m_pView->SetMode(CircleMode);
    m_pMainFrame->UpdateCommands();
}

bool CTesselApp::ShowNewDisk(int command, const std::vector<std::uint8_t>& bytes) {
    std::string error;
    bool loaded = false;
    RunOnWorker(command, LoadQString(ids::kBuildingDisk),
                [&] { loaded = m_document->LoadFromBytes(bytes, error, CancelAsked()); });
    return NewDiskShown(loaded, error);
}

bool CTesselApp::NewDiskShown(bool loaded, const std::string& error) {
    if (!loaded && m_progress->CancelAsked()) {
        return false; // the document shown until now stays
    }
    if (!loaded) {
        ShowWarning(m_pMainFrame, FormatString(ids::kOpenFailed, {QString::fromStdString(error)}));
        return false;
    }
    // Nothing holds the disk yet: closing asks to save it, and undo never comes back to a
    // saved state.
    m_document->SetModifiedFlag(true);
    m_document->History().MarkSaved(false);
    DocumentShown({});
    return true;
}

bool CTesselApp::OnFileOpen() {
    QFileDialog* dialog = MakeFileDialog(m_pMainFrame, QFileDialog::AcceptOpen);
    dialog->setNameFilter(OpenFilter());
    if (!m_pathName.isEmpty()) {
        dialog->setDirectory(QFileInfo(m_pathName).absolutePath());
    }
    const QString path = RunFileDialog(dialog);
    if (path.isEmpty()) {
        return false;
    }
    // A file of another program is imported; anything else is opened as a document.
    if (ImportFormatOf(QFile::encodeName(path).toStdString())) {
        return SaveModified() && ImportDocument(path);
    }
    return OpenDocumentFile(path);
}

bool CTesselApp::OnImport() {
    QFileDialog* dialog = MakeFileDialog(m_pMainFrame, QFileDialog::AcceptOpen);
    dialog->setNameFilter(DialogFilter(ids::kFilterImport) + QStringLiteral(";;") +
                          LoadQString(ids::kFilterAllFiles));
    if (!m_pathName.isEmpty()) {
        dialog->setDirectory(QFileInfo(m_pathName).absolutePath());
    }
    const QString path = RunFileDialog(dialog);
    return !path.isEmpty() && SaveModified() && ImportDocument(path);
}

bool CTesselApp::OpenDocumentFile(const QString& path) {
    return SaveModified() && ReadDocument(path);
}

bool CTesselApp::OnFileSave() {
    return m_pathName.isEmpty() ? OnFileSaveAs() : WriteDocument(m_pathName);
}

bool CTesselApp::OnFileSaveAs() {
    QFileDialog* dialog = MakeFileDialog(m_pMainFrame, QFileDialog::AcceptSave);
    if (m_pathName.isEmpty()) {
        dialog->selectFile(DocumentTemplateField(2) + DocumentTemplateField(4));
    } else {
        dialog->selectFile(m_pathName);
    }
    const QString path = RunFileDialog(dialog);
    if (path.isEmpty() || !WriteDocument(path)) {
        return false;
    }
    m_pathName = QFileInfo(path).absoluteFilePath();
    m_recentFiles.Add(m_pathName);
    m_pMainFrame->SetRecentFiles(m_recentFiles.Files());
    UpdateTitle();
    return true;
}

void CTesselApp::DocumentShown(const QString& path, bool bareTriangle) {
    m_pathName = path;
    // A message about the last command (a registration) does not belong to the new document.
    m_pMainFrame->SetStatusText(LoadQString(ids::kReady));
    m_pMainFrame->SetPackingStatus({});
    // From a bare triangle the way on is not obvious: the view says how to start.
    m_pView->ShowStartHint(bareTriangle);
    m_pView->OnInitialUpdate();
    UpdateTitle();
    m_pMainFrame->UpdateCommands();
}

void CTesselApp::UpdateTitle() {
    m_pMainFrame->SetDocumentTitle(TitleOf(m_pathName), m_document->IsModified());
    // An edit of the graph leaves the last packing's figures behind.
    if (m_document->m_topologyChanged != 0) {
        m_pMainFrame->SetPackingStatus({});
    }
}

void CTesselApp::OnClosing() {
    // What a profile that could not be read holds is unknown; writing would replace it.
    if (!m_profileRead) {
        return;
    }
    CIniProfile profile(m_profile);
    m_pMainFrame->SaveFrameState(profile);
    m_recentFiles.Save(profile);
    SaveSettings(m_profile, m_settings);
    SaveColourByColours(m_profile, m_colourRequest.how);
    std::string error;
    if (!m_profile.Save(m_profilePath, error)) {
        ShowWarning(m_pMainFrame, QString::fromStdString(error));
    }
}
