// The size columns of the parts grid in the real grid: a cell opened for
// editing and confirmed with keys.
#include "PartsGridTestSupport.h"

#include "foundation/DimensionFormatSettings.h"
#include "gridctrl/CUGGrid.h"
#include "grids/PartsGridColumns.h"
#include "model/CMilledPart.h"
#include "optimization/BOMOptMgr.h"

#include <QTest>

namespace {

class PartsGridColumnsTest : public PartsGridTest
{
protected:
    void SetUp() override
    {
        PartsGridTest::SetUp();
        m_savedFormat = GetDimensionFormatSettings();
    }
    void TearDown() override
    {
        SetDimensionFormatSettings(m_savedFormat);
        PartsGridTest::TearDown();
    }

    QString CellText(int column, int row)
    {
        CUGCell cell;
        m_grid->GetCellWithDefaults(m_mgr->FindGridColumn(column), row, &cell);
        return cell.GetText();
    }

    DimensionFormatSettings m_savedFormat;
};

// A size shown rounded (23 1/4" is 590.6 mm, 11.3" is 11 5/16"), its cell
// opened and confirmed with Enter as it stands: the part keeps its exact
// size, no undo step is made, the project stays unmodified and its layouts
// stay.
TEST_F(PartsGridColumnsTest, ASizeConfirmedAsShownChangesNothing)
{
    DimensionFormatSettings millimetres = m_savedFormat;
    millimetres.style = DimensionFormatSettings::Millimetres;
    millimetres.decimals = 1;
    DimensionFormatSettings inches = m_savedFormat;
    inches.style = DimensionFormatSettings::FractionalInches;
    inches.precision = 2; // sixteenths
    const struct
    {
        const char* name;
        DimensionFormatSettings format;
    } styles[] = { { "millimetres", millimetres }, { "inches", inches } };

    CMilledPart* part = Append(m_oak, 11.3, 23.25, 2, QStringLiteral("Rail"));
    part->SetThickness(CDimension::FromInches(0.7));
    Append(m_oak, 10, 20, 1, QStringLiteral("Stile")); // Enter steps onto it, not onto the append row
    GetCmdHistory()->Clear();
    Attach();
    m_grid->show();
    RunJobs(*m_doc);
    for (const auto& style : styles) {
        SetDimensionFormatSettings(style.format);
        for (const int column : { kPartColThickness, kPartColWidth, kPartColLength }) {
            SCOPED_TRACE(std::string(style.name) + ", column " + std::to_string(column));
            m_doc->SetModifiedFlag(false);
            const QString shown = CellText(column, 0);
            ASSERT_EQ(m_grid->BeginCellEdit(m_mgr->FindGridColumn(column), 0, 0), 0);
            QWidget* editor = m_grid->GetEditControl();
            ASSERT_NE(editor, nullptr);
            QTest::keyClick(editor, Qt::Key_Return);
            m_mgr->FinishEditing();
            EXPECT_EQ(List().size(), 2U);
            EXPECT_EQ(CellText(column, 0), shown);
            EXPECT_EQ(part->GetThickness().GetInches(), CDimension::FromInches(0.7).GetInches());
            EXPECT_EQ(part->GetWidth().GetInches(), CDimension::FromInches(11.3).GetInches());
            EXPECT_EQ(part->GetLength().GetInches(), CDimension::FromInches(23.25).GetInches());
            EXPECT_EQ(GetCmdHistory()->GetStepCount(), 0U);
            EXPECT_FALSE(m_doc->IsModified());
            EXPECT_TRUE(m_doc->IsFullyOptimized());
        }
    }

    // A new size typed into the same cell is still taken.
    SetDimensionFormatSettings(millimetres);
    ASSERT_EQ(m_grid->BeginCellEdit(m_mgr->FindGridColumn(kPartColLength), 0, 0), 0);
    QWidget* editor = m_grid->GetEditControl();
    ASSERT_NE(editor, nullptr);
    QTest::keySequence(editor, QKeySequence::SelectAll);
    QTest::keyClicks(editor, QStringLiteral("600"));
    QTest::keyClick(editor, Qt::Key_Return);
    m_mgr->FinishEditing();
    EXPECT_NEAR(part->GetLength().GetInches(), 600 / 25.4, 1e-3);
    EXPECT_EQ(GetCmdHistory()->GetStepCount(), 1U);
}

} // namespace
