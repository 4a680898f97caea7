// CTesselApp: the editor process: its start-up order, the current document, frame and view,
// the profile, and the document commands of the File menu.
#pragma once

#include "app/ConvergenceCommand.h"
#include "app/NewDiskDlg.h"
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
class CProgressRunner;
class CTesselDoc;
class CTesselView;

class CTesselApp {
public:
    CTesselApp();
    ~CTesselApp();
    CTesselApp(const CTesselApp&) = delete;
    CTesselApp& operator=(const CTesselApp&) = delete;

    // Start-up: profile, recent files, settings, the document, frame and view, the command
    // line (no argument: a new document; one path: that document), then the window shown.
    // False when the command line cannot be carried out: the process then ends.
    bool InitInstance(const QStringList& arguments, const std::string& profilePath);

    // File commands. Each returns false when it did not happen (cancelled or failed).
    bool OnFileNew();
    // File > New Hex Disk and New Random Disk: a generated disk as a new, modified document.
    bool OnNewDisk(CNewDiskDlg::Kind kind);
    bool OnFileOpen();
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
    void OnSettings();
    void OnCirclePacking();
    void OnPackToConvergence();
    // Circle Packing and Pack to Convergence, when the graph allows packing and nothing runs.
    bool CanPack() const;
    // Opens without asking to save first; reports a failure. Both run on the worker thread
    // (src/app/BackgroundWork.cpp) and may be cancelled.
    bool ReadDocument(const QString& path);
    bool WriteDocument(const QString& path);
    // Work on the document behind the progress dialog titled after the command, the view
    // showing its last picture meanwhile. The work decides what a Cancel leaves undone.
    void RunOnWorker(int command, const QString& text, const std::function<void()>& work);
    // Whether the user has pressed Cancel in the progress dialog, for the document's work.
    std::function<bool()> CancelAsked() const;
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
};
