#pragma once

#include "shell/controls/ButtonLayout.h"

#include <QPushButton>

#include <cstdint>

class COXToolTipCtrl;

// A push button we paint ourselves: text laid out by its alignment, an
// optional drop-down arrow, a flat look whose frame shows only under the
// mouse, two- and three-state toggling and a tooltip of its own. The window
// text holds the caption on its first line and the tooltip on its second.
//
// The picker buttons derive from it. Nothing in the program gives it images,
// an animation, a transparent look, cursors or an enabled state of its own,
// so those are left out.
class COXBitmapButton : public QPushButton
{
    Q_OBJECT

public:
    enum ExtendedStyle : std::uint32_t {
        DropDown = 0x1,
        Toggle = 0x2,
        RightDropDown = 0x10000, // the arrow points right and the drop-down opens there
        NoArrow = 0x20000,
        ThreeState = 0x40000,
    };
    enum ToggleBits : std::uint32_t { ToggleOn = 0x1, ToggleThird = 0x2 };
    static constexpr int kToolId = 1000;

    explicit COXBitmapButton(QWidget* parent = nullptr);
    ~COXBitmapButton() override;

    bool SetTrackLook(bool trackLook);
    bool GetTrackLook() const { return m_trackLook; }
    bool EnableToolTip(bool enable);
    COXToolTipCtrl* ToolTip() const { return m_toolTip; }

    void SetExtendedStyle(std::uint32_t style, bool redraw = true);
    std::uint32_t GetExtendedStyle() const { return m_extendedStyle; }
    std::uint32_t GetToggleState() const { return m_toggleState; }
    bool HasDropDownArrow() const;

    // Horizontal and vertical placement of the text, and word wrap.
    void SetTextAlignment(Qt::Alignment alignment, bool multiLine = false);
    // Sets the window text and renews the tooltip from its second line.
    void SetButtonText(const QString& text);
    QString GetFirstTextLine() const;
    QString GetSecondTextLine() const;
    bool IsMouseOver() const { return m_mouseOver; }
    int ArrowGlyphWidth() const { return m_arrowGlyphWidth; }

    virtual void SizeToContent();
    virtual QSize CalcFitSize() const;
    virtual QSize GetArrowSize() const;
    virtual ButtonLayoutResult CalcLayout(const QRect& content) const;

Q_SIGNALS:
    // A click on a drop-down or a toggle button; a handler that sets
    // *handled to true stops the button's own action.
    void dropDownClicked(bool* handled);
    void toggleClicked(bool* handled);

protected:
    struct DrawState
    {
        bool enabled;
        bool pressed;
        bool focused;
    };
    DrawState CurrentDrawState() const;

    virtual void DrawItem(QPainter& painter);
    virtual void DrawFrame(QPainter& painter, const QRect& item, const DrawState& state);
    virtual void DrawButtonText(
        QPainter& painter, const QString& text, const QRect& rect, const DrawState& state);
    virtual void DrawFocus(QPainter& painter, const QRect& item, const QRect& image, const DrawState& state);
    virtual void DrawArrow(QPainter& painter, const QRect& area, const DrawState& state);
    // The arrow area: right of the content, inset from top and bottom.
    QRect ArrowArea(const QRect& item, const QRect& content) const;
    virtual void OnDropDown() { }
    virtual void OnToggle() { }

    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void OnClicked();
    void ToggleStep();
    void HoverCheck(QPoint globalPos);
    void AfterRelease();
    void RenewTool();
    QSize MeasureText(int availableWidth) const;

    COXToolTipCtrl* m_toolTip = nullptr;
    std::uint32_t m_textColor = 0;
    bool m_trackLook = false;
    bool m_mouseOver = false;
    bool m_mouseDown = false;
    bool m_arrowSeparator = true;
    std::uint32_t m_extendedStyle = 0;
    int m_arrowGlyphWidth = 0;
    std::uint32_t m_toggleState = 0;
    Qt::Alignment m_alignment = Qt::AlignCenter;
    bool m_multiLine = false;
};
