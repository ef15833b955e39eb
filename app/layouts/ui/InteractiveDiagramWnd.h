#pragma once
// The main diagram pane: the shown diagram at full size, the part being
// dragged and the kerfs it snaps to drawn on top, and a strip of controls
// along the bottom edge (turn, labelling style, previous/next). Qt paints
// widgets through a back buffer, so the window draws straight onto itself.

#include "layouts/ui/InteractiveDiagramBase.h"

#include <QWidget>

class CIconButton;
class QPainter;
class QToolButton;

class InteractiveDiagramWnd : public QWidget, public InteractiveDiagramBase
{
    Q_OBJECT

public:
    static constexpr int kTurnButtonId = 6345;
    static constexpr int kSpinId = 6346;
    static constexpr int kLabelButtonId = 6347;
    static constexpr int kButtonSize = 27;

    explicit InteractiveDiagramWnd(QWidget* parent = nullptr);
    ~InteractiveDiagramWnd() override;

    // The height of the control strip: twice the scroll bar's width (at
    // least 18) plus 10, measured once.
    static int StripHeight();

    void Init(IMainDiagramViewMgr* viewMgr, std::shared_ptr<IManualEditView> manualEdit) override;
    void Redraw() override;
    void SetTurnButtonState(bool enabled, bool pressed) override;
    void SetLabelButtonState(bool enabled, bool pressed) override;
    void EnableSpin(bool enabled) override;
    void CopyToClipboard() override;
    void InvalidateArea(const platform::Rect& rect) override;
    void InvalidateAll() override;
    void InvalidateDiagramArea() override;
    void TakeFocus() override;
    void UpdateNow() override;
    platform::Rect GetScreenRect() const override;
    QPoint ScreenToClientPoint(const QPoint& point) const override;

    // The sheet as last painted, less the painter's border; empty before.
    const platform::Rect& GetDiagramRect() const { return m_diagramRect; }
    QToolButton* TurnButton() const;
    QToolButton* LabelButton() const;
    QWidget* SpinControl() const { return m_spin; }
    QToolButton* PreviousButton() const { return m_previous; }
    QToolButton* NextButton() const { return m_next; }
    // rect limited to the area above the control strip.
    platform::Rect LimitToDiagramArea(platform::Rect rect) const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    bool focusNextPrevChild(bool next) override;

private:
    void LayOutStrip(int cx, int cy);
    int StripTop() const { return height() - StripHeight() - 2; }
    // The shown diagram into rect; interactive paints remember where the
    // sheet went and hand the geometry to manual editing.
    void DrawDiagram(QPainter& painter, const platform::Rect& rect, bool interactive, bool drawDraggedLast);
    void DrawDragFeedback(QPainter& painter);

    IMainDiagramViewMgr* m_viewMgr = nullptr;
    std::shared_ptr<IManualEditView> m_manualEdit;
    QWidget* m_spin;
    QToolButton* m_previous;
    QToolButton* m_next;
    CIconButton* m_turnButton;
    CIconButton* m_labelButton;
    platform::Rect m_diagramRect;
};
