#include "gridctrl/CUGCtrl.h"
#include "gridctrl/CUGDataSource.h"
#include "gridctrl/CUGGrid.h"
#include "gridctrl/CUGMultiSelect.h"

#include "GridTestSupport.h"
#include "LocaleGuard.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QLineEdit>
#include <QMenu>
#include <QTest>
#include <QTimer>

namespace {

// A click as the grid area makes it: key state 1 with the key flags.
void click(CUGCtrl& grid, int column, int row, unsigned flags = 0)
{
    CUGGridInfo* gi = grid.GetSheetInfo();
    gi->m_moveKeyState = 1;
    gi->m_moveKeyFlags = flags;
    grid.SetKeyModifiers((flags & CUGMultiSelect::kShift) ? Qt::ShiftModifier : Qt::NoModifier);
    grid.GotoCell(column, row);
    gi->m_moveKeyState = 0;
    grid.SetKeyModifiers(Qt::NoModifier);
}

} // namespace

TEST(CUGCtrlSelection, Modes)
{
    CUGCtrl grid;
    createGrid(grid, 5, 10);
    grid.GetSheetInfo()->m_moveType = 1;
    CUGMultiSelect* selection = grid.GetMultiSelect();

    // Whole rows: a click in column 3 selects its row, column 0 included;
    // the block never reaches past the last column.
    grid.EnableMultiSelect(true);
    click(grid, 3, 2);
    EXPECT_TRUE(grid.IsSelected(0, 2));
    EXPECT_FALSE(grid.IsSelected(0, 3));
    int left, top, right, bottom;
    ASSERT_EQ(selection->GetLastBlock(&left, &top, &right, &bottom), 0);
    EXPECT_EQ(right, 4);
    selection->SetMode(CUGMultiSelect::kModeWholeRows | CUGMultiSelect::kModeFirstWins);
    click(grid, 1, 4);
    int column = -1, row = -1, cells = 0, lastColumn = -1;
    for (int r = selection->FirstSelectedCell(&column, &row); r == 0; r = selection->NextSelectedCell(&column, &row)) {
        ++cells;
        lastColumn = std::max(lastColumn, column);
    }
    EXPECT_EQ(cells, 5);
    EXPECT_EQ(lastColumn, 4);

    // One block only: Ctrl+click on a second row leaves only that row.
    selection->SetMode(CUGMultiSelect::kModeWholeRows | CUGMultiSelect::kModeOneBlock);
    click(grid, 0, 1);
    click(grid, 0, 6, CUGMultiSelect::kCtrl);
    EXPECT_FALSE(grid.IsSelected(0, 1));
    EXPECT_TRUE(grid.IsSelected(2, 6));
    EXPECT_EQ(selection->GetBlockCount(), 1);

    // Cells: Ctrl toggles a 1 x 1 block, Shift extends from the origin.
    selection->SetMode(0);
    click(grid, 1, 1);
    click(grid, 3, 3, CUGMultiSelect::kCtrl);
    EXPECT_TRUE(grid.IsSelected(3, 3));
    EXPECT_TRUE(grid.IsSelected(1, 1));
    click(grid, 3, 3, CUGMultiSelect::kCtrl);
    EXPECT_FALSE(grid.IsSelected(3, 3));
    click(grid, 1, 1);
    click(grid, 2, 4, CUGMultiSelect::kShift);
    EXPECT_TRUE(grid.IsSelected(2, 3));
    EXPECT_TRUE(grid.IsSelected(1, 4));
    EXPECT_FALSE(grid.IsSelected(3, 3));
    EXPECT_EQ(grid.GetCurrentColumn(), 1);
    EXPECT_EQ(grid.GetCurrentRow(), 1);
}

TEST(CUGCtrlSelection, PasteTextFillsAndSelectsTheBlock)
{
    CUGCtrl grid;
    createGrid(grid, 3, 4);
    grid.GetSheetInfo()->m_moveType = 1;
    grid.GotoCell(1, 1);
    grid.PasteText(QStringLiteral("a\tb\nc"));
    EXPECT_EQ(grid.GetCellText(1, 1), QStringLiteral("a"));
    EXPECT_EQ(grid.GetCellText(2, 1), QStringLiteral("b"));
    EXPECT_EQ(grid.GetCellText(1, 2), QStringLiteral("c"));
    int left, top, right, bottom;
    ASSERT_EQ(grid.GetMultiSelect()->GetLastBlock(&left, &top, &right, &bottom), 0);
    EXPECT_EQ(left, 1);
    EXPECT_EQ(top, 1);
    EXPECT_EQ(right, 2);
    EXPECT_EQ(bottom, 2);

    // Fields beyond the last column and read-only cells are left alone.
    CUGCell locked;
    locked.SetText(QStringLiteral("keep"));
    locked.SetReadOnly(1);
    grid.SetCell(2, 3, &locked);
    grid.GotoCell(1, 3);
    grid.PasteText(QStringLiteral("x\ty\tz\r\n"));
    EXPECT_EQ(grid.GetCellText(1, 3), QStringLiteral("x"));
    EXPECT_EQ(grid.GetCellText(2, 3), QStringLiteral("keep"));
}

