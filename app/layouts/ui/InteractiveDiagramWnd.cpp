#include "layouts/ui/InteractiveDiagramWnd.h"

#include "foundation/ResourceBase.h"
#include "foundation/ui/CIconButton.h"
#include "foundation/ui/CStaticWithTip.h"
#include "foundation/ui/ControlFactory.h"
#include "layouts/CDCScreenDriver.h"
#include "layouts/CoordinateMappers.h"
#include "layouts/DashedBarPainter.h"
#include "layouts/GDIScopes.h"
#include "layouts/LayoutsStrings.h"
#include "layouts/MainDiagramPainter.h"
#include "layouts/ui/DiagramIcons.h"
#include "layouts/ui/IMainDiagramViewMgr.h"
#include "layouts/ui/ManualEditView.h"
#include "optimization/DiagramGeometry.h"
#include "platform/ui/ColorRef.h"

#include <QApplication>
#include <QClipboard>
#include <QImage>
#include <QKeyEvent>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>
#include <QStyle>
#include <QToolButton>

#include <algorithm>
#include <vector>

namespace {

// The main diagram's painter with the steps the window draws itself: the
// border it leaves around the sheet and one part in a given fill.
class WindowDiagramPainter : public MainDiagramPainter
{
public:
    using MainDiagramPainter::MainDiagramPainter;

    int BorderWidth() { return GetBorderWidth(); }
    void FillOnePart(const platform::Rect& rect, int kind)
    {
        CreateDrawingTools();
        FillPart(rect, kind);
    }
};

QToolButton* MakeArrow(QWidget* parent, Qt::ArrowType arrow)
{
    auto* button = new QToolButton(parent);
    button->setArrowType(arrow);
    button->setAutoRepeat(true);
    button->setFocusPolicy(Qt::NoFocus);
    return button;
}

} // namespace

InteractiveDiagramWnd::InteractiveDiagramWnd(QWidget* parent)
    : QWidget(parent)
    , m_spin(new QWidget(this))
    , m_previous(MakeArrow(m_spin, Qt::LeftArrow))
    , m_next(MakeArrow(m_spin, Qt::RightArrow))
    , m_turnButton(CreateIconButton(this, kTurnButtonId, MakeDiagramIcon(DiagramIcon::Turn)))
    , m_labelButton(CreateIconButton(this, kLabelButtonId, MakeDiagramIcon(DiagramIcon::LabelStyle)))
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(true);
    setFocusPolicy(Qt::ClickFocus);
    for (CIconButton* button : { m_turnButton, m_labelButton }) {
        button->setCheckable(true);
        button->setFocusPolicy(Qt::NoFocus);
    }
    m_turnButton->setToolTip(CutToolTipText(LoadUIString(kStrTurnDiagram)));
    m_labelButton->setToolTip(CutToolTipText(LoadUIString(kStrToggleLabelStyle)));

    // The buttons show the diagram's state, never their own: a click only
    // asks, and the next UpdateControls sets the state.
    connect(m_turnButton, &QToolButton::clicked, this, [this] {
        m_turnButton->setChecked(!m_turnButton->isChecked());
        TakeFocus();
        if (m_viewMgr)
            m_viewMgr->OnTurn();
    });
    connect(m_labelButton, &QToolButton::clicked, this, [this] {
        m_labelButton->setChecked(!m_labelButton->isChecked());
        TakeFocus();
        if (m_viewMgr)
            m_viewMgr->OnToggleLabelStyle(m_labelButton->WasCtrlClick());
    });
    // The horizontal up-down control: its right arrow counts down (-1),
    // which shows the next diagram; the left arrow counts up, the previous.
    connect(m_next, &QToolButton::clicked, this, [this] {
        if (m_viewMgr)
            m_viewMgr->OnStep(-1);
    });
    connect(m_previous, &QToolButton::clicked, this, [this] {
        if (m_viewMgr)
            m_viewMgr->OnStep(1);
    });
    SetTurnButtonState(false, false);
    SetLabelButtonState(false, false);
    EnableSpin(false);
}

InteractiveDiagramWnd::~InteractiveDiagramWnd() = default;

int InteractiveDiagramWnd::StripHeight()
{
    static const int height = [] {
        const int scrollBar = QApplication::style()->pixelMetric(QStyle::PM_ScrollBarExtent);
        return 2 * std::max(scrollBar, 18) + 10;
    }();
    return height;
}

void InteractiveDiagramWnd::Init(IMainDiagramViewMgr* viewMgr, std::shared_ptr<IManualEditView> manualEdit)
{
    m_viewMgr = viewMgr;
    m_manualEdit = std::move(manualEdit);
}

