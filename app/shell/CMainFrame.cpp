#include "shell/CMainFrame.h"

#include "shell/CKWLView.h"
#include "shell/CommandIcons.h"
#include "shell/ShellCommands.h"
#include "shell/ShellStrings.h"
#include "shell/SplashScreen.h"

#include "foundation/FileNames.h"
#include "foundation/ResourceBase.h"
#include "foundation/SessionLog.h"
#include "foundation/UserPrefsBase.h"
#include "foundation/WindowPlacement.h"
#include "output/print/ui/CPrintCommands.h"

#include <QActionGroup>
#include <QApplication>
#include <QCloseEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QMenuBar>
#include <QMimeData>
#include <QScreen>
#include <QSettings>
#include <QStatusBar>
#include <QStyle>
#include <QToolBar>

#include <algorithm>

namespace {

constexpr int kPrefInitPrintOnStartup = 2119;
const char* const kApplicationTitle = "Kerfwell Plus Solo";
constexpr int kShowMaximized = 3;
const char* const kCommandBarsKey = "KWLS_CommandBars";

struct CommandText
{
    int id;
    const char* text;
    const char* shortcut;
};

// Menu texts; "\t" separates the shortcut the menu shows.
const CommandText kCommands[] = {
    {ShellCommand::FileNew, "&New", "Ctrl+N"},
    {ShellCommand::FileOpen, "&Open...", "Ctrl+O"},
    {ShellCommand::FileSave, "&Save", "Ctrl+S"},
    {ShellCommand::FileSaveAs, "Save &As...", ""},
    {ShellCommand::FilePrint, "&Print...", "Ctrl+P"},
    {ShellCommand::FilePrintPreview, "Print Pre&view", ""},
    {ShellCommand::PageSetup, "Page Set&up...", ""},
    {ShellCommand::FilePrintSetup, "P&rint Setup...", ""},
    {ShellCommand::ExportForMobile, "Expo&rt for Mobile...", "F2"},
    {ShellCommand::AppExit, "E&xit", ""},
    {ShellCommand::EditUndo, "&Undo", "Ctrl+Z"},
    {ShellCommand::EditRedo, "&Redo", "Ctrl+Y"},
    {ShellCommand::EditCut, "Cu&t", "Ctrl+X"},
    {ShellCommand::EditCopy, "&Copy", "Ctrl+C"},
    {ShellCommand::EditPaste, "&Paste", "Ctrl+V"},
    {ShellCommand::DeleteSelection, "&Delete", "Ctrl+Del"},
    {ShellCommand::AddEditNote, "Add/&Edit Note", "Ctrl+E"},
    {ShellCommand::DeleteNote, "Delete N&ote", "Ctrl+T"},
    {ShellCommand::InsertNewPart, "&Insert New Part", ""},
    {ShellCommand::GroupEdit, "&Group Edit...", ""},
    {ShellCommand::MoveUp, "Move &Up", ""},
    {ShellCommand::MoveDown, "Move Do&wn", ""},
    {ShellCommand::RenumberParts, "&Renumber Parts", ""},
    {ShellCommand::SortByCrossSection, "Sort by &Cross-Section", ""},
    {ShellCommand::JumpToNextDiagram, "&Jump to (Next) Diagram", "F3"},
    {ShellCommand::Gridlines, "&Gridlines", ""},
    {ShellCommand::FitToScreen, "&Auto-Size Columns to Fit Screen", ""},
    {ShellCommand::FitToContents, "Auto-Size Columns to Fit Co&ntents", ""},
    {ShellCommand::NoAutoSizing, "N&o Auto-Column Sizing", ""},
    {ShellCommand::AbbreviatedHeaders, "Abbre&viated Column Headers", ""},
    {ShellCommand::LargeScreen, "Large screen &mode", "F9"},
    {ShellCommand::AddNewMaterial, "&Add New Material", ""},
    {ShellCommand::EditMaterialName, "&Edit Material Name", ""},
    {ShellCommand::DeleteMaterial, "&Delete Material", ""},
    {ShellCommand::DeleteSizeCost, "Delete Si&ze-Cost Info", ""},
    {ShellCommand::Vendors, "&Vendors...", ""},
    {ShellCommand::BackupMaterials, "&Backup/Copy Raw Materials...", ""},
    {ShellCommand::RestoreMaterials, "Restore Raw &Materials...", ""},
    {ShellCommand::PinDiagram, "&Pin Diagram", ""},
    {ShellCommand::PinAllDiagrams, "Pin &All Diagrams in Project", ""},
    {ShellCommand::UnpinAllDiagrams, "&Unpin All Diagrams in Project", ""},
    {ShellCommand::RemoveEmptyDiagram, "&Remove Empty Diagram", ""},
    {ShellCommand::SnapToKerf, "&Snap to Kerf", ""},
    {ShellCommand::ReoptimizeUnplaced, "Reoptimi&ze All Unplaced Parts in Project", ""},
    {ShellCommand::Preferences, "&General Preferences...", ""},
    {ShellCommand::ProjectSettings, "&Project...", ""},
    {ShellCommand::LockProject, "Project &Locked", ""},
    {ShellCommand::QuickStart, "&Quick Start", ""},
    {ShellCommand::UsersManual, "User's &Manual", ""},
    {ShellCommand::HelpContents, "&Help Contents", ""},
    {ShellCommand::AppAbout, "&About Kerfwell Plus Solo...", ""},
};

struct MenuLayout
{
    const char* title;
    std::vector<int> ids; // 0 is a separator
};

const MenuLayout kMenus[] = {
    {"&File", {ShellCommand::FileNew, ShellCommand::FileOpen, ShellCommand::FileSave, ShellCommand::FileSaveAs, 0,
               ShellCommand::FilePrint, ShellCommand::FilePrintPreview, ShellCommand::PageSetup,
               ShellCommand::FilePrintSetup, 0, ShellCommand::ExportForMobile, 0, ShellCommand::AppExit}},
    {"&Edit", {ShellCommand::EditUndo, ShellCommand::EditRedo, 0, ShellCommand::EditCut, ShellCommand::EditCopy,
               ShellCommand::EditPaste, ShellCommand::DeleteSelection, 0, ShellCommand::AddEditNote,
               ShellCommand::DeleteNote, 0, ShellCommand::InsertNewPart, ShellCommand::GroupEdit,
               ShellCommand::MoveUp, ShellCommand::MoveDown, ShellCommand::RenumberParts,
               ShellCommand::SortByCrossSection, 0, ShellCommand::JumpToNextDiagram}},
    {"&View", {ShellCommand::Gridlines, 0, ShellCommand::FitToScreen, ShellCommand::FitToContents,
               ShellCommand::NoAutoSizing, 0, ShellCommand::AbbreviatedHeaders, ShellCommand::LargeScreen}},
    {"&Raw Materials", {ShellCommand::AddNewMaterial, ShellCommand::EditMaterialName, ShellCommand::DeleteMaterial,
                        ShellCommand::DeleteSizeCost, 0, ShellCommand::Vendors, 0, ShellCommand::BackupMaterials,
                        ShellCommand::RestoreMaterials}},
    {"&Layouts", {ShellCommand::PinDiagram, ShellCommand::PinAllDiagrams, ShellCommand::UnpinAllDiagrams, 0,
                  ShellCommand::RemoveEmptyDiagram, ShellCommand::SnapToKerf, 0, ShellCommand::ReoptimizeUnplaced}},
    {"&Tools", {ShellCommand::Preferences, ShellCommand::ProjectSettings, 0, ShellCommand::LockProject}},
    {"&Help", {ShellCommand::QuickStart, ShellCommand::UsersManual, ShellCommand::HelpContents, 0,
               ShellCommand::AppAbout}},
};

// The toolbar's 20 buttons in order; 0 is a separator.
const int kToolBar[] = {
    ShellCommand::FileNew, ShellCommand::FileOpen, ShellCommand::FileSave, ShellCommand::FilePrint,
    ShellCommand::FilePrintPreview, 0, ShellCommand::EditCut, ShellCommand::EditCopy, ShellCommand::EditPaste, 0,
    ShellCommand::InsertNewPart, ShellCommand::DeleteSelection, 0, ShellCommand::GroupEdit, ShellCommand::MoveUp,
    ShellCommand::MoveDown, ShellCommand::RenumberParts, ShellCommand::SortByCrossSection, 0,
    ShellCommand::ProjectSettings, ShellCommand::Preferences, ShellCommand::LockProject, 0, ShellCommand::Vendors,
    ShellCommand::UsersManual,
};

// What runs while the print preview stands in for the main view: nothing
// that could open, rename or change the project whose pages it shows.
const int kLiveDuringPreview[] = {
    ShellCommand::AppExit,
    ShellCommand::AppAbout,
    ShellCommand::QuickStart,
    ShellCommand::UsersManual,
    ShellCommand::HelpContents,
};

QSettings Profile()
{
    return QSettings(QStringLiteral("Marrowby Design"), QStringLiteral("Kerfwell Plus Solo"));
}

} // namespace

