#pragma once
// The window of the layouts page as its view manager sees it: showing and
// placing it, the mouse capture, popup menus, the splitters of the current
// arrangement and the panes they hold.

#include <QPoint>
#include <QRect>

#include <memory>

class CUGRowMode;
class ITakeOffCtrl;
class ITreeCtrl;
class InteractiveDiagramBase;
class QTabBar;
class QWidget;
class ThumbnailsZone;

class ILayoutsFrame
{
public:
    virtual ~ILayoutsFrame() = default;

    // code: FrameShow::Show or FrameShow::Hide.
    virtual void Show(int code) = 0;
    virtual void MoveTo(const QRect& rect) = 0;
    virtual bool IsVisible() const = 0;
    // Queued to the frame: it runs once the current event has unwound.
    virtual void PostFrameMessage(int id) = 0;
    virtual QWidget* GetFrameWnd() = 0;
    virtual void CaptureMouse() = 0;
    virtual void ReleaseMouse() = 0;
    virtual void TrackPopupMenu(int menuId, const QPoint& screenPoint) = 0;
    // True when no size had to change.
    virtual bool BalanceRows() = 0;
    virtual void BalanceColumns() = 0;
    virtual void SetTextBelowIcons(bool on) = 0;
    virtual void SaveSplitterSizes() = 0;
    virtual void SetArrangement(bool wide) = 0;
    virtual std::shared_ptr<InteractiveDiagramBase> GetDiagramWnd() const = 0;
    virtual std::shared_ptr<ThumbnailsZone> GetThumbnailsZone() const = 0;
    virtual std::shared_ptr<ITreeCtrl> GetTreeCtrl() const = 0;
    virtual std::shared_ptr<ITakeOffCtrl> GetTakeOffCtrl() const = 0;
    virtual std::shared_ptr<CUGRowMode> GetTakeOffGrid() const = 0;
    virtual std::shared_ptr<QTabBar> GetTakeOffTabs() const = 0;
    // The "Style" button shows the picture of this style command.
    virtual void SetLayoutStyleIcon(int commandId) = 0;
    // Runs the enable and check rules of the page's commands once.
    virtual void UpdateCommandStates() = 0;
};
