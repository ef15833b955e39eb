#include "output/reports/ui/ReportsFrame.h"
#include "output/reports/ui/ReportsViewMgr.h"

#include "ReportsTestProject.h"
#include "foundation/UIResources.h"
#include "gridctrl/CUGHeadings.h"
#include "gridctrl/CUGRowMode.h"
#include "platform/ui/ColorRef.h"

#include <QApplication>
#include <QClipboard>
#include <QLabel>
#include <QListWidget>
#include <QTest>
#include <QWidget>

#include <gtest/gtest.h>

namespace {

// The main view as the page sees it: a parent window and an optimization
// that counts its calls and may be cancelled.
class ReportsPageTest : public ReportsProjectTest, public IReportsPageHost
{
protected:
    void SetUp() override
    {
        ReportsProjectTest::SetUp();
        m_parent.resize(900, 500);
        m_prefs.prefs->SetFlag(2036, true);
    }

    QWidget* GetPageParent() override { return &m_parent; }
    QRect GetPageRect() const override { return QRect(0, 0, 900, 500); }
    IOptimizationDoc& GetReportsDocument() override { return m_doc; }
    bool OptimizeForReports() override
    {
        ++m_optimizeCalls;
        return !m_cancel;
    }

    static QString Heading(CUGRowMode& grid, int column)
    {
        CUGCell cell;
        grid.GetCellWithDefaults(column, -1, &cell);
        return cell.GetText();
    }

    static QString Text(CUGRowMode& grid, int column, int row)
    {
        CUGCell cell;
        grid.GetCellWithDefaults(column, row, &cell);
        return cell.GetText();
    }