QRect FitNormalRectOnScreen(const QRect& normal, const QMargins& frame, const QRect& available)
{
    const QRect room = available.marginsRemoved(frame);
    if (room.isEmpty())
        return normal;
    QRect fitted(normal.topLeft(), normal.size().boundedTo(room.size()));
    fitted.moveLeft(std::clamp(fitted.left(), room.left(), room.right() + 1 - fitted.width()));
    fitted.moveTop(std::clamp(fitted.top(), room.top(), room.bottom() + 1 - fitted.height()));
    return fitted;
}

QRect DefaultNormalRect(const QRect& available)
{
    QRect normal(QPoint(), available.size() * 3 / 4);
    normal.moveCenter(available.center());
    return normal;
}

CMainFrame::CMainFrame(PrintControlStarter startPrintControl)
    : m_commands(new platform::CommandActions(this)), m_startPrintControl(std::move(startPrintControl))
{
    setWindowTitle(QString::fromLatin1(kApplicationTitle));
    setAcceptDrops(true);
}

CMainFrame::~CMainFrame() = default;

bool CMainFrame::OnCreate()
{
    SessionLog::Instance().Write(SessionLog::Info, QStringLiteral("Main Frame created"));
    m_loadingSplash = std::make_unique<SplashScreen>();
    m_loadingSplash->Show(LoadUIString(kStrLoading));

    for (const char* pane : {"", "CAP", "NUM", "SCRL"}) {
        auto* label = new QLabel(this);
        m_statusPanes.push_back(label);
        if (*pane) {
            // As wide as the word, so that the panes keep their places.
            label->setMinimumWidth(label->fontMetrics().horizontalAdvance(QString::fromLatin1(pane)) + 8);
            label->setAlignment(Qt::AlignCenter);
            statusBar()->addPermanentWidget(label);
        } else {
            statusBar()->addWidget(label, 1);
        }
    }
    RefreshLockKeyPanes();
    // A lock key changes its state on a key press anywhere in the program.
    qApp->installEventFilter(this);
    BuildCommands();
    BuildMenus();
    BuildToolBar();
    restoreState(Profile().value(QString::fromLatin1(kCommandBarsKey)).toByteArray());
    RunPrintControlGuard();
    return true;
}

