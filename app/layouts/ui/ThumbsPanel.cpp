#include "layouts/ui/ThumbsPanel.h"

#include "layouts/CDCScreenDriver.h"
#include "layouts/ThumbnailLayoutPainter.h"
#include "layouts/ui/DiagramIcons.h"
#include "layouts/ui/IThumbnailsZoneMgr.h"

#include <QImage>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QScrollBar>
#include <QSignalBlocker>

#include <algorithm>

namespace {

constexpr int kTopMargin = 5;
constexpr int kCheckBoxSize = 13;

QRect ToQ(const platform::Rect& r)
{
    return QRect(r.left, r.top, r.Width(), r.Height());
}

} // namespace

ThumbsPanel::ThumbsPanel(QWidget* parent)
    : QWidget(parent)
    , m_scrollBar(new QScrollBar(Qt::Vertical, this))
    , m_checked(MakeDiagramPixmap(DiagramIcon::Checked, kCheckBoxSize))
    , m_unchecked(MakeDiagramPixmap(DiagramIcon::Unchecked, kCheckBoxSize))
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    m_scrollBar->setSingleStep(kLineStep);
    // Dragging the box or clicking the bar moves the column by the bar's
    // own step; the column keeps its own position and clamps it.
    connect(
        m_scrollBar, &QScrollBar::valueChanged, this, [this](int value) { ScrollBy(value - m_scrollPos); });
    UpdateScrollBar();
}

QRect ThumbsPanel::ClientRect() const
{
    return QRect(0, 0, std::max(0, width() - m_scrollBar->sizeHint().width()), height());
}

void ThumbsPanel::SetThumbnails(const ThumbnailList& thumbnails)
{
    m_thumbnails = thumbnails;
    m_seen = false;
    m_scrollPos = 0;
    m_contentHeight = kTopMargin;
    for (const ThumbnailInfoPtr& thumbnail : m_thumbnails) {
        platform::Rect& r = thumbnail->rect;
        if (r.Height() < kMinHeight)
            r.bottom = r.top + kMinHeight;
        if (r.Width() < kMinWidth)
            r.right = r.left + kMinWidth;
        r.Offset(23, m_contentHeight);
        m_contentHeight += r.Height() + 5;
        // Left of the picture, its bottom 6 pixels above the picture's.
        const int left = r.left - 18;
        const int top = r.bottom - 19;
        thumbnail->checkRect = platform::Rect(left, top, left + kCheckBoxSize, top + kCheckBoxSize);
    }
    UpdateScrollBar();
    update();
}

void ThumbsPanel::UpdateScrollBar()
{
    m_pageHeight = ClientRect().height() - kTopMargin;
    if (m_pageHeight > m_contentHeight - kTopMargin)
        m_scrollPos = 0;
    const QSignalBlocker blocker(m_scrollBar);
    // The bar counts from the top of the column, as the column's position
    // does, so a drag of its box moves the column by as much.
    m_scrollBar->setRange(0, std::max(0, m_contentHeight - m_pageHeight));
    m_scrollBar->setPageStep(std::max(1, m_pageHeight));
    m_scrollBar->setValue(m_scrollPos);
}

void ThumbsPanel::Scroll(ScrollCode code, int trackPosition)
{
    int step = 0;
    switch (code) {
    case ScrollCode::LineUp:
        step = -kLineStep;
        break;
    case ScrollCode::LineDown:
        step = kLineStep;
        break;
    case ScrollCode::PageUp:
        step = -m_pageHeight;
        break;
    case ScrollCode::PageDown:
        step = m_pageHeight;
        break;
    case ScrollCode::ThumbTrack:
        step = trackPosition - m_scrollPos;
        break;
    default:
        return;
    }
    ScrollBy(step);
}

void ThumbsPanel::ScrollBy(int step)
{
    // A column that fits its page does not scroll down at all (the lowest
    // position is never above the top).
    const int lowest = std::max(0, m_contentHeight - m_pageHeight);
    if (m_scrollPos + step < kTopMargin)
        step = -m_scrollPos;
    else if (m_scrollPos + step > lowest)
        step = lowest - m_scrollPos;
    if (step != 0) {
        m_scrollPos += step;
        scroll(0, -step, ClientRect());
    }
    const QSignalBlocker blocker(m_scrollBar);
    m_scrollBar->setValue(m_scrollPos);
}