void InteractiveDiagramWnd::Redraw()
{
    update();
}

void InteractiveDiagramWnd::SetTurnButtonState(bool enabled, bool pressed)
{
    m_turnButton->setEnabled(enabled);
    m_turnButton->setChecked(pressed);
}

void InteractiveDiagramWnd::SetLabelButtonState(bool enabled, bool pressed)
{
    m_labelButton->setEnabled(enabled);
    m_labelButton->setChecked(pressed);
}

void InteractiveDiagramWnd::EnableSpin(bool enabled)
{
    m_spin->setEnabled(enabled);
}

QToolButton* InteractiveDiagramWnd::TurnButton() const
{
    return m_turnButton;
}

QToolButton* InteractiveDiagramWnd::LabelButton() const
{
    return m_labelButton;
}

platform::Rect InteractiveDiagramWnd::LimitToDiagramArea(platform::Rect rect) const
{
    const int line = StripTop();
    if (rect.top > line)
        rect.top = line;
    if (!(rect.bottom >= rect.top && rect.bottom <= line))
        rect.bottom = line;
    return rect;
}

void InteractiveDiagramWnd::InvalidateArea(const platform::Rect& rect)
{
    update(ToQRect(LimitToDiagramArea(rect)));
}

void InteractiveDiagramWnd::InvalidateAll()
{
    update();
}

void InteractiveDiagramWnd::InvalidateDiagramArea()
{
    update(0, 0, width(), std::max(0, StripTop()));
}

void InteractiveDiagramWnd::TakeFocus()
{
    setFocus(Qt::OtherFocusReason);
}

void InteractiveDiagramWnd::UpdateNow()
{
    repaint();
}

platform::Rect InteractiveDiagramWnd::GetScreenRect() const
{
    const QPoint topLeft = mapToGlobal(QPoint(0, 0));
    return platform::Rect(topLeft.x(), topLeft.y(), topLeft.x() + width(), topLeft.y() + height());
}

QPoint InteractiveDiagramWnd::ScreenToClientPoint(const QPoint& point) const
{
    return mapFromGlobal(point);
}

void InteractiveDiagramWnd::LayOutStrip(int cx, int cy)
{
    // Centred under the two buttons: (2 * 27 - 32) / 2 from the left, its
    // bottom 3 pixels above the window's.
    const int spinHeight = cy < 21 ? 0 : 18;
    m_spin->setGeometry(11, cy - 20, 35, spinHeight);
    m_previous->setGeometry(0, 0, 17, spinHeight);
    m_next->setGeometry(17, 0, 18, spinHeight);
    const int y = cy - StripHeight() - 2;
    const int buttonHeight = y < 0 ? 0 : kButtonSize;
    m_turnButton->setGeometry(2, y, kButtonSize, buttonHeight);
    m_labelButton->setGeometry(29, y, kButtonSize, buttonHeight);
}

void InteractiveDiagramWnd::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    LayOutStrip(width(), height());
    update();
    if (m_viewMgr)
        m_viewMgr->OnWindowResized();
}

void InteractiveDiagramWnd::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    const QRect client = rect();
    painter.fillRect(client, palette().color(QPalette::Midlight));
    const int stripTop = StripTop();
    painter.fillRect(
        QRect(0, stripTop, client.width(), client.height() - stripTop), palette().color(QPalette::Button));
    if (!m_viewMgr || !m_viewMgr->GetCurrentDiagram())
        return;
    DrawDiagram(painter, platform::Rect(0, 0, client.width(), client.height()), true, false);
    DrawDragFeedback(painter);
}

void InteractiveDiagramWnd::DrawDiagram(
    QPainter& painter, const platform::Rect& rect, bool interactive, bool drawDraggedLast)
{
    const DisplayDiagramPtr diagram = m_viewMgr->GetCurrentDiagram();
    if (!diagram)
        return;
    WindowDiagramPainter diagramPainter(std::make_shared<CDCScreenDriver>(&painter));
    diagramPainter.SetHighlight(m_viewMgr->GetHighlight(), m_viewMgr->IsTurnFlagMatched());
    diagramPainter.Paint(diagram, rect, { 0, m_viewMgr->GetCaptionNumber(), m_viewMgr->GetCaptionCount(), 0 },
        drawDraggedLast);
    if (!interactive)
        return;
    const int border = diagramPainter.BorderWidth();
    m_diagramRect = DeflateRectSafely(diagramPainter.GetDiagramRectangle(), border, border);
    if (m_manualEdit)
        m_manualEdit->SetGeometry(CreatePartGeometryTranslator(*diagram, false), diagramPainter.GetScale(),
            m_diagramRect.TopLeft());
}

