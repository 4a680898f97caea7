// The editor's main window: menu bar, tool bar and status bar built from the command table,
// the view in the middle, and the window state kept in the profile.
#pragma once

#include <QMainWindow>
#include <QStringList>
#include <functional>
#include <map>
#include <span>
#include <vector>

class CDisabledItemPrompts;
class CProfileAccess;
class QLabel;
class QMenu;
class QToolBar;

// What a command does and when it is enabled or checked. A command with no handler bound
// is shown disabled.
struct CommandHandler {
    std::function<void()> run;
    std::function<bool()> enabled;         // none: always enabled
    std::function<bool()> checked;         // none: never checked
    std::function<QString()> caption = {}; // none: the caption of the string table
};

class CMainFrame : public QMainWindow {
    Q_OBJECT

public:
    explicit CMainFrame(QWidget* parent = nullptr);

    QAction* Action(int id) const;
    void BindCommand(int id, CommandHandler handler);
    // A command that is always enabled and never checked.
    void BindCommand(int id, std::function<void()> run);
    // Recomputes every action's enabled and checked state from its handler's rules.
    void UpdateCommands();
    // Runs a command as its menu item or key would; commands without either (Print Setup)
    // are reached only this way.
    void RunCommand(int id);

    // The message pane of the status bar; the view shows its hints here.
    void SetStatusText(const QString& text);
    QString StatusText() const;
    // The pane that keeps the figures of the last packing run (its largest angle-sum error)
    // while the message pane changes with the pointer; empty hides them.
    void SetPackingStatus(const QString& text);
    QString PackingStatus() const;
    // The panes of the pointer's disk coordinates (empty while it is outside the view) and of
    // the view's zoom.
    void SetPointerText(const QString& text);
    QString PointerText() const;
    void SetZoomText(const QString& text);
    QString ZoomText() const;
    QToolBar* ToolBar() const { return m_toolBar; }

    // "name - Tessel", with the modified mark while the document has unsaved changes.
    void SetDocumentTitle(const QString& name, bool modified);
    // Lists the files under File; choosing one calls the handler with its path.
    void SetRecentFiles(const QStringList& files);
    void SetOpenFileHandler(std::function<void(const QString&)> handler);
    // Run whenever the commands' states are recomputed, so that the owner can bring other
    // parts of the window (the title) up to date at the same moments.
    void SetUpdateHook(std::function<void()> hook);
    // Asked before the window closes; returning false keeps it open.
    void SetCloseGuard(std::function<bool()> guard);

    // The window's geometry and the bars' places, under the section "Frame".
    void LoadFrameState(CProfileAccess& profile);
    void SaveFrameState(CProfileAccess& profile) const;
    // Brings the window within the available area of its screen.
    void FitOnScreen();

signals:
    // The window is about to go after its close was accepted.
    void Closing();

protected:
    void closeEvent(QCloseEvent* event) override;
    // The first show fits a restored window on its screen again, its frame now counted.
    void showEvent(QShowEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void CreateActions();
    void CreateMenus();
    void CreateToolBar();
    void CreateStatusBar();
    // A permanent pane of the status bar, wide enough for `widest`.
    QLabel* AddPane(const QString& name, const QString& widest);
    void BindFrameCommands();
    QMenu* CreateMenu(int captionId, std::span<const int> entries);
    void OpenFile(const QString& path);
    void RegisterFileTypeCommand();
    void UnregisterFileTypeCommand();

    std::map<int, QAction*> m_actions;
    std::map<int, CommandHandler> m_handlers;
    QToolBar* m_toolBar = nullptr;
    CDisabledItemPrompts* m_disabledPrompts; // owned as a child of the window
    QLabel* m_messagePane = nullptr;
    QLabel* m_packingPane = nullptr;
    QLabel* m_pointerPane = nullptr;
    QLabel* m_zoomPane = nullptr;
    QMenu* m_fileMenu = nullptr;
    QAction* m_recentPlaceholder = nullptr;
    std::vector<QAction*> m_recentActions;
    std::function<void(const QString&)> m_openFile;
    std::function<bool()> m_closeGuard;
    std::function<void()> m_updateHook;
    bool m_fitOnShow = false; // the geometry came from the profile
};
