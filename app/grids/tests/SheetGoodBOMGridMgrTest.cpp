#include "OptimizationTestSupport.h"

#include "gridctrl/CUGGrid.h"
#include "gridctrl/CUGRowMode.h"
#include "grids/GridTextAccess.h"
#include "grids/SheetGoodBOMGridMgr.h"
#include "model/CPricingScheme.h"
#include "optimization/SGBOMLineItem.h"
#include "optimization/TopLevelBOM.h"

#include <gtest/gtest.h>

#include <QFontInfo>
#include <QImage>
#include <QLocale>

namespace {

// A small optimized project: the lines of a bill with their cut sheets.
class BOMGridTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
        m_prefs.prefs->SetInt(PrefId::DimensionAlignment, 34);
        m_grid.CreateGrid(0, platform::Rect(0, 0, 900, 200), nullptr, 1);
        m_font.setFamily(QStringLiteral("DejaVu Sans"));
        m_font.setPixelSize(12);
    }
    void TearDown() override { QLocale::setDefault(QLocale::c()); }

    // A material bill with one line per row width, each cut into `sheets` sheets.
    std::shared_ptr<NamedSheetGoodBOM> Bill(const QString& name, std::vector<double> widths, std::uint32_t sheets)
    {
        auto material = MakeSheetGood(name);
        auto bill = std::make_shared<NamedSheetGoodBOM>(material);
        for (double width : widths) {
            auto row = AddRow(*material, 0.75, width, 96);
            const CMoney cost = CMoney::FromReal(40.0);
            row->SetUnitCost(&cost);
            row->SetBin(QStringLiteral("B") + QString::number(width));
            m_parts.push_back(MakePart(static_cast<int>(m_parts.size()) + 1, width / 2, 48, 2 * sheets, material));
            CMilledPart* part = m_parts.back().get();
            auto line = std::make_shared<SGBOMLineItem>(row);
            line->AddLayout(MakeStack({material, row, 0}, {Drawn(part, 0, 0, 48, width / 2), Drawn(part, 48, 0, 48, width / 2)},
                                      sheets));
            bill->AddLineItems({line});
        }
        return bill;
    }

    QStringList Column(int dataColumn)
    {
        QStringList texts;
        const int column = m_grid.FindColumnForSourceColumn(dataColumn);
        for (int row = 0; row < m_grid.GetRowCount(); ++row) {
            CUGCell cell;
            m_grid.GetCellWithDefaults(column, row, &cell);
            texts << (cell.IsPropertySet(CUGCell::kLabel) ? cell.GetLabelText() : cell.GetText());
        }
        return texts;
    }

    ScopedFakePrefs m_prefs;
    CUGRowMode m_grid;
    QFont m_font;
    std::vector<std::unique_ptr<CMilledPart>> m_parts;
};

} // namespace

TEST_F(BOMGridTest, ABillWithoutLinesShowsTheTwelveHeadings)
{
    auto bom = std::make_shared<SheetGoodsBOM>();
    bom->AddMaterialBOM(std::make_shared<NamedSheetGoodBOM>(MakeSheetGood(QStringLiteral("Empty"))));
    SheetGoodBOMGridMgr manager(m_grid, bom);
    manager.Setup(&m_font);
    manager.Refill();
    EXPECT_EQ(m_grid.GetColumnCount(), 12);
    EXPECT_EQ(m_grid.GetRowCount(), 0);
    QStringList headings;
    for (int c = 0; c < 12; ++c)
        headings << m_grid.GetCellText(c, -1);
    EXPECT_EQ(headings, (QStringList{"Material Name", "Thick", "Width", "Length", "Unit Cost", "Units", "Quantity",
                                     "From Inv.", "To Buy", "Total Cost", "Vendor", "Bin"}));
    EXPECT_TRUE(m_grid.IsReadOnly());
    EXPECT_EQ(m_grid.GetSortColumn(), 0);
    CUGCell cell;
    m_grid.GetCellWithDefaults(2, 0, &cell);
    EXPECT_EQ(cell.GetAlignment(), 34);
}

