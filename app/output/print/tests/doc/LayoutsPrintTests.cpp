#include "DocPrintFixture.h"

#include "optimization/Diagram.h"
#include "optimization/StackOrders.h"
#include "output/print/LayoutsPrintJob.h"
#include "output/print/PrintedLayoutPainter.h"

#include <QImage>

#include <cmath>

using namespace doc_print_test;
using platform::PrintedText;
using platform::Rect;

namespace {

constexpr int kHideLayoutDupes = 2034;
constexpr int kShowGrain = 2093;
constexpr int kShowOuterDims = 2125;
constexpr int kPrintedPartColor = 3009;
constexpr int kPrintedPartPattern = 3010;
constexpr int kPrintedWasteColor = 3013;
constexpr int kPrintedWastePattern = 3014;

// Captions of the printed diagrams on a page ("[A1] Ash: ...").
std::vector<PrintedText> Captions(const PrintControl& control, int page)
{
    std::vector<PrintedText> captions;
    for (const PrintedText& text : control.TextsOnPage(page))
        if (text.text.startsWith(QLatin1Char('[')))
            captions.push_back(text);
    return captions;
}

class LayoutsPrintTest : public DocPrinterTest
{
protected:
    // Five diagrams once identical sheets are shown one by one: Ash gets a
    // second sheet beside the fixture's two Oak targets (one of two sheets).
    void FiveDiagrams()
    {
        m_printPrefs->Prefs().SetFlag(kHideLayoutDupes, false);
        const OptimizationTargetPtr ash = TargetOf(m_blocks);
        Optimized(ash, { StackFor(ash, { m_blocks, m_blocks }, 1), StackFor(ash, { m_blocks }, 1) });
    }

    StackList AllStacks() const
    {
        StackList stacks;
        m_bom->GetAllDiagrams(stacks);
        SortStacksFully(stacks);
        return stacks;
    }

    int CountCaptions(const QString& material) const
    {
        int count = 0;
        for (int page = 0; page < m_control.PageCount(); ++page)
            for (const PrintedText& caption : Captions(m_control, page))
                count += caption.text.contains(material) ? 1 : 0;
        return count;
    }
};

QRect BoundsOf(const QImage& image, const std::function<bool(QRgb)>& match)
{
    QRect bounds;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (match(image.pixel(x, y)))
                bounds |= QRect(x, y, 1, 1);
    return bounds;
}

} // namespace

TEST(LayoutsPrintJobTest, PageRegionsByArrangement)
{
    const Rect page(1000, 2000, 11000, 14000);
    struct Case
    {
        int arrangement;
        std::vector<Rect> regions;
    };
    const Case cases[] = {
        { 0, { page } },
        { 1, { Rect(1000, 2000, 11000, 7640), Rect(1000, 8360, 11000, 14000) } },
        { 2,
            { Rect(1000, 2000, 6000, 8000), Rect(1000, 8000, 6000, 14000), Rect(6000, 2000, 11000, 8000),
                Rect(6000, 8000, 11000, 14000) } },
        { 3,
            { Rect(1000, 2000, 11000, 5000), Rect(1000, 5000, 11000, 8000), Rect(1000, 8000, 11000, 11000),
                Rect(1000, 11000, 11000, 14000) } },
        { 7, { page } },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.arrangement);
        EXPECT_EQ(LayoutsPrintJob::PageRegions(page, c.arrangement), c.regions);
    }
    // Quarter bands end on a multiple of four.
    EXPECT_EQ(LayoutsPrintJob::PageRegions(Rect(0, 0, 100, 4003), 3).back(), Rect(0, 3000, 100, 4000));
}

