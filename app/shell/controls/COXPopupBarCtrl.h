#pragma once

#include <QHash>
#include <QPointer>
#include <QTimer>
#include <QWidget>

#include <cstdint>
#include <utility>
#include <vector>

class QEventLoop;

// A popup grid of cells, each standing for a 32-bit value, with an optional
// default button above and custom button below. Pick shows it and returns
// once the user picked an item or cancelled, as a menu does. The colour and
// pattern bars derive from it and draw the cell contents.
//
// Item indexes: 0 the default button, 1 to N the cells, N + 1 the custom
// button, -1 none. Rectangles are in client coordinates (inside the frame).
// A bar may be torn off into a small floating tool window that stays open
// and reports every pick through floatingPick().
class COXPopupBarCtrl : public QWidget
{
    Q_OBJECT

public:
    enum Flag : std::uint32_t {
        NoToolTips = 0x1,
        NoDefaultButton = 0x2,
        NoCustomButton = 0x4,
        NoTearOff = 0x10,
    };
    enum Result { Running = 0, Picked = 1, Cancelled = 2, CustomPicked = 3, TearOff = 4 };
    static constexpr std::uint32_t kNoValue = 0xFFFFFFFF;
    static constexpr int kFrame = 3; // the fixed frame of the popup, each side

    COXPopupBarCtrl(int buttonCount, int rowCount, std::uint32_t defaultValue, int buttonWidth,
        int buttonHeight, const QString& defaultButtonText = {}, const QString& customButtonText = {});
    ~COXPopupBarCtrl() override;

    // Makes the bar a hidden popup of the owner (the picker button).
    bool Create(QWidget* owner, std::uint32_t flags);
    bool SetButtons(const std::vector<std::uint32_t>& values);
    bool SetToolTipTexts(const std::vector<std::pair<std::uint32_t, QString>>& texts);
    // Alignment 0 to 7 places the bar around rect (the owner's rectangle when
    // null), in screen coordinates. True when a value was picked; it is then
    // in SelectedValue().
    virtual bool Pick(int alignment, const QRect* rect, int dx, int dy);

    std::uint32_t SelectedValue() const { return m_selectedValue; }
    void SetSelectedValue(std::uint32_t value) { m_selectedValue = value; }
    std::uint32_t DefaultValue() const { return m_defaultValue; }
    void SetDefaultValue(std::uint32_t value) { m_defaultValue = value; }
    std::uint32_t Flags() const { return m_flags; }
    void SetFlags(std::uint32_t flags) { m_flags = flags; }
    void SetButtonSize(int width, int height);
    void SetDefaultButtonText(const QString& text) { m_defaultButtonText = text; }
    void SetCustomButtonText(const QString& text) { m_customButtonText = text; }
    void SetTearOffText(const QString& text) { m_tearOffText = text; }
    void SetCaption(const QString& caption) { m_caption = caption; }
    const QString& DefaultButtonText() const { return m_defaultButtonText; }
    const QString& CustomButtonText() const { return m_customButtonText; }
    const std::vector<std::uint32_t>& Values() const { return m_values; }
    int ButtonCount() const { return m_buttonCount; }
    int Columns() const;

    int SelectedIndex() const { return m_selectedIndex; }
    int HotIndex() const { return m_hotIndex; }
    bool IsFloating() const { return m_floating; }
    bool IsPicking() const { return m_loop != nullptr; }
    const std::vector<QRect>& CellRects() const { return m_cellRects; }
    QRect DefaultButtonRect() const { return m_defaultButtonRect; }
    QRect CustomButtonRect() const { return m_customButtonRect; }
    QRect TearOffRect() const { return m_tearOffRect; }
    // Client point of the widget point and back.
    QPoint ClientOffset() const;

    int HitTest(QPoint client) const;
    int IndexOfValue(std::uint32_t value) const;
    // The tooltip shown over a client point (empty: none).
    QString ToolTipTextAt(QPoint client) const;
    // Top left of a bar of the given size for an alignment.
    static QPoint PlaceBar(int alignment, const QRect& rect, QSize size, int dx, int dy);

Q_SIGNALS:
    // A torn-off bar picked a value (SelectedValue()).
    void floatingPick();

protected:
    virtual void DrawBackground(QPainter& painter);
    virtual void DrawButton(QPainter& painter, int cell, QRect rect);
    virtual void DrawTearOffBar(QPainter& painter);
    virtual void DrawDefaultButton(QPainter& painter, QRect rect);
    virtual void DrawCustomButton(QPainter& painter, QRect rect);
    // Draws the edge of an item and shrinks rect by 1.
    virtual void DrawItemFrame(QPainter& painter, QRect& rect, int index);
    // True when the custom button produced a value in SelectedValue.
    virtual bool OnCustomButton() { return false; }
    virtual void SetHotItem(int index);
    virtual void SetSelectedItem(int index);
    // Fills the values in before the base Pick (the derived bars' palettes).
    void PadValues(std::uint32_t with);
    void DrawButtonTextIn(QPainter& painter, const QRect& rect, const QString& text);
    QFont ButtonFont() const;
    void SetSelectedIndexForCustom() { m_selectedIndex = m_buttonCount + 1; }

    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    bool HasDefaultButton() const { return !(m_flags & NoDefaultButton); }
    bool HasCustomButton() const { return !(m_flags & NoCustomButton); }
    bool HasTearOffBar() const { return !(m_flags & NoTearOff) && !m_floating; }
    void LayOut();
    QRect WorkArea() const;
    void Choose();
    void PostResult(Result result);
    void MoveHot(int key, bool shift);
    void RepaintItem(int index);
    QRect ItemRect(int index) const;
    void MakePopup();
    void MakeFloating();
    void OnTimer();
    void StartTearOff();
    void EndDrag(bool completed);

    std::vector<std::uint32_t> m_values;
    int m_buttonCount;
    int m_rowCount;
    std::uint32_t m_flags = 0;
    QHash<std::uint32_t, QString> m_toolTipTexts;
    std::uint32_t m_selectedValue = kNoValue;
    std::uint32_t m_defaultValue;
    int m_buttonWidth;
    int m_buttonHeight;
    QString m_defaultButtonText;
    QString m_customButtonText;
    QString m_tearOffText;
    QString m_caption;
    QPointer<QWidget> m_owner;
    QTimer m_timer;
    bool m_mouseMoved = true;
    QPoint m_lastMousePos { -1, -1 };
    QPoint m_lastGlobalPos;
    QSize m_windowSize;
    QRect m_tearOffRect;
    QRect m_defaultButtonRect;
    QRect m_customButtonRect;
    std::vector<QRect> m_cellRects;
    int m_selectedIndex = -1;
    int m_hotIndex = -1;
    bool m_itemPressed = false;
    bool m_tearOffPressed = false;
    bool m_floating = false;
    Result m_result = Running;
    QEventLoop* m_loop = nullptr;
    bool m_hasPendingClick = false;
    QPoint m_pendingClickPos;
    Qt::MouseButton m_pendingClickButton = Qt::NoButton;
    // Dragging a torn-off bar to its place.
    bool m_dragging = false;
    QPoint m_dragStartCursor;
    QPoint m_dragStartWindow;
};
