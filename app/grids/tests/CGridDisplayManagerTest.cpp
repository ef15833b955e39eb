// The manager template over plain row pointers: counts, sorting, the pending
// and append rows, column layout and the shared selection operations.
#include "grids/CGridDisplayManager.h"
#include "grids/GridColumnRules.h"
#include "gridctrl/CUGGridInfo.h"

#include <QApplication>

#include <gtest/gtest.h>

#include <algorithm>
#include <deque>

namespace {

struct Item
{
    int key = 0;
    QString name;
};

using Storage = GDMStorageRawPtr<Item>;
using Column = CGridColumnInfo<Item, Storage>;

class KeyColumn : public Column
{
public:
    using Column::Column;
    int GetFieldId() const override { return 1; }
    std::unique_ptr<Column> Clone() const override { return std::make_unique<KeyColumn>(GetContext()); }
    QString GetHeadingText() const override { return QStringLiteral("Key"); }
    int Compare(Holder* a, Holder* b) const override { return ((*a)->key > (*b)->key) - ((*a)->key < (*b)->key); }
    int FillCell(Holder* row, CUGCell* cell) override
    {
        cell->SetText(QString::number((*row)->key));
        return 0;
    }
    int ParseText(Holder* pending, const QString& text, QWidget*, Holder*) override
    {
        int value = 0;
        if (ParseNonNegativeInteger(text, &value) != kEditAccepted)
            return kEditBadValue;
        if (value == (*pending)->key)
            return kEditUnchanged;
        (*pending)->key = value;
        return kEditAccepted;
    }
};

class NameColumn : public Column
{
public:
    using Column::Column;
    int GetFieldId() const override { return 2; }
    std::unique_ptr<Column> Clone() const override { return std::make_unique<NameColumn>(GetContext()); }
    QString GetHeadingText() const override { return QStringLiteral("Name"); }
    int Compare(Holder* a, Holder* b) const override { return CompareColumnTexts((*a)->name, (*b)->name); }
    int FillCell(Holder* row, CUGCell* cell) override
    {
        cell->SetText((*row)->name);
        return 0;
    }
};

class ItemGDM : public CGridDisplayManager<Item, Storage>
{
public:
    using CGridDisplayManager::SortRows;
    explicit ItemGDM(std::vector<Item*>& rows) : m_rows(rows)
    {
        AddColumn(std::make_unique<KeyColumn>(this));
        AddColumn(std::make_unique<NameColumn>(this));
        AddColumn(std::make_unique<NameColumn>(this));
    }
    Item* GetRowItem(int row) override { return GetRowItemHolder(row); }
    Item* GetRowItemHolder(int row) override
    {
        return row >= 0 && row < static_cast<int>(m_rows.size()) ? m_rows[row] : nullptr;
    }
    int FindRow(Item* const& item) override
    {
        const auto it = std::find(m_rows.begin(), m_rows.end(), item);
        return it == m_rows.end() ? -1 : static_cast<int>(it - m_rows.begin());
    }
    bool CanEditCell(int) override { return true; }
    int EndPendingRow() override
    {
        if (Item* pending = GetPendingRow())
            *m_rows[GetPendingRowIndex()] = *pending;
        ++commits;
        EndPendingRowState();
        return 1;
    }
    void SortRows(const Keys& keys, bool ascending) override
    {
        SortRange(m_rows.begin(), m_rows.end(), keys, ascending);
    }
    QString GetClipboardFormatName() override { return QString(); }
    void InsertNewRow(int) override
    {
        m_store.push_back(Item{0, QStringLiteral("new")});
        m_rows.push_back(&m_store.back());
        ++inserts;
        RefreshRowCount();
    }
    void DeleteSelectedRows() override { }
    int GetStoredRowCount() override { return static_cast<int>(m_rows.size()); }
    int GetUpdateHintMask() const override { return 0; }

    int inserts = 0;
    int commits = 0;

private:
    std::vector<Item*>& m_rows;
    std::deque<Item> m_store;
};

class GridDisplayManagerTest : public ::testing::Test
{
protected:
    void Fill(std::initializer_list<std::pair<int, const char*>> items)
    {
        for (const auto& [key, name] : items)
            m_items.push_back(Item{key, QString::fromUtf8(name)});
        for (Item& item : m_items)
            m_rows.push_back(&item);
    }
    void Attach()
    {
        m_grid = std::make_unique<CUGRowMode>();
        m_grid->CreateGrid(0, platform::Rect(0, 0, 400, 300), nullptr, 1);
        m_grid->SetDataSource(m_grid->AddDataSource(&m_mgr));
    }
    std::vector<int> Keys() const
    {
        std::vector<int> keys;
        for (const Item* item : m_rows)
            keys.push_back(item->key);
        return keys;
    }
    QString Text(int column, int row)
    {
        CUGCell cell;
        m_mgr.AsPrintable().GetCell(column, row, &cell);
        return cell.GetText();
    }

