// CTesselApp: the editor process: its start-up order, the current document, frame and view,
// the profile, and the document commands of the File menu.
#pragma once

#include "app/ConvergenceCommand.h"
#include "app/NewDiskCommand.h"
#include "app/ProgressRunner.h"
#include "app/RecentFileList.h"
#include "document/IniFile.h"
#include "document/TesselDoc.h"
#include "document/ViewSettings.h"

#include <QString>
#include <QStringList>
#include <functional>
#include <memory>
#include <string>

class CCircleBar;
class CMainFrame;
class CPrinting;
class CTesselDoc;
class CTesselView;

class CTesselApp {
public:
    CTesselApp();
    ~CTesselApp();
    CTesselApp(const CTesselApp&) = delete;
    CTesselApp& operator=(const CTesselApp&) = delete;

    // Start-up: profile, recent files, settings, the document, frame and view, the command
    // line (no argument: a new document; one path: that document, or a new one after the
    // message when it cannot be opened), then the window shown.
    bool InitInstance(const QStringList& arguments, const std::string& profilePath);

    // File commands. Each returns false when it did not happen (cancelled or failed).
    bool OnFileNew();
    // File > New Hex Disk and New Random Disk: a generated disk as a new, modified document.
    bool OnNewDisk(CNewDiskDlg::Kind kind);
    // File > New Tiling Disk (src/app/ShapeCommands.cpp): a regular tiling as a new document.
    bool OnNewTiling();
    bool OnFileOpen();
    // File > Import: another program's file as a new, untitled document.
    bool OnImport();
    bool OpenDocumentFile(const QString& path);
    bool OnFileSave();
    bool OnFileSaveAs();
    // Asks whether to save a modified document; false when the user cancels or saving fails.
    bool SaveModified();

    const QString& PathName() const { return m_pathName; }
    const std::string& ProfilePath() const { return m_profilePath; }
    const CRecentFileList& RecentFiles() const { return m_recentFiles; }
    // The session's printer, which Print Setup and Print share.
    CPrinting& Printing() { return *m_printing; }
    // Runs long work behind the progress dialog; true while some does.
    CProgressRunner& Progress() { return *m_progress; }
    // The solver of Pack to Convergence (ComputeConvergedPacking in the document's layout
    // frame, which keeps a moved view, unless a test wraps it).
    void SetConvergedSolver(ConvergedSolver solver) { m_convergedSolver = std::move(solver); }

    CMainFrame* m_pMainFrame = nullptr;
    CTesselDoc* m_pDoc = nullptr;
    CTesselView* m_pView = nullptr;

private:
    void LoadProfile();
    void CreateWindows();
    void BindCommands();
    void BindCircleCommands();
    // Undo and Redo, their menu items naming the step.
    void BindHistoryCommands();
    void OnUndoRedo(bool undo);
    // The export, clipboard and print commands.
    void BindExportCommands();
    // Refinement, growth and colourings (src/app/ShapeCommands.cpp).
    void BindShapeCommands();
    void OnGrow(GraphGrowth growth, int command);
    void OnColourBy();
    // A generated document's bytes opened as the new document, modified and never saved.
    bool ShowNewDisk(int command, const std::vector<std::uint8_t>& bytes);
    // Shows a disk just loaded, or says why it could not be; false when nothing changed.
    bool NewDiskShown(bool loaded, const std::string& error);
    // The disk just made packed to convergence and shown in circle mode, as its dialog's box
    // asks.
    void PackNewDisk();
    void OnSettings();
    void OnCirclePacking();
    // True when the converged packing was applied.
    bool OnPackToConvergence();
    // Before a command that shows the circles (an export, the clipboard, printing): while
    // none have been computed, asks whether to pack to convergence first. False when the
    // command should not go on (the user cancelled the question or the packing).
    bool EnsureCircles();
    // The command's work, run only when EnsureCircles lets it go on.
    std::function<void()> WithCircles(std::function<void()> work);
    // Circle Packing and Pack to Convergence, when the graph allows packing and nothing runs.
    bool CanPack() const;
    // Opens without asking to save first; reports a failure. Both run on the worker thread
    // (src/app/BackgroundWork.cpp) and may be cancelled.
    bool ReadDocument(const QString& path);
    // Imports without asking to save first; a mesh of several parts asks whether to take its
    // largest part. Reports a failure, and what was left unread in the status bar.
    bool ImportDocument(const QString& path);
    bool WriteDocument(const QString& path);
    // Work on the document behind the progress dialog titled after the command, the view
    // showing its last picture meanwhile. The work decides what a Cancel leaves undone.
    void RunOnWorker(int command, const QString& text, const std::function<void()>& work,
                     CProgressRunner::Cancel cancel = CProgressRunner::Cancel::Offered);
    // Whether the user has pressed Cancel in the progress dialog, for the document's work.
    std::function<bool()> CancelAsked() const;
    // A disk builder's progress in the progress dialog, and its Cancel.
    BuildProgress DiskProgress();
    // The document was replaced: new path, title, and the view fitted to it. `bareTriangle`:
    // it is the starting triangle of File > New, shown with the first-run hint.
    void DocumentShown(const QString& path, bool bareTriangle = false);
    void UpdateTitle();
    void OnClosing();

    std::string m_profilePath;
    CIniFile m_profile;
    // False when the profile could not be read at start: it is then never written.
    bool m_profileRead = true;
    // The view's settings, which the view, the circle bar and the dialogs share.
    CViewSettings m_settings;
    CRecentFileList m_recentFiles;
    std::unique_ptr<CTesselDoc> m_document;
    std::unique_ptr<CMainFrame> m_frame;
    QString m_pathName;
    CCircleBar* m_circleBar = nullptr;
    std::unique_ptr<CPrinting> m_printing;
    std::unique_ptr<CProgressRunner> m_progress;
    ConvergedSolver m_convergedSolver = [this](const CCPNodeArray& nodes, double tolerance,
                                               const NewtonProgress& progress,
                                               CConvergedPacking& outcome, std::string& problem) {
        return ComputeConvergedPacking(nodes, tolerance, progress, outcome, problem,
                                       m_document->GetLayoutRequest());
    };
    // What Colour By last did in this session, where its dialog starts.
    CTesselDoc::ColourRequest m_colourRequest;
};