TEST_F(BOMGridTest, EmptyBillsAreSkippedAndARefillKeepsTheSort)
{
    auto bom = std::make_shared<SheetGoodsBOM>();
    bom->AddMaterialBOM(Bill(QStringLiteral("Birch"), {24}, 3));
    bom->AddMaterialBOM(Bill(QStringLiteral("Cherry"), {}, 0));
    bom->AddMaterialBOM(Bill(QStringLiteral("Alder"), {30, 20}, 1));
    SheetGoodBOMGridMgr manager(m_grid, bom);
    manager.Setup(&m_font);
    manager.Refill();
    EXPECT_EQ(Column(0), (QStringList{"Alder", "Alder", "Birch"}));
    EXPECT_EQ(Column(6), (QStringList{"1", "1", "3"}));
    EXPECT_EQ(Column(11), (QStringList{"B30", "B20", "B24"}));

    // The user sorts by width, descending; a refill keeps that.
    const int width = m_grid.FindColumnForSourceColumn(2);
    m_grid.SetSortIndicator(width, true);
    m_grid.SetSortIndicator(width, false);
    EXPECT_EQ(Column(11), (QStringList{"B30", "B24", "B20"}));
    manager.Refill();
    EXPECT_EQ(m_grid.GetRowCount(), 3);
    EXPECT_EQ(m_grid.GetSortColumn(), width);
    EXPECT_FALSE(m_grid.IsSortAscending());
    EXPECT_EQ(Column(11), (QStringList{"B30", "B24", "B20"}));

    // With pro-rated costs the quantities show two decimals.
    m_prefs.prefs->SetFlag(2026, true);
    manager.Refill();
    for (const QString& text : Column(6))
        EXPECT_TRUE(text.contains(QLatin1Char('.')) && text.section(QLatin1Char('.'), 1).size() == 2) << text.toStdString();
}

TEST_F(BOMGridTest, PictureShowsHeadingsAndRows)
{
    auto bom = std::make_shared<SheetGoodsBOM>();
    bom->AddMaterialBOM(Bill(QStringLiteral("Birch"), {24, 48}, 2));
    SheetGoodBOMGridMgr manager(m_grid, bom);
    manager.Setup(&m_font);
    ASSERT_TRUE(QFontInfo(*m_grid.GetDefaultFont()).family().contains(QStringLiteral("DejaVu")));
    manager.Refill();
    m_grid.show();
    const QImage image = m_grid.grab().toImage();
    const CUGGridInfo* gi = m_grid.GetSheetInfo();
    auto darkIn = [&](const QRect& area) {
        int count = 0;
        for (int y = area.top(); y <= area.bottom(); ++y)
            for (int x = area.left(); x <= area.right(); ++x)
                count += qGray(image.pixel(x, y)) < 100;
        return count;
    };
    const int left = gi->m_gridRect.left;
    const int top = gi->m_gridRect.top;
    const int rowHeight = m_grid.GetRowHeight(0);
    const int nameWidth = m_grid.GetColumnWidth(0);
    // Heading captions and two rows of text, and the grey background under the last row.
    EXPECT_GT(darkIn(QRect(left, 0, nameWidth, gi->m_topHdgHeight)), 20);
    EXPECT_GT(darkIn(QRect(left, top, nameWidth, rowHeight)), 15);
    EXPECT_GT(darkIn(QRect(left, top + rowHeight, nameWidth, rowHeight)), 15);
    EXPECT_EQ(darkIn(QRect(left, top + 2 * rowHeight + 2, gi->m_gridWidth - 1, rowHeight)), 0);
    const QRgb below = image.pixel(left + 5, top + 3 * rowHeight);
    EXPECT_EQ(below, platform::ToQColor(platform::SystemColorRef(platform::SystemColor::ButtonShadow)).rgb());
}

TEST(GridTextAccess, TextsShadesAndRowsAsFields)
{
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    CUGCtrl grid;
    grid.CreateGrid(0, platform::Rect(0, 0, 300, 200), nullptr, 1);
    grid.SetColumnCount(3);
    grid.SetRowCount(2);
    GridTextAccess access(grid);
    for (int c = 0; c < 3; ++c)
        grid.SetCellTextAt(c, -1, QStringLiteral("H%1").arg(c));
    access.SetCellText(0, 0, QStringLiteral("Cabinet"));
    access.SetIndentedCellText(0, 1, 2, QStringLiteral("Door"));
    grid.SetCellNumberAt(1, 0, 1234.5);
    access.ShadeRow(1);
    access.AlignColumnsFrom(1, 1);

    ParseFieldRows rows;
    access.ReadRowsAsParseFields(rows);
    ASSERT_EQ(rows.size(), 3u);
    auto texts = [&](std::size_t r) {
        QStringList out;
        for (const CParseField& field : rows[r].GetFields()) {
            EXPECT_TRUE(field.HasText());
            EXPECT_EQ(field.GetColumn(), -1);
            out << field.GetText();
        }
        return out;
    };
    EXPECT_EQ(texts(0), (QStringList{"H0", "H1", "H2"}));
    EXPECT_EQ(texts(1), (QStringList{"Cabinet", "1,234.5", ""}));
    EXPECT_EQ(texts(2), (QStringList{"        Door", "", ""}));

    CUGCell cell;
    grid.GetCellWithDefaults(2, 1, &cell);
    EXPECT_EQ(cell.GetBackColor(), platform::MakeColorRef(226, 241, 252));
    EXPECT_EQ(cell.GetAlignment(), 32);
    grid.GetCellWithDefaults(0, 1, &cell);
    EXPECT_NE(cell.GetAlignment(), 32);
    QLocale::setDefault(QLocale::c());
}
