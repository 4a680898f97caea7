// The editor's main window.
#include "app/MainFrame.h"

#include "app/AboutDlg.h"
#include "app/CommandIds.h"
#include "app/CommandTable.h"
#include "app/DisabledItemPrompts.h"
#include "app/FileTypeRegistration.h"
#include "app/HelpFiles.h"
#include "app/MessageBox.h"
#include "app/ProfileAccess.h"
#include "app/QtStrings.h"
#include "app/Resources.h"
#include "app/ScreenFit.h"
#include "app/TextBoxKeys.h"
#include "document/StringIds.h"

#include <QAction>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QDir>
#include <QDragEnterEvent>
#include <QFileInfo>
#include <QLabel>
#include <QMenuBar>
#include <QMimeData>
#include <QScreen>
#include <QStatusBar>
#include <QToolBar>

namespace {

constexpr std::string_view kFrameSection = "Frame";
constexpr int kIndicators[] = {ids::kIndicatorKana, ids::kIndicatorCaps, ids::kIndicatorNum,
                               ids::kIndicatorScroll};

QByteArray ReadBlob(CProfileAccess& profile, std::string_view key) {
    const std::string text = profile.ReadString(kFrameSection, key, "");
    return QByteArray::fromBase64(QByteArray::fromStdString(text));
}

} // namespace

CMainFrame::CMainFrame(QWidget* parent)
    : QMainWindow(parent), m_disabledPrompts(new CDisabledItemPrompts(this)) {
    InitResources();
    new CTextBoxKeys(this);
    setWindowIcon(QIcon(QStringLiteral(":/icons/tessel.svg")));
    setAcceptDrops(true);
    CreateActions();
    CreateMenus();
    CreateToolBar();
    CreateStatusBar();
    BindFrameCommands();
    SetDocumentTitle(DocumentTemplateField(2), false);
    SetRecentFiles({});
    resize(800, 600);
    // Scaled screens (200 % on a laptop) can be smaller than that in pixels of the window.
    FitOnScreen();
    UpdateCommands();
}

void CMainFrame::CreateActions() {
    for (const CommandInfo& info : CommandTable()) {
        auto* action = new QAction(CommandCaption(info.id), this);
        action->setObjectName(QStringLiteral("command%1").arg(info.id));
        action->setStatusTip(CommandPrompt(info.id));
        action->setToolTip(CommandTip(info.id));
        action->setCheckable(info.checkable);
        action->setEnabled(false);
        if (info.icon != nullptr) {
            action->setIcon(QIcon(QLatin1String(info.icon)));
        }
        if (info.shortcut != nullptr) {
            action->setShortcuts(QKeySequence::listFromString(QLatin1String(info.shortcut)));
        }
        // Shortcuts of actions outside the menus (Print) still work from anywhere.
        addAction(action);
        connect(action, &QAction::triggered, this, [this, id = info.id] { RunCommand(id); });
        m_actions[info.id] = action;
    }
}

QMenu* CMainFrame::CreateMenu(int captionId, std::span<const int> entries) {
    auto* menu = new QMenu(LoadQString(captionId), this);
    connect(menu, &QMenu::aboutToShow, this, &CMainFrame::UpdateCommands);
    m_disabledPrompts->Watch(menu);
    for (int entry : entries) {
        if (entry == layout::kSeparator) {
            menu->addSeparator();
        } else if (entry == layout::kExportMenu) {
            menu->addMenu(CreateMenu(ids::kMenuExport, ExportMenuLayout()));
        } else if (entry == layout::kRecentFiles) {
            m_fileMenu = menu;
            m_recentPlaceholder = menu->addAction(CommandCaption(cmd::kRecentFileFirst));
            m_recentPlaceholder->setEnabled(false);
            m_recentPlaceholder->setStatusTip(CommandPrompt(cmd::kRecentFileFirst));
        } else {
            menu->addAction(Action(entry));
        }
    }
    return menu;
}

void CMainFrame::CreateMenus() {
    for (const MenuInfo& info : MenuBarLayout()) {
        menuBar()->addMenu(CreateMenu(info.captionId, info.entries));
    }
}

void CMainFrame::CreateToolBar() {
    m_toolBar = new QToolBar(CommandCaption(cmd::kToolbar).remove(QLatin1Char('&')), this);
    m_toolBar->setObjectName(QStringLiteral("ToolBar"));
    m_toolBar->setIconSize(QSize(24, 24));
    m_toolBar->setAllowedAreas(Qt::AllToolBarAreas);
    for (int entry : ToolBarLayout()) {
        if (entry == layout::kSeparator) {
            m_toolBar->addSeparator();
        } else {
            m_toolBar->addAction(Action(entry));
        }
    }
    addToolBar(Qt::TopToolBarArea, m_toolBar);
}

