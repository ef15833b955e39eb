#pragma once
// The scrolling column of thumbnails: lays them out one under the other,
// paints them, scrolls and takes the clicks.

#include "layouts/ui/ThumbnailInfo.h"

#include <QPixmap>
#include <QWidget>

class IThumbnailsZoneMgr;
class QScrollBar;

class ThumbsPanel : public QWidget
{
    Q_OBJECT

public:
    static constexpr int kLineStep = 52;
    static constexpr int kMinWidth = 42;
    static constexpr int kMinHeight = 21;

    // The scroll requests of a vertical scroll bar.
    enum class ScrollCode { LineUp, LineDown, PageUp, PageDown, ThumbTrack, ThumbPosition, EndScroll };

    explicit ThumbsPanel(QWidget* parent = nullptr);

    void SetManager(IThumbnailsZoneMgr* manager) { m_manager = manager; }
    // Lays the thumbnails out from the top (they are shared with the
    // manager, which reads the laid-out rectangles) and scrolls to the top.
    void SetThumbnails(const ThumbnailList& thumbnails);
    void BringIntoView(int index);
    void Scroll(ScrollCode code, int trackPosition = 0);
    // The thumbnail's check box on the screen needs painting again.
    void InvalidateCheckBox(const ThumbnailInfo& thumbnail);
    void InvalidateAllCheckBoxes();

    // The area the thumbnails are drawn in (the scroll bar excluded).
    QRect ClientRect() const;
    int GetScrollPos() const { return m_scrollPos; }
    int GetPageHeight() const { return m_pageHeight; }
    int GetContentHeight() const { return m_contentHeight; }
    QScrollBar* ScrollBar() const { return m_scrollBar; }
    const ThumbnailList& Thumbnails() const { return m_thumbnails; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    void UpdateScrollBar();
    // Until the user has seen the thumbnails, they follow the column's width.
    void FitUnseenThumbnails();
    void ScrollBy(int step);
    void DrawThumbnail(QPainter& painter, const ThumbnailInfo& thumbnail);

    IThumbnailsZoneMgr* m_manager = nullptr;
    ThumbnailList m_thumbnails;
    int m_scrollPos = 0;
    int m_pageHeight = 0;
    int m_contentHeight = 5;
    // The thumbnails were painted on the screen at their present sizes.
    bool m_seen = false;
    QScrollBar* m_scrollBar;
    QPixmap m_checked;
    QPixmap m_unchecked;
};