void ThumbsPanel::BringIntoView(int index)
{
    if (index < 0 || index >= static_cast<int>(m_thumbnails.size()))
        return;
    const platform::Rect& r = m_thumbnails[static_cast<std::size_t>(index)]->rect;
    if (r.bottom <= m_scrollPos + m_pageHeight && r.top >= m_scrollPos)
        return;
    m_scrollPos
        = r.bottom > m_scrollPos + m_pageHeight && r.top >= m_scrollPos ? r.bottom - m_pageHeight : r.top;
    UpdateScrollBar();
    update();
}

void ThumbsPanel::InvalidateCheckBox(const ThumbnailInfo& thumbnail)
{
    update(ToQ(thumbnail.checkRect).translated(0, -m_scrollPos));
}

void ThumbsPanel::InvalidateAllCheckBoxes()
{
    for (const ThumbnailInfoPtr& thumbnail : m_thumbnails)
        InvalidateCheckBox(*thumbnail);
}

void ThumbsPanel::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    const int barWidth = m_scrollBar->sizeHint().width();
    m_scrollBar->setGeometry(width() - barWidth, 0, barWidth, height());
    UpdateScrollBar();
    // A width given while the page is hidden is not the one the user sees.
    if (!isVisible())
        m_seen = false;
    FitUnseenThumbnails();
}

void ThumbsPanel::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    FitUnseenThumbnails();
}

void ThumbsPanel::FitUnseenThumbnails()
{
    // The column is often filled while its page is hidden, at a width that
    // is not yet its own; later resizes keep the sizes the user has seen.
    if (!m_seen && isVisible() && m_manager)
        m_manager->FitThumbnailsToColumn();
}

void ThumbsPanel::paintEvent(QPaintEvent* event)
{
    QPainter painter(this);
    if (isVisible())
        m_seen = true;
    // While a command changes the diagrams nothing is drawn from them.
    if (!m_manager || !m_manager->GetOwner()->IsEditAllowed())
        return;
    const QRect updateRect = event->rect().intersected(ClientRect());
    painter.setClipRect(updateRect);
    painter.fillRect(updateRect, palette().color(QPalette::Midlight));
    painter.translate(0, -m_scrollPos);
    const QRect columnUpdate = updateRect.translated(0, m_scrollPos);
    for (const ThumbnailInfoPtr& thumbnail : m_thumbnails) {
        if (ToQ(thumbnail->rect).intersects(columnUpdate))
            DrawThumbnail(painter, *thumbnail);
        if (ToQ(thumbnail->checkRect).intersects(columnUpdate))
            painter.drawPixmap(ToQ(thumbnail->checkRect).topLeft(),
                thumbnail->diagram->IsChecked() ? m_checked : m_unchecked);
    }
}

void ThumbsPanel::DrawThumbnail(QPainter& painter, const ThumbnailInfo& thumbnail)
{
    const QRect target = ToQ(thumbnail.rect);
    QImage picture(target.size(), QImage::Format_RGB32);
    picture.fill(Qt::white);
    {
        QPainter picturePainter(&picture);
        IThumbnailsOwner* owner = m_manager->GetOwner();
        const DisplayDiagramPtr current = owner->GetCurrentDiagram();
        const bool isCurrent = current && *current == *thumbnail.diagram;
        ThumbnailLayoutPainter thumbnailPainter(
            std::make_shared<CDCScreenDriver>(&picturePainter), isCurrent);
        thumbnailPainter.SetHighlight(owner->GetTakeOffSelection(), owner->IsTakeOffTurnMatched());
        thumbnailPainter.Paint(thumbnail.diagram, platform::Rect(0, 0, target.width(), target.height()),
            { thumbnail.number, thumbnail.number, 0, 0 }, true);
    }
    painter.drawImage(target.topLeft(), picture);
}

void ThumbsPanel::mousePressEvent(QMouseEvent* event)
{
    const QPoint point = event->position().toPoint();
    const int x = point.x();
    const int y = point.y() + m_scrollPos;
    if (m_manager && ClientRect().contains(point)) {
        for (const ThumbnailInfoPtr& thumbnail : m_thumbnails) {
            if (event->button() == Qt::LeftButton) {
                if (thumbnail->rect.Contains(x, y)) {
                    m_manager->OnThumbnailClicked(*thumbnail);
                    break;
                }
                if (thumbnail->checkRect.Contains(x, y)) {
                    m_manager->OnCheckBoxClicked(*thumbnail);
                    break;
                }
            } else if (event->button() == Qt::RightButton && thumbnail->rect.Contains(x, y)) {
                m_manager->OnThumbnailRightClicked(*thumbnail, mapToGlobal(point));
                break;
            }
        }
    }
    QWidget::mousePressEvent(event);
}