QStringList CMainFrame::GetStatusPaneTexts() const
{
    QStringList texts;
    for (const QLabel* pane : m_statusPanes)
        texts << pane->text();
    return texts;
}

void CMainFrame::SetLockKeyReader(LockKeyReader reader)
{
    m_lockKeys = std::move(reader);
    RefreshLockKeyPanes();
}

void CMainFrame::RefreshLockKeyPanes()
{
    struct Pane
    {
        int index;
        LockKey key;
        const char* text;
    };
    const Pane panes[]
        = { { 1, LockKey::Caps, "CAP" }, { 2, LockKey::Num, "NUM" }, { 3, LockKey::Scroll, "SCRL" } };
    for (const Pane& pane : panes) {
        if (pane.index >= m_statusPanes.size())
            continue;
        const bool on = m_lockKeys && m_lockKeys(pane.key).value_or(false);
        m_statusPanes[pane.index]->setText(on ? QString::fromLatin1(pane.text) : QString());
    }
}

bool CMainFrame::eventFilter(QObject* watched, QEvent* event)
{
    // The lights change with a lock key pressed in this window, or with one
    // pressed elsewhere while it was inactive: other keys are not worth a
    // look at the lights, and every key passes here once per widget.
    if (event->type() == QEvent::KeyRelease) {
        const int key = static_cast<const QKeyEvent*>(event)->key();
        const auto* widget = qobject_cast<QWidget*>(watched);
        if ((key == Qt::Key_CapsLock || key == Qt::Key_NumLock || key == Qt::Key_ScrollLock) && widget
            && widget->window() == this)
            RefreshLockKeyPanes();
    } else if (event->type() == QEvent::WindowActivate && watched == this) {
        RefreshLockKeyPanes();
    }

    return QMainWindow::eventFilter(watched, event);
}

void CMainFrame::BuildCommands()
{
    m_offDuringPreview = new QActionGroup(this);
    m_offDuringPreview->setExclusionPolicy(QActionGroup::ExclusionPolicy::None);
    for (const CommandText& command : kCommands) {
        const QString text = QString::fromUtf8(command.text);
        QAction* action = m_commands->Add(command.id, text, QKeySequence(QString::fromLatin1(command.shortcut)),
                                          QString(text).remove(QLatin1Char('&')).remove(QStringLiteral("...")));
        action->setIcon(CommandIcon(command.id));
        // A button that ran its command (maybe through a dialog that took the
        // pointer away) no longer shows the prompt.
        connect(action, &QAction::triggered, statusBar(), &QStatusBar::clearMessage);
        addAction(action); // shortcuts work wherever the focus is
    }
}

