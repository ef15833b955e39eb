// A small project laid out by the optimizer library, painted as the main
// diagram and as a thumbnail into images.
#include "DiagramFixture.h"
#include "foundation/UIResources.h"
#include "layouts/CDCScreenDriver.h"
#include "layouts/MainDiagramPainter.h"
#include "layouts/ThumbnailLayoutPainter.h"
#include "optimization/PinnedUsage.h"
#include "platform/ui/ColorRef.h"

#include <nestcore/IParallelOptFactory.h>
#include <nestcore/IParallelOptimizer.h>
#include <nestcore/ITopLevelLayout.h>
#include <nestcore/OptFactoryArgs.h>
#include <nestcore/PlacedPart.h>

#include <QFontInfo>

#include <gtest/gtest.h>

#include <map>

namespace {

using namespace optimization;
using platform::Rect;

constexpr double kTrim = 0.5;
constexpr platform::ColorRef kWasteColor = 0x80FFFF; // light yellow
constexpr int kShowGrain = 2093;
constexpr int kScreenWasteColor = 3011;

// Lays the fixture's parts out on 48 x 96 in sheets with the real optimizer
// and shows the first sheet. The job pipeline that turns results into
// diagrams is not built yet, so the diagram is made through the results
// model from the placed parts; the optimizer counts from the trimmed
// corner, the diagram from the rough one.
struct OptimizedProject
{
    DiagramFixture f;
    std::vector<std::unique_ptr<CMilledPart>> own;
    PinnedUsage pinned;
    DisplayDiagramPtr display;

    OptimizedProject()
    {
        f.prefs.prefs->SetFlag(kShowGrain, false);
        f.prefs.prefs->SetInt(kScreenWasteColor, static_cast<int>(kWasteColor));
        struct Line
        {
            int number;
            double width, length;
            std::uint32_t copies;
        };
        const Line lines[] = { { 1, 20, 30, 2 }, { 2, 10, 40, 3 }, { 3, 15, 15, 2 } };

        OptFactoryArgs args;
        const OptDim kerf = OptDim::FromInches(0.125);
        args.rules = CuttingRules(
            kerf, static_cast<FirstCutSpecification>(0), false, OptDim::Zero, static_cast<GeometryStyle>(0));
        CanvasDescriptorArgs c;
        c.roughWidth = OptDim::FromInches(48);
        c.roughLength = OptDim::FromInches(96);
        c.tbTrim = c.lrTrim = OptDim::FromInches(kTrim);
        c.trimmedWidth = OptDim::FromInches(48 - 2 * kTrim);
        c.trimmedLength = OptDim::FromInches(96 - 2 * kTrim);
        c.fullStockCost = 50.0;
        InitialInventory inventory;
        inventory.unlimited = true;
        args.stocks.push_back(
            std::make_shared<StockProxy>(nullptr, nullptr, CanvasDescriptor(c), inventory, args.rules));
        std::map<const PartProxy*, CMilledPart*> partOf;
        for (const Line& line : lines) {
            own.push_back(MakePart(line.number, line.width, line.length, line.copies, f.material));
            PartDescriptor d;
            d.partNumber = line.number;
            d.copies = line.copies;
            d.width = OptDim::FromInches(line.width);
            d.length = OptDim::FromInches(line.length);
            d.areaCounts = static_cast<std::int64_t>(d.width.ToEncodedInt()) * d.length.ToEncodedInt();
            d.orientation = 0;
            d.area = line.width * line.length;
            d.paddedArea = (line.width + 0.125) * (line.length + 0.125);
            d.furtherLength = d.width;
            args.parts.push_back(std::make_shared<PartProxy>(own.back().get(), d));
            partOf[args.parts.back().get()] = own.back().get();
        }
        args.target = OptTargetProxy(nullptr, 1, false);

        std::unique_ptr<IParallelOptimizer> optimizer(IParallelOptFactory::CreateOptimizer(&args));
        if (!optimizer || !optimizer->Run())
            return;
        std::vector<ITopLevelLayout*> layouts;
        optimizer->GetLayouts(layouts);
        if (layouts.empty())
            return;
        const std::int32_t trim = CDimension::FromInches(kTrim).GetUnits();
        for (const PlacedPart* placed : layouts.front()->GetPlacedParts()) {
            const OptRect& r = placed->GetRect();
            f.drawn.push_back(std::make_shared<DrawnPart>(partOf.at(placed->GetPartProxy()),
                placed->IsRotated(), Rect(r.left, r.top, r.right, r.bottom).Offsetted(trim, trim)));
        }
        auto row = AddRow(*f.material, 0.75, 48, 96, kTrim, kTrim);
        StackPtr stack = MakeStack(StockSpec { f.material, row }, f.drawn, 1);
        stack->Pin(pinned);
        display = stack->MakeDisplayDiagram(0);
    }