    std::deque<Item> m_items;
    std::vector<Item*> m_rows;
    ItemGDM m_mgr{m_rows};
    std::unique_ptr<CUGRowMode> m_grid;
};

TEST_F(GridDisplayManagerTest, EmptyStorageReportsTheAppendRowOnly)
{
    EXPECT_EQ(m_mgr.GetRowCount(), 1);
    EXPECT_EQ(m_mgr.GetAppendRowIndex(), 0);
    EXPECT_EQ(m_mgr.AsPrintable().GetRowCount(), 0);
}

TEST_F(GridDisplayManagerTest, HeadingClicksSortUpDownUpAndAnotherHeadingUp)
{
    Fill({{2, "b"}, {3, "a"}, {1, "c"}});
    const int key = 0;
    m_mgr.SortRows(&key, 1, 0);
    EXPECT_EQ(Keys(), (std::vector<int>{1, 2, 3}));
    m_mgr.SortRows(&key, 1, 0);
    EXPECT_EQ(Keys(), (std::vector<int>{3, 2, 1}));
    EXPECT_EQ(m_mgr.GetSortDirection(), 2);
    m_mgr.SortRows(&key, 1, 0);
    EXPECT_EQ(Keys(), (std::vector<int>{1, 2, 3}));
    m_mgr.SortRows(&key, 1, 0);
    const int name = 1;
    m_mgr.SortRows(&name, 1, 0);
    EXPECT_EQ(m_mgr.GetSortDirection(), 1);
    EXPECT_EQ(Keys(), (std::vector<int>{3, 2, 1}));
}

TEST_F(GridDisplayManagerTest, TextsSortLogically)
{
    Fill({{1, "10"}, {2, "9"}, {3, "B"}, {4, "a"}});
    const int name = 1;
    m_mgr.SortRows(&name, 1, 0);
    EXPECT_EQ(Keys(), (std::vector<int>{2, 1, 4, 3}));
}

TEST_F(GridDisplayManagerTest, MultiKeySortIsStableBeyondOneInsertionRun)
{
    // 100 rows: several runs of 32 must merge; equal keys keep their order.
    for (int i = 0; i < 100; ++i)
        m_items.push_back(Item{i, QString::number((i * 7) % 5)});
    for (Item& item : m_items)
        m_rows.push_back(&item);
    std::vector<Item*> expected = m_rows;
    std::stable_sort(expected.begin(), expected.end(),
                     [](const Item* a, const Item* b) { return LogicalCompare(a->name, b->name) < 0; });
    const int columns[] = {1, 2};
    m_mgr.SortRows(columns, 2, 1);
    EXPECT_EQ(m_rows, expected);
    EXPECT_EQ(m_mgr.GetSortColumn(), -1);
}

TEST_F(GridDisplayManagerTest, SortKeepsSelectionOnTheSameObjects)
{
    Fill({{5, "e"}, {1, "a"}, {4, "d"}, {2, "b"}, {3, "c"}});
    Attach();
    Item* first = m_rows[0];  // key 5
    Item* second = m_rows[3]; // key 2
    m_mgr.SelectItems({first, second}, false);
    const int key = 0;
    m_mgr.SortRows(&key, 1, 0);
    EXPECT_TRUE(m_grid->IsSelected(0, m_mgr.FindRow(first)));
    EXPECT_TRUE(m_grid->IsSelected(0, m_mgr.FindRow(second)));
    EXPECT_FALSE(m_grid->IsSelected(0, 0));
    EXPECT_EQ(m_grid->GetCurrentRow(), m_mgr.FindRow(first));
}

TEST_F(GridDisplayManagerTest, EditRemovesTheSortArrowAndKeepsTheOrder)
{
    Fill({{2, "b"}, {1, "a"}});
    Attach();
    const int key = 0;
    m_mgr.SortRows(&key, 1, 0);
    CUGCell heading;
    m_mgr.GetCell(0, -1, &heading);
    EXPECT_EQ(heading.GetCellType(), m_grid->GetSortArrowTypeIndex());
    QWidget* editor = nullptr;
    EXPECT_EQ(m_mgr.OnEditBegin(0, 0, &editor), 1);
    EXPECT_EQ(m_mgr.GetSortColumn(), -1);
    CUGCell after;
    m_mgr.GetCell(0, -1, &after);
    EXPECT_NE(after.GetCellType(), m_grid->GetSortArrowTypeIndex());
    // The same value typed again creates nothing; a new one lands in the row.
    EXPECT_EQ(m_mgr.OnEditEnd(0, 0, nullptr, QStringLiteral("1"), false), 1);
    EXPECT_EQ(m_rows[0]->key, 1);
    EXPECT_EQ(m_mgr.OnEditEnd(0, 0, nullptr, QStringLiteral("-4"), false), 0);
    EXPECT_EQ(m_mgr.OnEditEnd(0, 0, nullptr, QStringLiteral("7"), false), 1);
    EXPECT_EQ(Text(0, 0), QStringLiteral("7"));
    EXPECT_EQ(m_rows[0]->key, 1); // still the copy only
    m_mgr.FinishEditing();
    EXPECT_EQ(m_rows[0]->key, 7);
    EXPECT_EQ(Keys(), (std::vector<int>{7, 2}));
}

TEST_F(GridDisplayManagerTest, AppendRowInsertsOnArrivalAndRefusesEdits)
{
    Fill({{1, "a"}});
    Attach();
    const int append = m_mgr.GetAppendRowIndex();
    QWidget* editor = nullptr;
    EXPECT_EQ(m_mgr.OnEditBegin(0, append, &editor), 0);
    EXPECT_EQ(m_mgr.inserts, 0);
    m_grid->GetSheetInfo()->m_moveKeyState = 3; // a drag selection
    EXPECT_EQ(m_mgr.CanMoveCurrentCell(0, 0, 0, append), 0);
    m_grid->GetSheetInfo()->m_moveKeyState = 0;
    EXPECT_EQ(m_mgr.inserts, 0);
    EXPECT_EQ(m_mgr.CanMoveCurrentCell(0, 0, 0, append), 1);
    EXPECT_EQ(m_mgr.inserts, 1);
    EXPECT_EQ(m_rows.size(), 2u);
    EXPECT_EQ(m_mgr.GetAppendRowIndex(), 2);
}

TEST_F(GridDisplayManagerTest, HidingAndShowingKeepsTheUsersOrder)
{
    Attach();
    m_mgr.SetColumnHidden(2, true);
    m_mgr.SetColumnHidden(1, true);
    EXPECT_EQ(m_grid->GetColumnCount(), 1);
    EXPECT_EQ(m_mgr.FindGridColumn(1), -1);
    m_mgr.SetColumnHidden(1, false);
    EXPECT_EQ(m_mgr.FindGridColumn(1), 1);
    m_mgr.SetColumnHidden(2, false);
    EXPECT_EQ(m_mgr.FindGridColumn(2), 2);
    // Hiding the middle one and showing it again puts it back in the middle.
    m_mgr.OnColumnMenuCommand(gdm::kColumnMenuBase + 1);
    EXPECT_EQ(m_mgr.FindGridColumn(2), 1);
    m_mgr.OnColumnMenuCommand(gdm::kColumnMenuBase + 1);
    EXPECT_EQ(m_mgr.FindGridColumn(1), 1);
    EXPECT_EQ(m_mgr.FindGridColumn(2), 2);
}

TEST_F(GridDisplayManagerTest, HeadingMenuPassesHighIdsToTheMainWindow)
{
    int sent = 0;
    SetMainWindowCommandHook([&](int id) { sent = id; });
    m_mgr.OnColumnMenuCommand(1383);
    SetMainWindowCommandHook({});
    EXPECT_EQ(sent, 283);
}

TEST_F(GridDisplayManagerTest, UnknownNotificationsAnswerMinusOne)
{
    for (int code : {0, 1, 5, 6, 16, 99, 101})
        EXPECT_EQ(m_mgr.OnGridNotify(code, 0, 0), -1) << code;
    for (int code : {2, 4, 7, 8, 9, 10, 11, 12, 13, 14, 15, 100})
        EXPECT_EQ(m_mgr.OnGridNotify(code, 0, 0), 0) << code;
}

TEST_F(GridDisplayManagerTest, SelectItemsSelectsKnownRowsAndGoesToTheFirst)
{
    Fill({{1, "a"}, {2, "b"}, {3, "c"}});
    Attach();
    Item stranger;
    m_mgr.SelectItems({&stranger, m_rows[2], m_rows[1]}, true);
    EXPECT_EQ(m_grid->GetCurrentRow(), 2);
    EXPECT_TRUE(m_grid->IsSelected(0, 2));

    m_mgr.SelectItems({}, true);
    EXPECT_FALSE(m_grid->IsSelected(0, 2));
    EXPECT_EQ(m_grid->GetCurrentRow(), -1);
}

TEST_F(GridDisplayManagerTest, SelectItemsLeavesAGridShowingAnotherSource)
{
    Fill({{1, "a"}, {2, "b"}});
    Attach();
    m_mgr.SelectItems({m_rows[1]}, true);
    std::vector<Item*> otherRows;
    ItemGDM other(otherRows);
    otherRows.push_back(m_rows[0]);
    otherRows.push_back(m_rows[1]);
    m_grid->SetDataSource(m_grid->AddDataSource(&other));
    m_grid->GotoCell(0, 1);
    m_grid->SelectCell(0, 1);
    m_mgr.SelectItems({m_rows[0]}, true);
    EXPECT_TRUE(m_grid->IsSelected(0, 1));
    EXPECT_EQ(m_grid->GetCurrentRow(), 1);
}

TEST_F(GridDisplayManagerTest, UpdateHintsSelectResortAndForgetTheSort)
{
    Fill({{2, "b"}, {1, "a"}});
    Attach();
    const int key = 0;
    m_mgr.SortRows(&key, 1, 0);
    Item* moved = m_rows[0];
    std::swap(m_rows[0], m_rows[1]); // rows put back out of order
    GridUpdateHint<Item, GDMStorageRawPtr> hint;
    hint.SetRowsGiven(true);
    hint.AddRow(moved);
    hint.SetRowChangeCode(2);
    m_mgr.OnGridUpdate(hint);
    EXPECT_EQ(Keys(), (std::vector<int>{1, 2}));
    EXPECT_TRUE(m_grid->IsSelected(0, m_mgr.FindRow(moved)));
    hint.SetRowChangeCode(1);
    m_mgr.OnGridUpdate(hint);
    EXPECT_EQ(m_mgr.GetSortColumn(), -1);
}

TEST_F(GridDisplayManagerTest, RefreshGridDropsThePendingRow)
{
    Fill({{1, "a"}});
    Attach();
    QWidget* editor = nullptr;
    m_mgr.OnEditBegin(0, 0, &editor);
    ASSERT_TRUE(m_mgr.HasPendingRow());
    m_mgr.OnEditEnd(0, 0, nullptr, QStringLiteral("9"), false);
    m_mgr.RefreshGrid();
    EXPECT_FALSE(m_mgr.HasPendingRow());
    EXPECT_EQ(m_mgr.GetPendingRow(), nullptr);
    EXPECT_EQ(m_rows[0]->key, 1);
    EXPECT_EQ(m_mgr.commits, 0);
}

TEST_F(GridDisplayManagerTest, UnattachedManagerPrintsAndSorts)
{
    Fill({{2, "b"}, {1, "a"}});
    EXPECT_EQ(m_mgr.GetCell(0, 0, nullptr), -1); // the grid asks only once attached
    EXPECT_EQ(Text(0, 0), QStringLiteral("2"));
    EXPECT_EQ(Text(1, -1), QStringLiteral("Name"));
    EXPECT_EQ(m_mgr.AsPrintable().GetVisibleColumnCount(), 3);
    EXPECT_EQ(m_mgr.AsPrintable().GetColumnAtGridPosition(1), 1);
    const int key = 0;
    m_mgr.SortRows(&key, 1, 0);
    m_mgr.AsPrintable().Resort();
    EXPECT_EQ(Keys(), (std::vector<int>{1, 2}));
    m_mgr.RefreshGrid();
    m_mgr.SelectItems({m_rows[0]}, true);
}

TEST_F(GridDisplayManagerTest, DisabledManagerShowsCellsButRefusesEdits)
{
    Fill({{4, "d"}});
    Attach();
    m_mgr.SetEnabled(false);
    CUGCell cell;
    EXPECT_EQ(m_mgr.GetCell(0, 0, &cell), 0);
    EXPECT_EQ(cell.GetText(), QStringLiteral("4"));
    QWidget* editor = nullptr;
    EXPECT_EQ(m_mgr.OnEditBegin(0, 0, &editor), 0);
    CUGCell write;
    write.SetCellType(1);
    EXPECT_EQ(m_mgr.SetCell(0, 0, &write), -1);
}

} // namespace