void InteractiveDiagramWnd::DrawDragFeedback(QPainter& painter)
{
    if (!m_manualEdit)
        return;
    painter.save();
    painter.setClipRect(QRect(0, 0, width(), std::max(0, StripTop())));
    if (const DrawnPartPtr dragged = m_manualEdit->GetDraggedPartToDraw()) {
        WindowDiagramPainter partPainter(std::make_shared<CDCScreenDriver>(&painter));
        partPainter.FillOnePart(dragged->GetScreenRect(),
            m_manualEdit->IsDropAccepted() ? PartClass::Dragged : PartClass::Refused);
    }
    // A kerf band runs along its longer side on the screen.
    DashedBarPainter bands(&painter);
    for (const platform::Rect& kerf : m_manualEdit->GetActiveKerfScreenRects())
        bands.Draw(kerf.Height() > kerf.Width(), kerf);
    painter.restore();
}

void InteractiveDiagramWnd::CopyToClipboard()
{
    if (!m_viewMgr || width() <= 0 || height() <= 0)
        return;
    // Painting the picture moves the parts' screen rectangles into it; the
    // pointer still finds them where the window shows them.
    std::vector<platform::Rect> shownRects;
    const DisplayDiagramPtr diagram = m_viewMgr->GetCurrentDiagram();
    if (diagram)
        for (const DrawnPartPtr& part : GetCurrentParts(*diagram))
            shownRects.push_back(part->GetScreenRect());
    QImage picture(size(), QImage::Format_RGB32);
    picture.fill(Qt::white);
    {
        QPainter painter(&picture);
        painter.setPen(QPen(Qt::black, 1));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(0, 0, width() - 1, height() - 1);
        DrawDiagram(painter, platform::Rect(5, 5, width() - 5, height() - 5), false, true);
    }
    if (diagram) {
        const DrawnPartList& parts = GetCurrentParts(*diagram);
        for (std::size_t i = 0; i < parts.size() && i < shownRects.size(); ++i)
            parts[i]->SetScreenRect(shownRects[i]);
    }

    // Added to what the clipboard holds (the take-off list's text is put
    // there first), so both land in one clipboard entry.
    QClipboard* clipboard = QGuiApplication::clipboard();
    auto* combined = new QMimeData;
    if (const QMimeData* earlier = clipboard->mimeData()) {
        for (const QString& format : earlier->formats())
            combined->setData(format, earlier->data(format));
    }
    combined->setImageData(picture);
    clipboard->setMimeData(combined);
}

void InteractiveDiagramWnd::mousePressEvent(QMouseEvent* event)
{
    const QPoint point = event->position().toPoint();
    if (m_viewMgr && event->button() == Qt::LeftButton) {
        m_viewMgr->OnLeftButtonDown(point);
    } else if (m_viewMgr && event->button() == Qt::RightButton) {
        if (m_viewMgr->GetCurrentDiagram() && m_diagramRect.Contains(point.x(), point.y()))
            m_viewMgr->OnContextMenu(mapToGlobal(point));
    }
    QWidget::mousePressEvent(event);
}

// Taken here, the pointer's events do not go on to the frame, which would
// pass them to the view manager a second time.
void InteractiveDiagramWnd::mouseMoveEvent(QMouseEvent* event)
{
    if (!m_viewMgr) {
        QWidget::mouseMoveEvent(event);
        return;
    }
    m_viewMgr->OnMouseMove(event->buttons(), event->modifiers(), event->globalPosition().toPoint());
    event->accept();
}

void InteractiveDiagramWnd::mouseReleaseEvent(QMouseEvent* event)
{
    if (!m_viewMgr || event->button() != Qt::LeftButton) {
        QWidget::mouseReleaseEvent(event);
        return;
    }
    m_viewMgr->OnLeftButtonUp(event->globalPosition().toPoint());
    event->accept();
}

void InteractiveDiagramWnd::keyPressEvent(QKeyEvent* event)
{
    if (m_manualEdit)
        m_manualEdit->OnKeyDown(event->key());
}

void InteractiveDiagramWnd::keyReleaseEvent(QKeyEvent* event)
{
    if (m_manualEdit)
        m_manualEdit->OnKeyUp(event->key());
}

bool InteractiveDiagramWnd::focusNextPrevChild(bool)
{
    // Every key, Tab included, belongs to manual editing.
    return false;
}