TEST_F(LayoutsPrintTest, ThePainterDrawsADiagramIntoTheRegionItIsGiven)
{
    m_printPrefs->Prefs().SetFlag(kShowGrain, false);
    m_printPrefs->Prefs().SetFlag(kShowOuterDims, false);
    m_printPrefs->Prefs().SetInt(kPrintedWasteColor, 0x0000FF); // red
    m_printPrefs->Prefs().SetInt(kPrintedWastePattern, 65535);
    m_printPrefs->Prefs().SetInt(kPrintedPartColor, 0xFF0000); // blue
    m_printPrefs->Prefs().SetInt(kPrintedPartPattern, 65535);
    DisplayDiagramPtr ash;
    for (const StackPtr& stack : AllStacks())
        if (stack->GetStockSpec().GetMaterialName() == QStringLiteral("Ash"))
            ash = stack->MakeDisplayDiagram(0);
    ASSERT_TRUE(ash);

    // A square region and a wide, low one, on two pages.
    const Rect regions[] = { Rect(1440, 1440, 7200, 7200), Rect(1440, 8640, 12960, 12960) };
    TestPrinter printer(&m_control, [&](TestPrinter& p) {
        m_control.StartDoc();
        PrintedLayoutPainter painter(p);
        for (const Rect& region : regions) {
            p.StartNewPage(false);
            painter.Paint(ash, region, { 0, 1, 1, 0 }, false);
        }
        m_control.EndDoc();
    });
    printer.PrintBody();
    m_control.WritePdf(PdfPath());
    ASSERT_EQ(m_control.PageCount(), 2);

    const auto red = [](QRgb c) { return qRed(c) > 200 && qGreen(c) < 80 && qBlue(c) < 80; };
    const auto blue = [](QRgb c) { return qBlue(c) > 200 && qRed(c) < 80 && qGreen(c) < 80; };
    QSize sheets[2];
    for (int page = 0; page < 2; ++page) {
        SCOPED_TRACE(page);
        const QImage image = PdfPageImage(PdfPath(), page + 1);
        ASSERT_FALSE(image.isNull());
        // One pixel is 20 twips.
        const Rect& r = regions[page];
        const QRect region(r.left / 20, r.top / 20, r.Width() / 20, r.Height() / 20);
        const QRect waste = BoundsOf(image, red);
        const QRect parts = BoundsOf(image, blue);
        ASSERT_FALSE(waste.isEmpty());
        ASSERT_FALSE(parts.isEmpty());
        EXPECT_TRUE(region.contains(waste))
            << waste.x() << "," << waste.y() << " " << waste.width() << "x" << waste.height();
        EXPECT_TRUE(waste.contains(parts));
        // The 96 x 48 sheet keeps its proportions.
        EXPECT_NEAR(static_cast<double>(waste.width()) / waste.height(), 2.0, 0.1);
        sheets[page] = waste.size();
        // The header lines lie below the sheet, inside the region.
        const std::vector<PrintedText> texts = m_control.TextsOnPage(page);
        const auto kerf = std::find_if(texts.begin(), texts.end(),
            [](const PrintedText& t) { return t.text.startsWith(QStringLiteral("Kerf:")); });
        ASSERT_NE(kerf, texts.end());
        EXPECT_GT(kerf->y / 20, waste.bottom());
        EXPECT_LT(kerf->y, r.bottom);
        EXPECT_FLOAT_EQ(kerf->points, 10.0F);
    }
    // The square region is limited by its width, the low one by its height.
    EXPECT_GT(sheets[0].width(), (regions[0].Width() / 20) * 7 / 10);
    EXPECT_LT(sheets[1].width(), (regions[1].Width() / 20) * 7 / 10);
    EXPECT_NE(sheets[0], sheets[1]);
}

class ArrangementTest : public LayoutsPrintTest, public ::testing::WithParamInterface<int>
{
};

TEST_P(ArrangementTest, DiagramsFillThePlacesOfTheArrangement)
{
    const int arrangement = GetParam();
    const int pagesFor[] = { 5, 3, 2, 2 };
    FiveDiagrams();
    SetSettings(2, PrintSettings::Layouts, false, arrangement);
    Print();
    ASSERT_EQ(m_control.PageCount(), pagesFor[arrangement]);
    EXPECT_EQ(CountCaptions(QStringLiteral("Ash")) + CountCaptions(QStringLiteral("Oak")), 5);
    for (int page = 0; page < m_control.PageCount(); ++page)
        EXPECT_EQ(Headers()[page], QStringLiteral("Layouts: %1").arg(page + 1));
    if (arrangement != 2)
        return;
    // 2x2: the fifth diagram alone on the second page, top left; compact headers.
    const std::vector<PrintedText> second = Captions(m_control, 1);
    ASSERT_EQ(second.size(), 1u);
    m_control.UpdateLayout();
    EXPECT_LT(second[0].x, (m_control.PageLeft() + m_control.PageRight()) / 2);
    EXPECT_LT(second[0].y, (m_control.PageTop() + m_control.PageBottom()) / 2);
    EXPECT_FLOAT_EQ(second[0].points, 6.0F);
    EXPECT_EQ(Captions(m_control, 0).size(), 4u);
}

