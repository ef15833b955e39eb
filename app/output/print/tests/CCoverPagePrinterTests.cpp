#include "PrintTestSupport.h"

#include "foundation/CUserPrefs.h"
#include "model/ProjectSettings.h"
#include "output/print/CCoverPagePrinter.h"
#include "output/print/PrintPrefs.h"
#include "platform/ui/PrintControl.h"

#include <gtest/gtest.h>

#include <list>

#include <QRegularExpression>

#include <algorithm>

using platform::PrintControl;
using platform::PrintedText;

namespace {

class CoverPageTest : public ::testing::Test
{
protected:
    CoverPageTest()
    {
        m_project.SetProjectName(QStringLiteral("Kitchen cabinets"));
        SetCurrentProjectSettings(&m_project);
        SetProjectPathSource([](IDoc*) { return QStringLiteral("/home/maker/Kitchen cabinets.kwxe"); });
    }
    ~CoverPageTest() override
    {
        SetProjectPathSource(nullptr);
        SetCurrentProjectSettings(nullptr);
    }

    QString PdfPath() const { return m_prefs.Folder() + QStringLiteral("/cover.pdf"); }

    QString PrintCover()
    {
        TestPrinter printer(&m_control, [](TestPrinter& p) {
            p.GetControl().StartDoc();
            // A page before, so the cover page's own restarts the numbering.
            p.StartNewPage(false);
            p.NewPage();
            CCoverPagePrinter(p).PrintCoverPage();
            p.GetControl().EndDoc();
        });
        printer.PrintBody();
        m_control.WritePdf(PdfPath());
        return PdfPageText(PdfPath(), 2);
    }

    const PrintedText* Find(const QString& text)
    {
        // Each look-up keeps its own copy of the page's texts, so a pointer
        // from an earlier look-up stays valid beside a later one.
        const std::vector<PrintedText>& texts = m_texts.emplace_back(m_control.TextsOnPage(1));
        const auto it = std::find_if(
            texts.begin(), texts.end(), [&](const PrintedText& printed) { return printed.text == text; });
        return it == texts.end() ? nullptr : &*it;
    }

    ScopedPrintPrefs m_prefs;
    PrintControl m_control;
    ProjectSettings m_project;
    std::list<std::vector<PrintedText>> m_texts;
};

} // namespace

TEST_F(CoverPageTest, NineRowsInOrderWithTheObjectiveSentence)
{
    OptimizationSettings settings = m_project.GetOptimizationSettings();
    settings.objective = OptimizationSettings::MinimizeProRatedCost;
    settings.useOffCutsFirst = true;
    settings.useInventoryFirst = true;
    m_project.SetOptimizationSettings(settings);

    const QString text = PrintCover();
    ASSERT_EQ(m_control.PageCount(), 2);
    EXPECT_TRUE(m_control.HeaderOfPage(1).endsWith(QStringLiteral("||Cover Page: 1")));

    // Each row's first text, top to bottom.
    const char* const rows[] = { "Project Cover Page", "Project Name", "Kitchen cabinets",
        "B.O.M. Rounding Method", "Round up costs to the next whole board or sheet", "Optimization Settings",
        "Primary Objective", "Kerfwell Plus Solo", "/home/maker/Kitchen cabinets.kwxe", "Notes" };
    double above = 0.0;
    for (const char* row : rows) {
        SCOPED_TRACE(row);
        const PrintedText* printed = Find(QString::fromUtf8(row));
        ASSERT_NE(printed, nullptr);
        EXPECT_GT(printed->y, above);
        above = printed->y;
    }
    EXPECT_NEAR(Find(QStringLiteral("Layout Diagram Settings"))->y,
        Find(QStringLiteral("B.O.M. Rounding Method"))->y, 0.5);
    EXPECT_TRUE(Find(QStringLiteral("Layouts are drawn to scale")));
    const PrintedText* objective
        = Find(QStringLiteral("Minimize pro-rated cost. Use off-cuts first. Use inventory first."));
    ASSERT_NE(objective, nullptr);
    EXPECT_TRUE(objective->bold);
    EXPECT_FALSE(Find(QStringLiteral("Primary Objective"))->bold);
    // Headings: white bold text on dark grey.
    const PrintedText* heading = Find(QStringLiteral("Project Name"));
    EXPECT_TRUE(heading->bold);
    EXPECT_EQ(heading->color, 0xFFFFFFu);
    const QImage page = PdfPageImage(PdfPath(), 2);
    ASSERT_FALSE(page.isNull());
    const QRgb dark
        = page.pixel(static_cast<int>(m_control.PageLeft() / 20) + 2, static_cast<int>(heading->y / 20) - 2);
    EXPECT_NEAR(qRed(dark), 0x64, 3);

    // Without notes row 9 stays, empty, under the "Notes" heading.
    EXPECT_GT(m_control.CurrentY(), Find(QStringLiteral("Notes"))->y + 2 * m_control.LineHeight());
    EXPECT_TRUE(
        text.contains(QRegularExpression(QStringLiteral("Primary Objective\\s+Minimize pro-rated cost\\. "
                                                        "Use off-cuts first\\. Use inventory first\\."))))
        << text.toStdString();
}

TEST_F(CoverPageTest, RoundingAndScaleFollowThePreferences)
{
    m_prefs.Prefs().SetFlag(PrintPrefId::ProRateCosts, true);
    m_prefs.Prefs().SetFlag(PrintPrefId::Stretch, true);
    m_project.SetNotes(QStringLiteral("Paint grade maple"));
    OptimizationSettings settings = m_project.GetOptimizationSettings();
    settings.objective = OptimizationSettings::MinimizeWaste;
    m_project.SetOptimizationSettings(settings);
    const QString text = PrintCover();
    // The long rounding text wraps in its cell.
    EXPECT_TRUE(text.contains(QStringLiteral("Pro-rate costs based on the actual usage")))
        << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("fractional boards and sheets)")));
    EXPECT_TRUE(text.contains(QStringLiteral("Narrow layouts are stretched to show detail")));
    EXPECT_TRUE(text.contains(QStringLiteral("Minimize Waste.")));
    EXPECT_GT(Find(QStringLiteral("Paint grade maple"))->y, Find(QStringLiteral("Notes"))->y);
}