void CMainFrame::BuildMenus()
{
    for (const MenuLayout& layout : kMenus) {
        QMenu* menu = menuBar()->addMenu(QString::fromLatin1(layout.title));
        if (!m_fileMenu) {
            m_fileMenu = menu;
            connect(menu, &QMenu::aboutToShow, this, &CMainFrame::RefreshRecentFileMenu);
        }
        for (int id : layout.ids) {
            if (id == 0)
                menu->addSeparator();
            else
                menu->addAction(m_commands->Find(id));
        }
        connect(menu, &QMenu::aboutToShow, m_commands, &platform::CommandActions::UpdateActions);
    }
}

void CMainFrame::BuildToolBar()
{
    m_toolBar = addToolBar(QString());
    m_toolBar->setObjectName(QStringLiteral("MainToolBar"));
    m_toolBar->setIconSize(QSize(24, 24));
    m_toolBar->setContextMenuPolicy(Qt::PreventContextMenu);
    for (int id : kToolBar) {
        if (id == 0)
            m_toolBar->addSeparator();
        else
            m_toolBar->addAction(m_commands->Find(id));
    }
}

void CMainFrame::RunPrintControlGuard()
{
    // A start-up that dies while the print system starts leaves the flag
    // off, so that the next start skips it once.
    UserPrefsBase* prefs = GetUserPrefs();
    const bool initialize = !prefs || prefs->GetFlag(kPrefInitPrintOnStartup);
    if (prefs)
        prefs->SetFlag(kPrefInitPrintOnStartup, false);
    SessionLog& log = SessionLog::Instance();
    if (initialize) {
        log.Write(SessionLog::Info, QStringLiteral("Before printer control initialization"));
        if (m_startPrintControl)
            m_startPrintControl();
        log.Write(SessionLog::Info, QStringLiteral("After printer control initialization"));
    } else {
        log.Write(SessionLog::Info, QStringLiteral("Postponed printer control initialization"));
    }
    if (prefs)
        prefs->SetFlag(kPrefInitPrintOnStartup, true);
}

void CMainFrame::SetView(CKWLView* view)
{
    m_view = view;
    setCentralWidget(view);
    view->SetCommandBarsUpdater([this] { m_commands->UpdateActions(); });
    connect(&view->GetPrintCommands(), &CPrintCommands::previewShown, this, &CMainFrame::OnPreviewShown);
}

bool CMainFrame::IsPreviewing() const
{
    return m_view && m_view->GetPrintCommands().IsPreviewing();
}

void CMainFrame::OnPreviewShown(bool shown)
{
    // The preview hides the menus and the toolbar, but the shortcuts of the
    // window's commands stay live. A disabled group keeps its actions off
    // whatever their own rules say until it is enabled again; they then
    // take their own states back.
    if (!m_offDuringPreview)
        return;
    if (shown) {
        for (QAction* action : m_commands->findChildren<QAction*>(QString(), Qt::FindDirectChildrenOnly))
            if (std::find(
                    std::begin(kLiveDuringPreview), std::end(kLiveDuringPreview), action->data().toInt())
                == std::end(kLiveDuringPreview))
                m_offDuringPreview->addAction(action);
    }
    m_offDuringPreview->setEnabled(!shown);
    if (!shown)
        m_commands->UpdateActions();
}

QMargins CMainFrame::FrameMargins() const
{
    const QRect frame = frameGeometry();
    const QRect client = geometry();
    const QMargins shown(client.left() - frame.left(), client.top() - frame.top(),
        frame.right() - client.right(), frame.bottom() - client.bottom());
    if (!shown.isNull())
        return shown;
    const int border = style()->pixelMetric(QStyle::PM_MdiSubWindowFrameWidth, nullptr, this);
    return QMargins(
        border, style()->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, this) + border, border, border);
}