INSTANTIATE_TEST_SUITE_P(Arrangements, ArrangementTest, ::testing::Values(0, 1, 2, 3));

TEST_F(LayoutsPrintTest, WithTheTakeOffListOnItsPageEachDiagramIsFollowedByItsList)
{
    FiveDiagrams();
    SetSettings(2, PrintSettings::Layouts, true, 2);
    Print();
    ASSERT_EQ(m_control.PageCount(), 5);
    for (int page = 0; page < 5; ++page) {
        SCOPED_TRACE(page);
        EXPECT_EQ(Headers()[page], QStringLiteral("Layouts: %1").arg(page + 1));
        const std::vector<PrintedText> captions = Captions(m_control, page);
        ASSERT_EQ(captions.size(), 1u);
        EXPECT_FLOAT_EQ(captions[0].points, 10.0F);
        const std::vector<PrintedText> texts = m_control.TextsOnPage(page);
        const auto heading = std::find_if(texts.begin(), texts.end(),
            [](const PrintedText& t) { return t.text == QStringLiteral("Copies in Layout"); });
        ASSERT_NE(heading, texts.end());
        EXPECT_GT(heading->y, captions[0].y);
    }
}

TEST_F(LayoutsPrintTest, DiagramsWithInterleavedStockValuesPrintOnceEach)
{
    FiveDiagrams();
    int value = 0;
    int firstGroup = 0;
    for (const StackPtr& stack : AllStacks()) {
        stack->GetDiagram()->GetStockSpecForEdit().matType = value;
        firstGroup += value == 0 ? static_cast<int>(stack->GetCount()) : 0;
        value = 1 - value;
    }
    ASSERT_GT(firstGroup, 0);
    ASSERT_LT(firstGroup, 5);
    PrintSettings settings = m_printPrefs->Prefs().GetPrintSettings();
    settings.tenthWord = 2;
    m_printPrefs->Prefs().SetPrintSettings(settings);
    SetSettings(2, PrintSettings::Layouts, false, 0);
    Print();
    EXPECT_EQ(CountCaptions(QStringLiteral("Ash")), 2);
    EXPECT_EQ(CountCaptions(QStringLiteral("Oak")), 3);
    // Value 0 one to a page, then value 1 four to a page on the next page.
    EXPECT_EQ(m_control.PageCount(), firstGroup + 1);
    EXPECT_EQ(
        Captions(m_control, m_control.PageCount() - 1).size(), static_cast<std::size_t>(5 - firstGroup));
}

TEST_F(LayoutsPrintTest, QuickPrintingPrintsTheCheckedDiagramsOfTheLayoutsPageOnly)
{
    FiveDiagrams();
    SetSettings(2, PrintSettings::Layouts, false, 0);
    Print();
    std::vector<QString> every;
    for (int page = 0; page < m_control.PageCount(); ++page)
        for (const PrintedText& caption : Captions(m_control, page))
            every.push_back(caption.text.section(QLatin1Char(':'), 0, 0));
    ASSERT_EQ(every.size(), 5u);

    DisplayDiagramList shown;
    ExpandStacks(AllStacks(), true, shown);
    ASSERT_EQ(shown.size(), 5u);
    m_checkedDiagrams = { shown[3], shown[0] };
    PrintSettings settings = m_printPrefs->Prefs().GetPrintSettings();
    settings.SetCurrentLayoutsOnly();
    m_printPrefs->Prefs().SetPrintSettings(settings);
    Print();
    // One to a page, in the order the page shows them; each is the first of
    // its material printed, so its label ends in 1.
    ASSERT_EQ(m_control.PageCount(), 2);
    for (int page = 0; page < 2; ++page) {
        SCOPED_TRACE(page);
        const std::vector<PrintedText> captions = Captions(m_control, page);
        ASSERT_EQ(captions.size(), 1u);
        const QString& expected = every[page == 0 ? 3 : 0];
        EXPECT_EQ(captions[0].text.section(QLatin1Char(':'), 0, 0),
            expected.left(2) + QStringLiteral("1") + expected.mid(3));
    }
    EXPECT_EQ(Headers(), QStringList({ QStringLiteral("Layouts: 1"), QStringLiteral("Layouts: 2") }));

    // Nothing checked: no layouts at all.
    m_checkedDiagrams.clear();
    Print();
    for (int page = 0; page < m_control.PageCount(); ++page)
        EXPECT_TRUE(Captions(m_control, page).empty());
}

