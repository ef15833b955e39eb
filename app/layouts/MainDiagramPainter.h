#pragma once
// The painter of the interactive diagram: the thumbnail's tools plus a
// two-line header band at the bottom, part labels, drag feedback, outer
// dimensions and a 10-unit margin.

#include "layouts/ThumbnailLayoutPainter.h"

class MainDiagramPainter : public ThumbnailLayoutPainter
{
public:
    explicit MainDiagramPainter(std::shared_ptr<IDeviceDriver> driver);

    // The smallest sheet rectangle drawn, however small the window.
    static constexpr int kMinDiagramSize = 10;

    // The header band's height, reused by the printed layouts.
    int HeaderBandHeight() { return GetHeaderBandHeight(); }
    void DrawMainPartLabel(
        const QString& text, const platform::Rect& labelRect, bool patterned, const platform::Rect& partRect)
    {
        DrawPartLabel(text, labelRect, patterned, partRect);
    }

protected:
    int GetOuterDimensionMargin() override;
    platform::Rect GetDiagramRect() override;
    void DrawHeader() override;
    int GetHeaderTextHeight() override;
    int GetHeaderGap() override;
    void DrawHeaderItem(const platform::Rect& rect, const HeaderItem& item) override;
    void AdjustSecondHeaderLine(platform::Rect& rect) override;
    void AdjustFirstHeaderLine(platform::Rect& rect) override;
    void BuildHeaderLines() override;
    int MeasureHeaderItem(const HeaderItem& item) override;
    int GetHeaderBandHeight() override;
    void AdjustBodyRect(platform::Rect& rect) override;
    void OnPartPlaced(const platform::Rect& rect, DrawnPart& part) override;
    bool ShowsDragFeedback() override { return true; }
    int GetPartOutlineWidth() override { return 4; }
    int GetDimensionOffset() override { return 15; }
    int GetDimensionTick() override { return 6; }
    bool ShowsPartLabels() override { return true; }
    void DrawPartLabel(const QString& text, const platform::Rect& labelRect, bool patterned,
        const platform::Rect& partRect) override;
    void DrawUnfittedLabel(const QString& text, const platform::Rect& partRect, bool vertical) override;
    void DrawBadges(const platform::Rect& rect) override;

private:
    void SelectItemFont(const HeaderItem& item);
};