namespace {

void fillColumn(CUGCtrl& grid, const QStringList& texts)
{
    for (int r = 0; r < texts.size(); ++r)
        grid.SetCellTextAt(0, r, texts[r]);
}

QStringList columnTexts(CUGCtrl& grid)
{
    QStringList texts;
    for (int r = 0; r < grid.GetRowCount(); ++r)
        texts << grid.GetCellText(0, r);
    return texts;
}

CUGFindRequest request(CUGFindRequest::Action action, const QString& find, const QString& replacement)
{
    CUGFindRequest r;
    r.action = action;
    r.findText = find;
    r.replaceText = replacement;
    return r;
}

} // namespace

TEST(CUGCtrlFind, FindAndReplace)
{
    MessageRecorder recorder;
    CUGCtrl grid;
    createGrid(grid, 1, 5);
    fillColumn(grid, {QStringLiteral("apple"), QStringLiteral("zz"), QStringLiteral("pineapple"),
                      QStringLiteral("APPLE"), QStringLiteral("grape")});
    grid.GotoRow(1);

    grid.OnFindReplace(request(CUGFindRequest::FindNext, QStringLiteral("apple"), QString()));
    EXPECT_EQ(grid.GetCurrentRow(), 2);

    // Replace writes only a current cell that matches.
    grid.GotoRow(1);
    grid.OnFindReplace(request(CUGFindRequest::Replace, QStringLiteral("apple"), QStringLiteral("pear")));
    EXPECT_EQ(grid.GetCellText(0, 1), QStringLiteral("zz"));
    EXPECT_EQ(grid.GetCurrentRow(), 2);
    grid.OnFindReplace(request(CUGFindRequest::Replace, QStringLiteral("apple"), QStringLiteral("pear")));
    EXPECT_EQ(grid.GetCellText(0, 2), QStringLiteral("pinepear"));

    // Replace all changes only the matched part of each text.
    grid.OnFindReplace(request(CUGFindRequest::ReplaceAll, QStringLiteral("apple"), QStringLiteral("pear")));
    EXPECT_EQ(columnTexts(grid).join(QLatin1Char(',')), QStringLiteral("pear,zz,pinepear,pear,grape"));

    // A replacement that matches again ends after one pass.
    grid.OnFindReplace(request(CUGFindRequest::ReplaceAll, QStringLiteral("P"), QStringLiteral("pp")));
    EXPECT_EQ(columnTexts(grid).join(QLatin1Char(',')), QStringLiteral("ppear,zz,ppineppear,ppear,grappe"));

    EXPECT_TRUE(recorder.messages.isEmpty());
    grid.OnFindReplace(request(CUGFindRequest::FindNext, QStringLiteral("kiwi"), QString()));
    EXPECT_EQ(recorder.messages, QStringList{QStringLiteral("Not Found: Item not found")});
}

namespace {

class MenuGrid : public CUGCtrl {
public:
    bool openMenu = true;
    std::vector<int> items;
    int OnMenuOpen(int, int, int) override { return openMenu; }
    void OnMenuItem(int, int, int, int id) override { items.push_back(id); }
};

} // namespace

