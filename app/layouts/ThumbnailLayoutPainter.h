#pragma once
// The painter of one thumbnail: sheet, waste, trims, parts without labels,
// the caption with the diagram's number and the pin badge. The main
// diagram's painter builds on it.

#include "layouts/LayoutPainterStrategy.h"

#include <QBrush>
#include <QPen>

#include <memory>

class ThumbnailLayoutPainter : public LayoutPainterStrategy
{
public:
    // isCurrent: the diagram the main view shows; outlined in crimson.
    ThumbnailLayoutPainter(std::shared_ptr<IDeviceDriver> driver, bool isCurrent);

    // Fill of the parts by class (0x00BBGGRR); refused drops are light red.
    static constexpr unsigned kDraggedPartColor = 0x99C99B;
    static constexpr unsigned kRefusedPartColor = 0x8C8CFF;
    static constexpr unsigned kTrimColor = 0xF6E9D6;
    static constexpr unsigned kCurrentOutlineColor = 0x3300CC;
    static constexpr unsigned kSeveralCopiesCaptionColor = 0x06A223;

    const QBrush& GetWasteBrush() const { return m_wasteBrush; }
    const QBrush& GetGrainHatchAcross() const { return m_grainHatchAcross; }
    const QBrush& GetGrainHatchAlong() const { return m_grainHatchAlong; }
    int WasteBrushKind() { return GetWasteBrushKind(); }

protected:
    IDeviceDriver* GetDriver() override { return m_driver.get(); }
    void CreateDrawingTools() override;
    bool IsTooSmall(const platform::Rect& area) override;
    platform::Rect GetDiagramRect() override;
    void DrawHeader() override { }
    int GetHeaderTextHeight() override { return 0; }
    int GetHeaderGap() override { return 0; }
    void DrawHeaderItem(const platform::Rect&, const HeaderItem&) override { }
    void BuildHeaderLines() override { }
    int MeasureHeaderItem(const HeaderItem&) override { return 0; }
    int GetHeaderBandHeight() override { return 0; }
    int GetBorderWidth() override { return 2; }
    void DrawBackground(const platform::Rect& rect) override;
    void DrawTrims(const platform::Rect& rect, int trimX, int trimY) override;
    void FillPart(const platform::Rect& rect, int kind) override;
    bool ShowsDragFeedback() override { return m_isCurrent; }
    int GetPartOutlineWidth() override { return 0; }
    int GetDimensionOffset() override { return 0; }
    int GetDimensionTick() override { return 0; }
    int GetLabelMargin() override { return 1; }
    bool ShowsPartLabels() override { return false; }
    void DrawPartLabel(const QString&, const platform::Rect&, bool, const platform::Rect&) override { }
    void DrawUnfittedLabel(const QString&, const platform::Rect&, bool) override { }
    void DrawBadges(const platform::Rect& rect) override;
    int GetWasteBrushKind() override;

    void DrawCaption();
    void DrawPinBadge(const platform::Rect& rect);
    QPainter* DC() { return m_driver->GetDeviceContext(); }

private:
    std::shared_ptr<IDeviceDriver> m_driver;
    bool m_isCurrent;
    QPen m_outlinePen;
    QBrush m_wasteBrush;
    QBrush m_grainHatchAcross;
    QBrush m_grainHatchAlong;
    QBrush m_whiteBrush;
};
