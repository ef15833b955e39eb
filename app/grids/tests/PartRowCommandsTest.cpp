// The parts list's insert, delete, renumber and paste commands through the
// parts grid, done, undone and redone on a real project.
#include "PartsGridTestSupport.h"

#include "grids/PartRowCommands.h"
#include "model/CClipboardParser.h"

#include <QApplication>
#include <QClipboard>

#include <algorithm>

namespace {

class PartRowCommandsTest : public PartsGridTest
{
protected:
    // The rows as the parts grid copies them: field i from column i.
    ParseFieldRows CopyRows(const std::vector<CMilledPart*>& parts)
    {
        ParseFieldRows rows;
        for (CMilledPart* part : parts) {
            ParseFieldRow row;
            for (int c = 0; c < m_mgr->GetColumnCount(); ++c) {
                CParseField field;
                CMilledPart* holder = part;
                m_mgr->GetColumn(c)->ToParseField(&holder, &field);
                field.SetColumn(c);
                row.AppendField(field);
            }
            rows.push_back(row);
        }
        return rows;
    }
    static bool Unique(std::vector<int> numbers)
    {
        std::sort(numbers.begin(), numbers.end());
        return std::adjacent_find(numbers.begin(), numbers.end()) == numbers.end();
    }
};

TEST_F(PartRowCommandsTest, DeletingRowsOfASortedListAndUndoRestoreOrderAndNumbers)
{
    AddParts(
        { "Joist", "Apron", "Fascia", "Header", "Cleat", "Ledger", "Batten", "Gusset", "Dowel", "Ironing" });
    Attach();
    const int description = kPartColDescription;
    m_mgr->SortRows(&description, 1, 0);
    const std::vector<CMilledPart*> order = List();
    const std::vector<int> numbers = Numbers();
    Select({ 5, 2, 9 });
    m_mgr->DeleteSelectedRows();
    EXPECT_EQ(List().size(), 7U);
    EXPECT_EQ(
        Descriptions(), (QStringList { "Apron", "Batten", "Dowel", "Fascia", "Header", "Ironing", "Joist" }));
    const std::vector<int> left = Numbers();
    EXPECT_TRUE(Unique(left));
    EXPECT_EQ(*std::max_element(left.begin(), left.end()), 7);
    EXPECT_EQ(GetUndoMenuText(), QStringLiteral("&Undo Delete Part\tCtrl+Z"));
    HistoryUndo();
    EXPECT_EQ(List(), order);
    EXPECT_EQ(Numbers(), numbers);
    HistoryRedo();
    EXPECT_EQ(List().size(), 7U);
    EXPECT_TRUE(Unique(Numbers()));
    HistoryUndo();
    EXPECT_EQ(List(), order);
    EXPECT_EQ(Numbers(), numbers);
}

TEST_F(PartRowCommandsTest, DeleteEntriesRunInPartNumberOrder)
{
    const auto parts = AddNumberedParts(10);
    CPartDelete<CMilledPart> command({ { parts[8], 9 }, { parts[1], 2 }, { parts[4], 5 } });
    ASSERT_EQ(command.GetEntries().size(), 3U);
    EXPECT_EQ(command.GetEntries()[0].first, parts[1]);
    EXPECT_EQ(command.GetEntries()[1].first, parts[4]);
    EXPECT_EQ(command.GetEntries()[2].first, parts[8]);
}

TEST_F(PartRowCommandsTest, DeletingPartThreeOfFiveThenAppendingNumbersOneToFive)
{
    AddNumberedParts(5);
    Attach();
    Select({ 2 });
    m_mgr->DeleteSelectedRows();
    EXPECT_EQ(Numbers(), (std::vector<int> { 1, 2, 3, 4 }));
    EXPECT_EQ(m_mgr->CanMoveCurrentCell(0, 3, 0, 4), 1);
    EXPECT_EQ(Numbers(), (std::vector<int> { 1, 2, 3, 4, 5 }));
    HistoryUndo();
    EXPECT_EQ(Numbers(), (std::vector<int> { 1, 2, 3, 4 }));
    HistoryUndo();
    EXPECT_EQ(Numbers(), (std::vector<int> { 1, 2, 3, 4, 5 }));
    EXPECT_EQ(Descriptions(), (QStringList { "P1", "P2", "P3", "P4", "P5" }));
}

TEST_F(PartRowCommandsTest, PastedRowsFollowTheNumbersAndRefusedRowsAreSkipped)
{
    const auto parts = AddNumberedParts(10);
    parts[1]->SetMaterial(m_ash);
    parts[1]->SetSpecialNotes(QStringLiteral("edge"));
    Attach();
    ParseFieldRows rows = CopyRows({ parts[0], parts[1], parts[2], parts[3] });
    // A length that is no length: that row is skipped, the others come in.
    rows[3].GetField(kPartColLength) = CParseField();
    rows[3].GetField(kPartColLength).SetText(QStringLiteral("long"));
    // A material the library lacks joins it, outside the undo history.
    rows[2].GetField(kPartColMaterial).SetText(QStringLiteral("Walnut"));
    CClipboardParser().CopyRowsToClipboard(rows, false, kClipboardFormatMilledPart);
    m_grid->ClearSelections();
    m_mgr->PasteRows();
    ASSERT_EQ(List().size(), 13U);
    EXPECT_EQ(Numbers(), (std::vector<int> { 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13 }));
    EXPECT_EQ(Descriptions().mid(10), (QStringList { "P1", "P2", "P3" }));
    EXPECT_EQ(List()[11]->GetMaterial(), m_ash);
    EXPECT_EQ(List()[11]->GetSpecialNotes(), QStringLiteral("edge"));
    EXPECT_EQ(List()[11]->GetLength().GetInches(), 20.0);
    const auto walnut = m_library->FindMaterial(QStringLiteral("Walnut"));
    ASSERT_TRUE(walnut);
    EXPECT_EQ(List()[12]->GetMaterial(), walnut);
    EXPECT_EQ(GetCmdHistory()->GetStepCount(), 1U);
    HistoryUndo();
    EXPECT_EQ(List().size(), 10U);
    EXPECT_TRUE(m_library->FindMaterial(QStringLiteral("Walnut")));
    HistoryRedo();
    EXPECT_EQ(Numbers().back(), 13);

    // A clipboard without part rows pastes nothing.
    QApplication::clipboard()->setText(QStringLiteral("just text"));
    m_mgr->PasteRows();
    EXPECT_EQ(List().size(), 13U);
    EXPECT_EQ(GetCmdHistory()->GetStepCount(), 1U);
}

TEST_F(PartRowCommandsTest, RenumberFollowsTheListAndUndoRestoresTheNumbers)
{
    AddParts({ "C", "A", "B" });
    Attach();
    const int description = kPartColDescription;
    m_mgr->SortRows(&description, 1, 0);
    EXPECT_EQ(Numbers(), (std::vector<int> { 2, 3, 1 }));
    m_mgr->RenumberSelectedParts();
    EXPECT_EQ(Numbers(), (std::vector<int> { 1, 2, 3 }));
    EXPECT_EQ(GetUndoMenuText(), QStringLiteral("&Undo Renumber Parts\tCtrl+Z"));
    HistoryUndo();
    EXPECT_EQ(Numbers(), (std::vector<int> { 2, 3, 1 }));
    HistoryRedo();
    EXPECT_EQ(Numbers(), (std::vector<int> { 1, 2, 3 }));
}

} // namespace