    // The first part after the first that is of another part: the selection.
    DrawnPartPtr OtherThan(const DrawnPartPtr& first) const
    {
        for (const DrawnPartPtr& d : f.drawn)
            if (d->GetPart() != first->GetPart())
                return d;
        return nullptr;
    }
};

QColor Pixel(const QImage& image, int x, int y)
{
    return QColor(image.pixel(x, y));
}

int CountColor(const QImage& image, const QColor& color)
{
    int n = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            n += Pixel(image, x, y) == color;
    return n;
}

bool CoveredByPart(const DrawnPartList& parts, int x, int y)
{
    for (const DrawnPartPtr& d : parts) {
        Rect r = d->GetScreenRect();
        r.Inflate(2, 2);
        if (r.Contains(x, y))
            return true;
    }
    return false;
}

TEST(DiagramPictureTest, MainDiagramOfAnOptimizedSheetShowsEveryColourBadgeAndLabelFonts)
{
    OptimizedProject project;
    ASSERT_TRUE(project.display) << "the optimizer laid nothing out";
    const DrawnPartList& parts = project.f.drawn;
    ASSERT_GE(parts.size(), 3u);
    const DrawnPartPtr dragged = parts.front();
    const DrawnPartPtr selected = project.OtherThan(dragged);
    ASSERT_TRUE(selected);

    QImage image(800, 500, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::white);
    QPainter dc(&image);
    MainDiagramPainter painter(std::make_shared<CDCScreenDriver>(&dc));
    painter.SetHighlight({ selected->GetPart(), selected->IsRotated(), {}, false }, false);
    painter.Paint(project.display, Rect(0, 0, 800, 500), { 0, 1, 1, 0 }, true);
    // Drag feedback for the first part, painted again over the finished picture.
    painter.SetHighlight({ dragged->GetPart(), dragged->IsRotated(), dragged->GetSheetRect(), true }, false);
    painter.Paint(project.display, Rect(0, 0, 800, 500), { 0, 1, 1, 0 }, true);
    dc.end();
    if (qEnvironmentVariableIsSet("KWL_SAVE_PICTURES"))
        image.save(QStringLiteral("/tmp/main_diagram.png"));

    auto inside = [&](const DrawnPartPtr& d) {
        const Rect r = d->GetScreenRect();
        return Pixel(image, r.left + 3, r.bottom - 3);
    };
    EXPECT_EQ(inside(dragged), platform::ToQColor(ThumbnailLayoutPainter::kDraggedPartColor));
    for (const DrawnPartPtr& d : parts) {
        if (d == dragged)
            continue;
        EXPECT_EQ(inside(d), platform::ToQColor(d->GetPart() == dragged->GetPart() ? 0xCAFFFF : 0xFEDCD3))
            << "part " << d->GetPart()->GetID().FormatPartID().toStdString();
    }
    // The highlight of the first pass showed the other part selected.
    EXPECT_GT(CountColor(image, platform::ToQColor(0xCAFFFF)), 0);

    const Rect inner = painter.GetInnerRect();
    EXPECT_EQ(Pixel(image, inner.left + 1, (inner.top + inner.bottom) / 2),
        platform::ToQColor(ThumbnailLayoutPainter::kTrimColor));
    bool wasteFound = false;
    for (int y = inner.top + 10; y < inner.bottom - 10 && !wasteFound; y += 3)
        for (int x = inner.left + 10; x < inner.right - 10 && !wasteFound; x += 3)
            if (!CoveredByPart(parts, x, y)) {
                EXPECT_EQ(Pixel(image, x, y), platform::ToQColor(kWasteColor)) << x << "," << y;
                wasteFound = true;
            }
    EXPECT_TRUE(wasteFound);
    // The pin badge's red head at the inner rectangle's bottom right.
    EXPECT_EQ(Pixel(image, inner.right - 16 + 7, inner.bottom - 16 + 5), QColor(0xD0, 0x20, 0x20));
    // Header and labels were written (dark glyph pixels below the sheet).
    int ink = 0;
    for (int y = painter.GetHeaderRect().top; y < 500; ++y)
        for (int x = 100; x < 800; ++x)
            ink += qGray(image.pixel(x, y)) < 80;
    EXPECT_GT(ink, 50);

    const std::shared_ptr<UIResources> fonts = GetUIResources();
    for (const QFont* font :
        { &fonts->GetDiagramFont(), &fonts->GetSmallPartsFont(), &fonts->GetDiagramStatsFont() }) {
        const QFontInfo info(*font);
        EXPECT_EQ(info.family(), QStringLiteral("DejaVu Sans"));
    }
    EXPECT_NEAR(QFontInfo(fonts->GetDiagramFont()).pointSizeF(), 8.0, 0.5);
}

TEST(DiagramPictureTest, ThumbnailOfTheSameSheetShowsItsColoursCaptionAndBadge)
{
    OptimizedProject project;
    ASSERT_TRUE(project.display);
    const DrawnPartPtr dragged = project.f.drawn.front();

    QImage image(240, 130, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::white);
    QPainter dc(&image);
    ThumbnailLayoutPainter painter(std::make_shared<CDCScreenDriver>(&dc), true);
    painter.SetHighlight({ dragged->GetPart(), dragged->IsRotated(), dragged->GetSheetRect(), true }, false);
    painter.Paint(project.display, Rect(0, 0, 240, 130), { 7, 7, 0, 0 }, true);
    dc.end();
    if (qEnvironmentVariableIsSet("KWL_SAVE_PICTURES"))
        image.save(QStringLiteral("/tmp/thumbnail.png"));

    EXPECT_EQ(Pixel(image, 0, 65), platform::ToQColor(ThumbnailLayoutPainter::kCurrentOutlineColor));
    for (platform::ColorRef color :
        { ThumbnailLayoutPainter::kDraggedPartColor, platform::ColorRef { 0xCAFFFF },
            platform::ColorRef { 0xFEDCD3 }, ThumbnailLayoutPainter::kTrimColor, kWasteColor })
        EXPECT_GT(CountColor(image, platform::ToQColor(color)), 20) << std::hex << color;
    EXPECT_EQ(Pixel(image, 238 - 16 + 7, 128 - 16 + 5), QColor(0xD0, 0x20, 0x20));
    // The caption "7" at the bottom left: dark glyph pixels.
    int ink = 0;
    for (int y = 100; y < 128; ++y)
        for (int x = 2; x < 30; ++x)
            ink += qGray(image.pixel(x, y)) < 80;
    EXPECT_GT(ink, 5);
}

} // namespace
