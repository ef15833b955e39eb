#pragma once

#include <QFont>
#include <QPointer>
#include <QTimer>
#include <QWidget>

#include <cstdint>
#include <memory>
#include <vector>

// One registered tool: a rectangle of a window of the owner with its text.
struct COXToolTipInfo
{
    QPointer<QWidget> window;
    int id = 0;
    QRect rect; // in the owner's coordinates
    QString text;
    std::uint32_t textColor = 0xFF000000; // 0xFF000000: the system's tooltip colours
    std::uint32_t backColor = 0xFF000000;
};

// A borderless tooltip window that shows a tool's text near the mouse once
// the mouse has rested on the tool, and hides it after a time, on a click or
// a key. The owner hands it every event it receives through RelayEvent; after
// hiding, the tip stays away until the mouse reaches another tool, so that a
// user reading the window is not pestered.
class COXToolTipCtrl : public QWidget
{
    Q_OBJECT

public:
    // The tip window is top-level but destroyed with its owner.
    explicit COXToolTipCtrl(QWidget* owner);
    ~COXToolTipCtrl() override;

    // rect is in the tool window's coordinates; null takes its whole rectangle.
    bool AddTool(QWidget* tool, const QString& text, const QRect* rect, int id);
    void RemoveTool(QWidget* tool, int id);
    const std::vector<std::unique_ptr<COXToolTipInfo>>& Tools() const { return m_tools; }

    // receiver is the owner or one of its children; event positions are its own.
    void RelayEvent(QWidget* receiver, QEvent* event);

    void SetActive(bool active) { m_active = active; }
    void SetTipFont(const QFont& font);
    // Timer periods in milliseconds, settable so tests need not wait.
    void SetTimerPeriods(int showDelay, int pollPeriod, int autoHideTime);

    const COXToolTipInfo* CurrentTool() const { return m_currentTool; }
    bool IsSuppressed() const { return m_suppressed; }

    // The tip's size for a text: the widest line, wrapped height, plus margins.
    QSize CalcTipRect(const QString& text) const;
    // Moves a tip to the point and into the work area; a tip passing the
    // bottom edge goes above the tool's window, whose top is toolWindowTop.
    static QRect CalcTipPosition(QRect tip, QPoint point, const QRect& workArea, int toolWindowTop);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    COXToolTipInfo* ToolAt(QPoint globalPos) const;
    bool CursorOnTip(QPoint globalPos) const;
    void OnMouseMove(QPoint globalPos);
    void OnShowDelayElapsed();
    void OnPoll();
    void ShowTip(QPoint globalPos);
    void HideTip(bool suppress);
    void KillTimers();

    QWidget* m_owner;
    QMargins m_textMargins { 2, 2, 3, 3 };
    QPoint m_cursorOffset { 0, 20 };
    QFont m_tipFont;
    COXToolTipInfo* m_currentTool = nullptr;
    int m_pollPeriod = 500;
    int m_autoHideTime = 5000;
    int m_shownTime = 0;
    int m_showDelay = 500;
    bool m_active = true;
    bool m_suppressed = false;
    std::vector<std::unique_ptr<COXToolTipInfo>> m_tools;
    QTimer m_showTimer;
    QTimer m_pollTimer;
};