TEST_F(LayoutsPrintTest, AProjectWithoutResultsPrintsNeitherSection)
{
    m_doc.manager = std::make_shared<BOMOptMgr>();
    SetSettings(2, PrintSettings::Layouts | PrintSettings::TakeOffLists, false, 1);
    Print();
    EXPECT_FALSE(m_cancelled);
    for (int page = 0; page < m_control.PageCount(); ++page) {
        EXPECT_TRUE(m_control.TextsOnPage(page).empty());
        EXPECT_TRUE(Headers()[page].isEmpty());
    }
}

TEST_F(LayoutsPrintTest, ATakeOffListStartsANewPageWhenFewerThanFourLinesAreLeft)
{
    FiveDiagrams();
    SetSettings(2, PrintSettings::TakeOffLists, false, 1);
    // All five lists on one long page: where the third one's closing blank
    // line ends and what the fourth diagram's header begins with.
    Print();
    ASSERT_EQ(m_control.PageCount(), 1);
    std::vector<PrintedText> blanks;
    for (const PrintedText& text : m_control.TextsOnPage(0))
        if (text.text.trimmed().isEmpty())
            blanks.push_back(text);
    ASSERT_EQ(blanks.size(), 5u);
    const std::vector<PrintedText> captions = Captions(m_control, 0);
    ASSERT_EQ(captions.size(), 5u);
    const QString fourth = captions[3].text.section(QLatin1Char(']'), 0, 0) + QLatin1Char(']');
    const double belowBaseline = m_control.CurrentY() - blanks.back().y;
    ASSERT_GT(belowBaseline, 0.0);
    m_control.SetFontName(blanks.back().fontName);
    m_control.SetFontSize(blanks.back().points);
    m_control.SetFontBold(blanks.back().bold);
    const double fourLines = 4 * std::trunc(m_control.TextHeight(QStringLiteral("X")));
    const double afterThird = blanks[2].y + belowBaseline;
    m_control.UpdateLayout();
    const double longBottom = m_control.PageBottom();
    const double bottomMargin = m_control.MarginBottom();

    // The page ends a little short of, or a little past, four lines below
    // the third list; either way its first header line would fit.
    ASSERT_GT(fourLines - 60, captions[3].y - blanks[2].y + 100);
    for (const double left : { fourLines - 60, fourLines + 60 }) {
        SCOPED_TRACE(left);
        m_control.SetMarginBottom(bottomMargin + longBottom - (afterThird + left));
        Print();
        ASSERT_GE(m_control.PageCount(), 2);
        const QString first = PdfPageText(PdfPath(), 1);
        const QString second = PdfPageText(PdfPath(), 2);
        if (left < fourLines) {
            // A new page, its header lines and its table together on it.
            EXPECT_FALSE(first.contains(fourth)) << first.toStdString();
            ASSERT_TRUE(second.contains(fourth)) << second.toStdString();
            const QString block = second.mid(second.indexOf(fourth));
            EXPECT_TRUE(block.contains(QStringLiteral("Kerf:")));
            EXPECT_TRUE(block.contains(QStringLiteral("Part #")));
            EXPECT_EQ(Captions(m_control, 1).front().text, captions[3].text);
        } else {
            EXPECT_TRUE(first.contains(fourth)) << first.toStdString();
        }
        // The page number goes on within the section.
        EXPECT_EQ(Headers()[1], QStringLiteral("Take-Off Lists: 2"));
    }
}