void CMainFrame::CreateStatusBar() {
    m_messagePane = new QLabel(this);
    m_messagePane->setObjectName(QStringLiteral("messagePane"));
    statusBar()->addWidget(m_messagePane, 1);
    m_packingPane = new QLabel(this);
    m_packingPane->setObjectName(QStringLiteral("packingPane"));
    m_packingPane->setVisible(false);
    statusBar()->addPermanentWidget(m_packingPane);
    m_pointerPane = AddPane(QStringLiteral("pointerPane"), QStringLiteral("-0.0000, -0.0000"));
    m_pointerPane->setVisible(false);
    m_zoomPane = AddPane(QStringLiteral("zoomPane"), QStringLiteral("409600%"));
    // The lock states are not reported to programs on every desktop, so the indicators show
    // their names in the disabled look.
    for (int id : kIndicators) {
        auto* indicator = new QLabel(LoadQString(id), this);
        indicator->setObjectName(QStringLiteral("indicator%1").arg(id));
        indicator->setFrameShape(QFrame::Panel);
        indicator->setFrameShadow(QFrame::Sunken);
        indicator->setAlignment(Qt::AlignCenter);
        indicator->setMinimumWidth(indicator->fontMetrics().horizontalAdvance(indicator->text()) +
                                   8);
        indicator->setEnabled(false);
        statusBar()->addPermanentWidget(indicator);
    }
    // When a menu or tool prompt ends the pane returns to its idle text.
    connect(statusBar(), &QStatusBar::messageChanged, this, [this](const QString& message) {
        if (message.isEmpty()) {
            SetStatusText(LoadQString(ids::kReady));
        }
    });
    SetStatusText(LoadQString(ids::kReady));
}

QLabel* CMainFrame::AddPane(const QString& name, const QString& widest) {
    auto* pane = new QLabel(this);
    pane->setObjectName(name);
    pane->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    // As wide as its widest text, so that the panes do not jump while the pointer moves.
    pane->setMinimumWidth(pane->fontMetrics().horizontalAdvance(widest) + 8);
    statusBar()->addPermanentWidget(pane);
    return pane;
}

void CMainFrame::BindFrameCommands() {
    BindCommand(cmd::kToolbar, {[this] { m_toolBar->setVisible(m_toolBar->isHidden()); },
                                {},
                                [this] { return !m_toolBar->isHidden(); }});
    BindCommand(cmd::kStatusBar, {[this] { statusBar()->setVisible(statusBar()->isHidden()); },
                                  {},
                                  [this] { return !statusBar()->isHidden(); }});
    BindCommand(cmd::kHelp, [this] { OpenHelpFile(this, ids::kHelpFile); });
    BindCommand(cmd::kQuickHelp, [this] { OpenHelpFile(this, ids::kQuickHelpFile); });
    BindCommand(cmd::kAbout, [this] { CAboutDlg(this).exec(); });
    BindCommand(cmd::kRegisterFileType, [this] { RegisterFileTypeCommand(); });
    BindCommand(cmd::kUnregisterFileType, [this] { UnregisterFileTypeCommand(); });
    BindCommand(cmd::kExit, [this] { close(); });
}

QAction* CMainFrame::Action(int id) const {
    const auto it = m_actions.find(id);
    return it == m_actions.end() ? nullptr : it->second;
}

void CMainFrame::BindCommand(int id, std::function<void()> run) {
    BindCommand(id, CommandHandler{std::move(run), {}, {}});
}

void CMainFrame::BindCommand(int id, CommandHandler handler) {
    m_handlers[id] = std::move(handler);
    UpdateCommands();
}

void CMainFrame::SetUpdateHook(std::function<void()> hook) {
    m_updateHook = std::move(hook);
}

void CMainFrame::UpdateCommands() {
    if (m_updateHook) {
        m_updateHook();
    }
    for (const auto& [id, action] : m_actions) {
        const auto it = m_handlers.find(id);
        const bool bound = it != m_handlers.end() && it->second.run;
        action->setEnabled(bound && (!it->second.enabled || it->second.enabled()));
        if (bound && it->second.caption) {
            action->setText(it->second.caption());
        }
        if (action->isCheckable()) {
            action->setChecked(bound && it->second.checked && it->second.checked());
        }
    }
}

void CMainFrame::RunCommand(int id) {
    const auto it = m_handlers.find(id);
    // A key can reach a command whose rule changed since the last update.
    if (it == m_handlers.end() || !it->second.run ||
        (it->second.enabled && !it->second.enabled())) {
        UpdateCommands();
        return;
    }
    const std::function<void()> run = it->second.run;
    run();
    UpdateCommands();
}

void CMainFrame::SetStatusText(const QString& text) {
    m_messagePane->setText(text);
    m_messagePane->repaint();
}

QString CMainFrame::StatusText() const {
    return m_messagePane->text();
}

void CMainFrame::SetPackingStatus(const QString& text) {
    m_packingPane->setText(text);
    m_packingPane->setVisible(!text.isEmpty());
}

QString CMainFrame::PackingStatus() const {
    return m_packingPane->text();
}

void CMainFrame::SetPointerText(const QString& text) {
    m_pointerPane->setText(text);
    // Shown only while there is a place to show, so that the packing figures have the room.
    m_pointerPane->setVisible(!text.isEmpty());
}