void CMainFrame::ActivateFrame()
{
    if (!m_placementRestored) {
        const WindowPlacement placement = LoadWindowPlacement();
        m_placementRestored = true;
        auto normalRect = [](const WindowPlacement& kept) {
            return QRect(kept.normalLeft, kept.normalTop, kept.normalRight - kept.normalLeft,
                kept.normalBottom - kept.normalTop);
        };
        QRect normal = normalRect(placement);
        // The profile's defaults stand for nothing stored.
        const bool stored = normal != normalRect(WindowPlacement());
        // The screen the rectangle lies on, or the main one for a rectangle
        // that lies on none (its screen is gone, or it was never stored).
        QScreen* screen = stored ? QGuiApplication::screenAt(normal.center()) : nullptr;
        if (!screen)
            screen = QGuiApplication::primaryScreen();
        if (screen) {
            const QRect available = screen->availableGeometry();
            if (!stored)
                normal = DefaultNormalRect(available);
            normal = FitNormalRectOnScreen(normal, FrameMargins(), available);
        }
        setGeometry(normal);
        if (placement.showCmd == kShowMaximized) {
            showMaximized();
        } else {
            showNormal();
        }
    } else {
        show();
    }
    m_commands->UpdateActions();
}

void CMainFrame::CloseLoadingSplash()
{
    if (m_loadingSplash)
        m_loadingSplash->close();
    m_loadingSplash.reset();
}

void CMainFrame::SavePlacementAndLayout()
{
    WindowPlacement placement;
    placement.showCmd = isMaximized() ? kShowMaximized : 1;
    const QRect normal = normalGeometry().isValid() ? normalGeometry() : geometry();
    placement.normalLeft = normal.left();
    placement.normalTop = normal.top();
    placement.normalRight = normal.left() + normal.width();
    placement.normalBottom = normal.top() + normal.height();
    SaveWindowPlacement(placement);
    QSettings profile = Profile();
    profile.setValue(QString::fromLatin1(kCommandBarsKey), saveState());
}

void CMainFrame::UpdateFrameTitle(const QString& documentTitle, bool modified)
{
    setWindowTitle(
        DisplayFileName(documentTitle) + QStringLiteral("[*] - ") + QString::fromLatin1(kApplicationTitle));
    setWindowModified(modified);
}

void CMainFrame::SetRecentFiles(std::function<QStringList()> source, std::function<void(const QString&)> open)
{
    m_recentSource = std::move(source);
    m_openRecent = std::move(open);
    RefreshRecentFileMenu();
}

void CMainFrame::RefreshRecentFileMenu()
{
    // The old entries go later: one of them may be the action being triggered.
    for (QAction* action : std::as_const(m_recentActions)) {
        m_fileMenu->removeAction(action);
        action->deleteLater();
    }
    m_recentActions.clear();
    if (m_recentSeparator) {
        m_fileMenu->removeAction(m_recentSeparator);
        m_recentSeparator->deleteLater();
        m_recentSeparator = nullptr;
    }
    const QStringList files = m_recentSource ? m_recentSource() : QStringList();
    if (!m_fileMenu || files.isEmpty())
        return;
    // Between Export for Mobile and Exit, with a separator of their own.
    QAction* exit = m_commands->Find(ShellCommand::AppExit);
    for (qsizetype i = 0; i < files.size(); ++i) {
        const QString number = i < 9 ? QStringLiteral("&%1").arg(i + 1) : QString::number(i + 1);
        QString shown = DisplayFileName(files[i]);
        shown.replace(QLatin1Char('&'), QStringLiteral("&&"));
        auto* action = new QAction(number + QLatin1Char(' ') + shown, m_fileMenu);
        action->setData(files[i]);
        const QString path = files[i];
        connect(action, &QAction::triggered, this, [this, path] {
            if (m_openRecent)
                m_openRecent(path);
        });
        m_fileMenu->insertAction(exit, action);
        m_recentActions << action;
        m_offDuringPreview->addAction(action);
    }
    m_recentSeparator = new QAction(m_fileMenu);
    m_recentSeparator->setSeparator(true);
    m_fileMenu->insertAction(exit, m_recentSeparator);
}

void CMainFrame::dragEnterEvent(QDragEnterEvent* event)
{
    // Nothing opens while the preview shows the project's pages.
    if (event->mimeData()->hasUrls() && !IsPreviewing())
        event->acceptProposedAction();
}

void CMainFrame::dropEvent(QDropEvent* event)
{
    if (IsPreviewing())
        return;
    for (const QUrl& url : event->mimeData()->urls()) {
        if (url.isLocalFile() && m_openFile) {
            m_openFile(LocalFileOfUrl(url));
            event->acceptProposedAction();
            return;
        }
    }
}

void CMainFrame::closeEvent(QCloseEvent* event)
{
    m_closing = true;
    if (m_view)
        SavePlacementAndLayout();
    if (m_closeQuery && !m_closeQuery()) {
        m_closing = false;
        event->ignore();
        return;
    }
    event->accept();
}