    QWidget m_parent;
    int m_optimizeCalls = 0;
    bool m_cancel = false;
};

TEST_F(ReportsPageTest, ANewPageShowsTheCostSummaryHeadingsAndBuildsNothing)
{
    ReportsViewMgr page(*this);
    CUGRowMode& grid = page.GetReportGrid();
    EXPECT_EQ(grid.GetColumnCount(), 5);
    EXPECT_EQ(grid.GetRowCount(), 0);
    EXPECT_EQ(Heading(grid, 0), QStringLiteral("Material Name and Size"));
    EXPECT_EQ(page.GetFrame().GetGridPane().GetCaption().text(), QStringLiteral("Cost Summary"));
    QListWidget& list = page.GetFrame().GetListPane().GetList();
    ASSERT_EQ(list.count(), 4);
    EXPECT_EQ(list.item(1)->text(), QStringLiteral("Materials Statistics"));
    EXPECT_EQ(list.item(3)->text(), QStringLiteral("Skipped Parts"));
    EXPECT_EQ(list.currentRow(), 0);
    EXPECT_EQ(m_optimizeCalls, 0);
    EXPECT_FALSE(page.HasReportRows());
}

TEST_F(ReportsPageTest, ChangesWhileHiddenRebuildOnceWhenShown)
{
    ReportsViewMgr page(*this);
    page.Show(false);
    page.OnUpdate(0x1, false);
    page.OnUpdate(0x400, false);
    EXPECT_EQ(m_optimizeCalls, 0);
    page.Show(true);
    EXPECT_EQ(m_optimizeCalls, 1);
    EXPECT_TRUE(page.HasReportRows());
    page.Show(false);
    page.Show(true); // nothing arrived meanwhile
    EXPECT_EQ(m_optimizeCalls, 1);

    // Shown: a relevant change rebuilds at once, others are ignored.
    page.OnUpdate(0x2 | 0x1000, true);
    EXPECT_EQ(m_optimizeCalls, 1);
    page.OnUpdate(0x800000, true);
    EXPECT_EQ(m_optimizeCalls, 2);
    page.Show(false);
    page.OnUpdate(0x2, false);
    page.Show(true);
    EXPECT_EQ(m_optimizeCalls, 2);
}

TEST_F(ReportsPageTest, ACancelledOptimizationLeavesTheHeadingsAndNoRows)
{
    ReportsViewMgr page(*this);
    m_cancel = true;
    page.SelectReport(kReportSkippedParts);
    CUGRowMode& grid = page.GetReportGrid();
    EXPECT_EQ(m_optimizeCalls, 1);
    EXPECT_EQ(grid.GetRowCount(), 0);
    EXPECT_EQ(Heading(grid, 0), QStringLiteral("Part #"));
    EXPECT_EQ(page.GetFrame().GetGridPane().GetCaption().text(), QStringLiteral("Skipped Parts"));
    EXPECT_EQ(page.GetFrame().GetListPane().GetList().currentRow(), kReportSkippedParts);
}

TEST_F(ReportsPageTest, GridRowsCarryBandsBoldRulesAndNotes)
{
    ReportsViewMgr page(*this);
    page.SelectReport(kReportCostSummary);
    CUGRowMode& grid = page.GetReportGrid();
    ASSERT_EQ(grid.GetRowCount(), 11);
    CUGCell cell;
    grid.GetCellWithDefaults(0, 0, &cell); // the heading of Ash
    EXPECT_EQ(cell.GetText(), QStringLiteral("Ash"));
    EXPECT_TRUE(cell.GetFont() && cell.GetFont()->bold());
    EXPECT_EQ(cell.GetParam(), 1);
    EXPECT_EQ(Text(grid, 0, 1).left(4), QStringLiteral("    ")); // a detail line is indented
    grid.GetCellWithDefaults(4, 2, &cell); // the group total's rule
    EXPECT_EQ(cell.GetBorderStyle(), 32);
    grid.GetCellWithDefaults(0, 2, &cell);
    EXPECT_EQ(cell.GetBorderStyle() & 32, 0);
    grid.GetCellWithDefaults(3, 10, &cell); // the project total's band
    EXPECT_EQ(cell.GetBackColor(), platform::MakeColorRef(226, 240, 252));
    EXPECT_EQ(Text(grid, 4, 10), QStringLiteral("$170.00"));

    page.SelectReport(kReportSkippedParts);
    grid.GetCellWithDefaults(2, 0, &cell);
    EXPECT_EQ(cell.GetCellType(), grid.GetNoteTypeIndex());
    EXPECT_EQ(cell.GetLabelText(),
              QStringLiteral("There is not enough inventory of the specified material, in the appropriate sizes for this part."));
}

TEST_F(ReportsPageTest, CopyStartsWithTheTitleLine)
{
    ReportsViewMgr page(*this);
    page.SelectReport(kReportPartsStats);
    QApplication::clipboard()->clear();
    page.CopyReportToClipboard();
    const QStringList lines = QApplication::clipboard()->text().split(QStringLiteral("\r\n"));
    ASSERT_GE(lines.size(), 3);
    EXPECT_EQ(lines[0], QStringLiteral("Parts Statistics"));
    EXPECT_TRUE(lines[1].startsWith(QStringLiteral("Material Name\tTotal Qty")));
    EXPECT_TRUE(lines[2].startsWith(QStringLiteral("Ash\t5\t2\t")));
}

TEST_F(ReportsPageTest, AbbreviatedHeadersRelabelWithoutARebuild)
{
    ReportsViewMgr page(*this);
    page.SelectReport(kReportSkippedParts);
    const int calls = m_optimizeCalls;
    const int rows = page.GetReportGrid().GetRowCount();
    m_prefs.prefs->SetFlag(2037, true);
    page.RefreshColumnHeaders();
    EXPECT_EQ(Heading(page.GetReportGrid(), 0), QStringLiteral("P#"));
    EXPECT_EQ(m_optimizeCalls, calls);
    EXPECT_EQ(page.GetReportGrid().GetRowCount(), rows);
}

TEST_F(ReportsPageTest, PictureShowsTheListTheCaptionAndTheGrid)
{
    ReportsViewMgr page(*this);
    page.SelectReport(kReportCostSummary);
    m_parent.show();
    page.Show(true);
    const QImage image = page.GetFrame().grab().toImage();
    ASSERT_FALSE(image.isNull());
    auto inkIn = [&](const QRect& area) {
        int dark = 0;
        for (int y = area.top(); y <= area.bottom(); ++y)
            for (int x = area.left(); x <= area.right(); ++x)
                dark += qGray(image.pixel(x, y)) < 128;
        return dark;
    };
    const ReportsFrame& frame = page.GetFrame();
    EXPECT_GT(inkIn(frame.GetListPane().geometry().adjusted(0, 0, 0, -400)), 20); // the report names
    const QRect caption = frame.GetGridPane().GetCaption().geometry().translated(frame.GetGridPane().pos());
    EXPECT_GT(inkIn(caption), 20);
    const QRect grid = frame.GetGridPane().geometry().adjusted(0, 40, 0, -300);
    EXPECT_GT(inkIn(grid), 100); // headings and rows
}

// The report's columns keep their fitted widths: dragging a heading edge
// changes nothing.
TEST_F(ReportsPageTest, TheMouseDoesNotSizeTheColumns)
{
    ReportsViewMgr page(*this);
    page.SelectReport(kReportCostSummary);
    m_parent.show();
    page.Show(true);
    CUGRowMode& grid = page.GetReportGrid();
    CUGTopHdg* heading = grid.GetTopHeading();
    const int before = grid.GetColumnWidth(0);
    ASSERT_GT(before, 10);
    const QPoint edge(before - 1, heading->height() / 2);
    QTest::mouseMove(heading, edge);
    EXPECT_NE(heading->cursor().shape(), Qt::SplitHCursor);
    QTest::mousePress(heading, Qt::LeftButton, {}, edge);
    QTest::mouseMove(heading, edge + QPoint(40, 0));
    QTest::mouseRelease(heading, Qt::LeftButton, {}, edge + QPoint(40, 0));
    EXPECT_EQ(grid.GetColumnWidth(0), before);
}

} // namespace