QString CMainFrame::PointerText() const {
    return m_pointerPane->text();
}

void CMainFrame::SetZoomText(const QString& text) {
    m_zoomPane->setText(text);
}

QString CMainFrame::ZoomText() const {
    return m_zoomPane->text();
}

void CMainFrame::SetDocumentTitle(const QString& name, bool modified) {
    setWindowTitle(name + QStringLiteral("[*] - ") + DocumentTemplateField(0));
    setWindowModified(modified);
}

void CMainFrame::SetRecentFiles(const QStringList& files) {
    for (QAction* action : m_recentActions) {
        m_fileMenu->removeAction(action);
        delete action;
    }
    m_recentActions.clear();
    for (qsizetype i = 0; i < files.size(); ++i) {
        const QString label = QStringLiteral("&%1 %2").arg(i + 1).arg(
            QDir::toNativeSeparators(files[i]).replace(QLatin1Char('&'), QStringLiteral("&&")));
        auto* action = new QAction(label, this);
        action->setObjectName(QStringLiteral("recentFile%1").arg(i + 1));
        action->setStatusTip(CommandPrompt(cmd::kRecentFileFirst));
        connect(action, &QAction::triggered, this, [this, path = files[i]] { OpenFile(path); });
        m_fileMenu->insertAction(m_recentPlaceholder, action);
        m_recentActions.push_back(action);
    }
    m_recentPlaceholder->setVisible(files.isEmpty());
}

void CMainFrame::SetOpenFileHandler(std::function<void(const QString&)> handler) {
    m_openFile = std::move(handler);
}

void CMainFrame::SetCloseGuard(std::function<bool()> guard) {
    m_closeGuard = std::move(guard);
}

void CMainFrame::OpenFile(const QString& path) {
    if (m_openFile) {
        m_openFile(path);
        UpdateCommands();
    }
}

void CMainFrame::LoadFrameState(CProfileAccess& profile) {
    // Both restore calls check what they are given and ignore damaged data.
    const QByteArray geometry = ReadBlob(profile, "Geometry");
    if (!geometry.isEmpty() && restoreGeometry(geometry)) {
        m_fitOnShow = true;
    }
    const QByteArray state = ReadBlob(profile, "State");
    if (!state.isEmpty()) {
        restoreState(state);
    }
    FitOnScreen();
    UpdateCommands();
}

void CMainFrame::FitOnScreen() {
    // A profile written on a larger screen, or with another scale factor, can hold a window
    // larger than this screen or beyond its edges. The frame's decorations count too.
    const QScreen* where = screen();
    if (where == nullptr || isMaximized() || isFullScreen()) {
        return;
    }
    const QRect frame = frameGeometry();
    const QRect fitted = FitToScreen(frame, where->availableGeometry());
    if (fitted != frame) {
        const QSize decorations = frame.size() - size();
        resize(fitted.size() - decorations);
        move(fitted.topLeft());
    }
}

void CMainFrame::SaveFrameState(CProfileAccess& profile) const {
    profile.WriteString(kFrameSection, "Geometry", saveGeometry().toBase64().toStdString());
    profile.WriteString(kFrameSection, "State", saveState().toBase64().toStdString());
}

void CMainFrame::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (m_fitOnShow) {
        m_fitOnShow = false;
        FitOnScreen();
    }
}

void CMainFrame::closeEvent(QCloseEvent* event) {
    if (m_closeGuard && !m_closeGuard()) {
        event->ignore();
        return;
    }
    emit Closing();
    event->accept();
}

void CMainFrame::dragEnterEvent(QDragEnterEvent* event) {
    if (event->mimeData()->hasUrls()) {
        event->acceptProposedAction();
    }
}

void CMainFrame::dropEvent(QDropEvent* event) {
    // A single-document editor opens the first dropped file, as File > Open would.
    for (const QUrl& url : event->mimeData()->urls()) {
        if (url.isLocalFile()) {
            event->acceptProposedAction();
            OpenFile(url.toLocalFile());
            return;
        }
    }
}

void CMainFrame::RegisterFileTypeCommand() {
    if (AskOkCancel(this, LoadQString(ids::kRegisterQuestion)) != Answer::Ok) {
        return;
    }
    QString error;
    if (RegisterFileType(QCoreApplication::applicationFilePath(), &error)) {
        SetStatusText(LoadQString(ids::kRegistered));
    } else {
        ShowWarning(this, FormatString(ids::kRegisterFailed, {error}));
    }
}

void CMainFrame::UnregisterFileTypeCommand() {
    if (AskOkCancel(this, LoadQString(ids::kUnregisterQuestion)) != Answer::Ok) {
        return;
    }
    QString error;
    if (UnregisterFileType(&error)) {
        SetStatusText(LoadQString(ids::kUnregistered));
    } else {
        ShowWarning(this, FormatString(ids::kUnregisterFailed, {error}));
    }
}
