#pragma once
// The program's one top-level window: menus, the toolbar and the status bar
// around the main view. It restores and saves its placement and toolbar
// layout, shows "Loading..." while the view builds its pages, and starts the
// print system once under a guard kept in the preferences.

#include "shell/LockKeys.h"

#include <platform/ui/CommandActions.h>

#include <QMainWindow>

#include <functional>
#include <memory>

class CKWLView;
class QActionGroup;
class QLabel;
class QMenu;
class SplashScreen;

// Where the window's normal (restored) rectangle goes: normal is the client
// area, frame the window frame's width on each side, title bar included.
// The frame is moved, and when it must shrunk, onto the available part of
// the screen; a rectangle whose frame lies there already stays as it is.
QRect FitNormalRectOnScreen(const QRect& normal, const QMargins& frame, const QRect& available);
// The first start's normal rectangle: three quarters of the available part
// of the screen each way, in its middle.
QRect DefaultNormalRect(const QRect& available);

class CMainFrame : public QMainWindow
{
    Q_OBJECT
public:
    // Starts the print system; answers whether it could (CreatePrintControlOnce).
    using PrintControlStarter = std::function<bool()>;

    explicit CMainFrame(PrintControlStarter startPrintControl = {});
    ~CMainFrame() override;

    // The window's building steps; false when a step failed.
    bool OnCreate();
    void SetView(CKWLView* view);
    CKWLView* GetView() const { return m_view; }
    platform::CommandActions& GetCommands() { return *m_commands; }
    QToolBar* GetToolBar() const { return m_toolBar; }
    QStringList GetStatusPaneTexts() const;
    // Where the lock-key panes learn the keys' state (the keyboard lights
    // unless a test gives another); the panes are refreshed at once.
    void SetLockKeyReader(LockKeyReader reader);
    void RefreshLockKeyPanes();

    // The first time: the saved placement, its frame on the screen
    // (maximized over a rectangle in the middle of the screen on a first start).
    void ActivateFrame();
    void CloseLoadingSplash();
    bool HasLoadingSplash() const { return m_loadingSplash != nullptr; }

    // Asked before the window closes; false keeps it open (the user cancelled
    // saving a modified project).
    void SetCloseQuery(std::function<bool()> query) { m_closeQuery = std::move(query); }
    // A file dropped on the window is opened with this.
    void SetFileOpener(std::function<void(const QString& path)> opener) { m_openFile = std::move(opener); }

    // The title: the project's name, a mark while it has unsaved changes,
    // and the application's title.
    void UpdateFrameTitle(const QString& documentTitle, bool modified);
    // The File menu lists source's files, newest first, each time it opens;
    // a picked entry goes to open.
    void SetRecentFiles(std::function<QStringList()> source, std::function<void(const QString& path)> open);
    // The File menu's recent-file entries as they are now; each holds its path as data.
    QList<QAction*> GetRecentFileActions() const { return m_recentActions; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void BuildCommands();
    void BuildMenus();
    void BuildToolBar();
    void RunPrintControlGuard();
    void SavePlacementAndLayout();
    void RefreshRecentFileMenu();
    // Whether the print preview stands in for the main view.
    bool IsPreviewing() const;
    void OnPreviewShown(bool shown);
    // The frame's width on each side: as the window has it once shown, an
    // estimate from the style before.
    QMargins FrameMargins() const;

    platform::CommandActions* m_commands;
    CKWLView* m_view = nullptr;
    QToolBar* m_toolBar = nullptr;
    QList<QLabel*> m_statusPanes;
    LockKeyReader m_lockKeys = ReadLockKeyLight;
    std::unique_ptr<SplashScreen> m_loadingSplash;
    bool m_placementRestored = false;
    bool m_closing = false;
    PrintControlStarter m_startPrintControl;
    std::function<bool()> m_closeQuery;
    std::function<void(const QString&)> m_openFile;
    QMenu* m_fileMenu = nullptr;
    QList<QAction*> m_recentActions;
    QAction* m_recentSeparator = nullptr;
    // The commands the preview switches off: all but Exit and the help.
    QActionGroup* m_offDuringPreview = nullptr;
    std::function<QStringList()> m_recentSource;
    std::function<void(const QString&)> m_openRecent;
};
