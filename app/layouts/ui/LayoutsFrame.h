#pragma once
// The window of the layouts page: a toolbar over the content of the current
// arrangement. It owns no logic: commands, mouse and key events go to the
// page's view manager, which reaches the frame through ILayoutsFrame.

#include "layouts/ui/ILayoutsFrame.h"
#include "layouts/ui/LayoutsContentFrames.h"

#include <platform/ui/CommandActions.h>

#include <QPointer>
#include <QWidget>

class LayoutsViewMgr;
class QMenu;
class QToolBar;
class QToolButton;

class LayoutsFrame : public QWidget, public ILayoutsFrame
{
    Q_OBJECT
public:
    // Hidden until the view manager shows it; starts in the Wide arrangement.
    LayoutsFrame(LayoutsViewMgr* viewMgr, const QRect& rect, QWidget* parent);
    ~LayoutsFrame() override;

    void Show(int code) override;
    void MoveTo(const QRect& rect) override;
    bool IsVisible() const override;
    void PostFrameMessage(int id) override;
    QWidget* GetFrameWnd() override { return this; }
    void CaptureMouse() override;
    void ReleaseMouse() override;
    void TrackPopupMenu(int menuId, const QPoint& screenPoint) override;
    bool BalanceRows() override;
    void BalanceColumns() override;
    void SetTextBelowIcons(bool on) override;
    void SaveSplitterSizes() override;
    void SetArrangement(bool wide) override;
    std::shared_ptr<InteractiveDiagramBase> GetDiagramWnd() const override;
    std::shared_ptr<ThumbnailsZone> GetThumbnailsZone() const override;
    std::shared_ptr<ITreeCtrl> GetTreeCtrl() const override;
    std::shared_ptr<ITakeOffCtrl> GetTakeOffCtrl() const override;
    std::shared_ptr<CUGRowMode> GetTakeOffGrid() const override;
    std::shared_ptr<QTabBar> GetTakeOffTabs() const override;
    void SetLayoutStyleIcon(int commandId) override;
    void UpdateCommandStates() override;

    // For the window layers and the tests.
    QToolBar* ToolBar() const { return m_toolBar; }
    QToolButton* StyleButton() const { return m_styleButton; }
    LayoutsMainContentFrame* Content() const { return m_content; }
    platform::CommandActions& Commands() { return m_commands; }
    // The last popup menu tracked (null after it closed).
    QMenu* ActivePopup() const;

protected:
    bool event(QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;

private:
    void CreateCommands();
    void CreateToolBar();
    QRect ContentRect() const;
    static QString ResourceFirstLine(int id);
    static QString ResourceSecondPart(int id);
    static bool LayoutPrefFlagOn(int id);

    LayoutsViewMgr* m_viewMgr;
    LayoutsMainContentFrame* m_content = nullptr;
    QToolBar* m_toolBar = nullptr;
    QToolButton* m_styleButton = nullptr;
    QMenu* m_styleMenu = nullptr;
    platform::CommandActions m_commands;
    QPointer<QMenu> m_popup;
    bool m_releasing = false;
    // The content has been on screen, so its splitters hold sizes worth keeping.
    bool m_contentSeen = false;
};

// The 24-pixel picture of a toolbar or layout style command.
QIcon MakeLayoutsCommandIcon(int commandId);