TEST(CUGCtrlMenu, ResultsAndCommandIds)
{
    MenuGrid grid;
    createGrid(grid, 2, 2);
    EXPECT_EQ(grid.ShowContextMenu(0, 0, QPoint(10, 10), 1), 1); // menu disabled
    grid.EnableContextMenu(true);
    grid.openMenu = false;
    EXPECT_EQ(grid.ShowContextMenu(0, 0, QPoint(10, 10), 1), 2);
    grid.openMenu = true;

    grid.EmptyPopupMenu();
    grid.AddPopupMenuItem(999, QStringLiteral("Low"));
    grid.AddPopupMenuItem(5, QString()); // a separator whatever the id
    grid.AddPopupMenuItem(-1, QStringLiteral("Separator too"));
    grid.AddPopupMenuItem(2001, QStringLiteral("Owner's"));
    const auto actions = grid.GetPopupMenu()->actions();
    ASSERT_EQ(actions.size(), 4);
    EXPECT_TRUE(actions[1]->isSeparator());
    EXPECT_TRUE(actions[2]->isSeparator());

    QTimer::singleShot(0, [&] {
        QMenu* menu = grid.GetPopupMenu();
        menu->actions()[0]->trigger();
        menu->actions()[3]->trigger();
        menu->close();
    });
    EXPECT_EQ(grid.ShowContextMenu(1, 1, QPoint(10, 10), 3), 0);
    EXPECT_EQ(grid.items, std::vector<int>{2001});
    grid.OnMenuCommand(999);
    grid.OnMenuCommand(1000);
    EXPECT_EQ(grid.items, (std::vector<int>{2001, 1000}));
}

namespace {

class EditGrid : public CUGCtrl {
public:
    // Typing starts an edit: the owner's business, as the program's grids do it.
    void OnGridChar(int* character, int) override
    {
        BeginCellEdit(GetCurrentColumn(), GetCurrentRow(), *character);
    }
};

class EndRefusingSource : public CUGDataSource {
public:
    CUGMem* store = nullptr;
    int OnEditEnd(int, int, QWidget*, const QString&, bool) override { return 0; }
    int GetCell(int column, int row, CUGCell* cell) override { return store->GetCell(column, row, cell); }
    int SetCell(int column, int row, CUGCell* cell) override { return store->SetCell(column, row, cell); }
};

QString editorText(CUGCtrl& grid)
{
    auto* editor = qobject_cast<QLineEdit*>(grid.GetEditControl());
    return editor ? editor->text() : QStringLiteral("<no editor>");
}

} // namespace

TEST(CUGCtrlEdit, Cycle)
{
    LocaleGuard us;
    EditGrid grid;
    createGrid(grid, 3, 3);
    grid.show();

    QTest::keyClick(grid.GetGridArea(), Qt::Key_7);
    ASSERT_TRUE(grid.IsEditing());
    EXPECT_EQ(editorText(grid), QStringLiteral("7"));
    // Enter stores the text and goes on editing the cell below.
    QTest::keyClick(grid.GetEditControl(), Qt::Key_Return);
    EXPECT_EQ(grid.GetCellText(0, 0), QStringLiteral("7"));
    ASSERT_TRUE(grid.IsEditing());
    EXPECT_EQ(grid.GetEditColumn(), 0);
    EXPECT_EQ(grid.GetEditRow(), 1);
    grid.HideEditControl();

    grid.SetCellNumberAt(1, 1, 1234.5);
    EXPECT_EQ(grid.GetCellText(1, 1), QStringLiteral("1,234.5"));
    ASSERT_EQ(grid.BeginCellEdit(1, 1), 0);
    EXPECT_EQ(editorText(grid), QStringLiteral("1234.5"));
    QTest::keyClick(grid.GetEditControl(), Qt::Key_Escape);
    EXPECT_FALSE(grid.IsEditing());

    // Continue from the last column wraps to column 0.
    ASSERT_EQ(grid.BeginCellEdit(2, 0), 0);
    EXPECT_EQ(grid.EndCellEdit(QStringLiteral("x"), false, true, 3, 0), 0);
    EXPECT_TRUE(grid.IsEditing());
    EXPECT_EQ(grid.GetEditColumn(), 0);
    EXPECT_EQ(grid.GetCellText(2, 0), QStringLiteral("x"));
    grid.HideEditControl();

    // A source that refuses the text keeps the editor open; Esc still ends it.
    EndRefusingSource source;
    source.store = static_cast<CUGMem*>(grid.GetDataSource(0));
    grid.SetDefaultDataSource(grid.AddDataSource(&source));
    ASSERT_EQ(grid.BeginCellEdit(0, 2), 0);
    QWidget* editor = grid.GetEditControl();
    QTest::keyClicks(editor, QStringLiteral("bad"));
    QTest::keyClick(editor, Qt::Key_Return);
    EXPECT_TRUE(grid.IsEditing());
    EXPECT_EQ(editorText(grid), QStringLiteral("bad"));
    EXPECT_TRUE(grid.GetCellText(0, 2).isEmpty());
    QTest::keyClick(editor, Qt::Key_Escape);
    EXPECT_FALSE(grid.IsEditing());
    EXPECT_TRUE(grid.GetCellText(0, 2).isEmpty());
}
