#include "gridctrl/CUGCtrl.h"
#include "gridctrl/CUGDataSource.h"
#include "gridctrl/CUGEdit.h"
#include "gridctrl/CUGGrid.h"
#include "gridctrl/CUGMaskedEdit.h"
#include "gridctrl/CUGMem.h"

#include "GridTestSupport.h"

#include <gtest/gtest.h>

#include <QHBoxLayout>
#include <QLineEdit>
#include <QTest>

namespace {

class EndingGrid : public CUGCtrl {
public:
    struct End {
        bool cancelled;
        int column, row;
    };
    bool refuse = false;
    QList<End> ends;
    int OnEditEnd(int, int, QWidget*, const QString&, bool cancelled) override
    {
        return refuse && !cancelled ? 0 : 1;
    }
    // Records where the editor asked to go on, and stops there.
    int OnEditNextCell(int, int, int* column, int* row) override
    {
        ends.append({false, *column, *row});
        return 0;
    }
};

QString editorText(CUGCtrl& grid)
{
    auto* editor = qobject_cast<QLineEdit*>(grid.GetEditControl());
    return editor ? editor->text() : QStringLiteral("<no editor>");
}

} // namespace

TEST(CUGMaskedEdit, CompilesMasksAndReformats)
{
    const CUGMask phone = CUGMask::Compile(QStringLiteral("000-0000"));
    EXPECT_EQ(phone.pattern, QStringLiteral("000\b0000"));
    EXPECT_EQ(phone.literals, QStringLiteral("\b\b\b-\b\b\b\b"));
    const CUGMask escaped = CUGMask::Compile(QStringLiteral("\\A99"));
    EXPECT_EQ(escaped.pattern, QStringLiteral("\b99"));
    EXPECT_EQ(escaped.literals, QStringLiteral("A\b\b"));
    EXPECT_TRUE(CUGMask::Accepts(QLatin1Char('9'), QLatin1Char(' ')));
    EXPECT_FALSE(CUGMask::Accepts(QLatin1Char('0'), QLatin1Char(' ')));
    EXPECT_TRUE(CUGMask::Accepts(QLatin1Char('#'), QLatin1Char('-')));
    EXPECT_FALSE(CUGMask::Accepts(QLatin1Char('L'), QLatin1Char('1')));
    EXPECT_TRUE(CUGMask::Accepts(QLatin1Char('C'), QLatin1Char('~')));
    EXPECT_FALSE(CUGMask::Accepts(QLatin1Char('&'), QChar(0xE9)));
    // Characters the class refuses are dropped; the literal follows the last digit.
    EXPECT_EQ(phone.Reformat(QStringLiteral("5x55-1234extra")), QStringLiteral("555-1234"));
    EXPECT_EQ(phone.Reformat(QStringLiteral("555")), QStringLiteral("555-"));
}

TEST(CUGMaskedEdit, TypingInsertsLiteralsAndRefusesOtherCharacters)
{
    CUGCtrl grid;
    createGrid(grid, 2, 2);
    grid.show();
    CUGCell cell;
    grid.GetCell(0, 0, &cell);
    cell.SetMask(QStringLiteral("000-0000"));
    grid.SetCell(0, 0, &cell);
    ASSERT_EQ(grid.BeginCellEdit(0, 0), 0);
    QWidget* editor = grid.GetEditControl();
    ASSERT_NE(qobject_cast<CUGMaskedEdit*>(editor), nullptr);
    QTest::keyClicks(editor, QStringLiteral("555"));
    EXPECT_EQ(editorText(grid), QStringLiteral("555"));
    // The literal comes first; the letter is then refused.
    QTest::keyClick(editor, Qt::Key_A);
    EXPECT_EQ(editorText(grid), QStringLiteral("555-"));
    QTest::keyClicks(editor, QStringLiteral("1x234"));
    EXPECT_EQ(editorText(grid), QStringLiteral("555-1234"));
    QTest::keyClick(editor, Qt::Key_5);
    EXPECT_EQ(editorText(grid), QStringLiteral("555-1234"));
    grid.HideEditControl();
    // The fourth digit brings the hyphen with it.
    grid.GetCell(0, 1, &cell);
    cell.SetMask(QStringLiteral("000-0000"));
    grid.SetCell(0, 1, &cell);
    ASSERT_EQ(grid.BeginCellEdit(0, 1), 0);
    QTest::keyClicks(grid.GetEditControl(), QStringLiteral("5551"));
    EXPECT_EQ(editorText(grid), QStringLiteral("555-1"));
    grid.HideEditControl();

    // Two literals in a row: only the first is put in, the typed character
    // takes the place of the second.
    grid.GetCell(1, 1, &cell);
    cell.SetMask(QStringLiteral("0()0"));
    grid.SetCell(1, 1, &cell);
    ASSERT_EQ(grid.BeginCellEdit(1, 1), 0);
    QTest::keyClicks(grid.GetEditControl(), QStringLiteral("1x2"));
    EXPECT_EQ(editorText(grid), QStringLiteral("1(x2"));
}

// Where each key sends the current cell, from the middle cell of a 3 x 3 grid.
TEST(CUGEditBase, KeysFollowTheTable)
{
    struct Case {
        Qt::Key key;
        Qt::KeyboardModifiers modifiers;
        int column, row;
    };
    const Case cases[] = {
        {Qt::Key_Tab, Qt::NoModifier, 2, 1},   {Qt::Key_Backtab, Qt::ShiftModifier, 0, 1},
        {Qt::Key_Return, Qt::NoModifier, 1, 2}, {Qt::Key_Down, Qt::NoModifier, 1, 2},
        {Qt::Key_Up, Qt::NoModifier, 1, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.key);
        EndingGrid grid;
        createGrid(grid, 3, 3);
        grid.show();
        ASSERT_EQ(grid.BeginCellEdit(1, 1), 0);
        QTest::keyClicks(grid.GetEditControl(), QStringLiteral("ab"));
        QTest::keyClick(grid.GetEditControl(), c.key, c.modifiers);
        EXPECT_FALSE(grid.IsEditing());
        EXPECT_EQ(grid.GetCellText(1, 1), QStringLiteral("ab"));
        ASSERT_EQ(grid.ends.size(), 1);
        EXPECT_EQ(grid.ends[0].column, c.column);
        EXPECT_EQ(grid.ends[0].row, c.row);
    }
    // Esc ends without storing and asks for no next cell.
    EndingGrid grid;
    createGrid(grid, 3, 3);
    grid.show();
    grid.SetCellTextAt(1, 1, QStringLiteral("old"));
    ASSERT_EQ(grid.BeginCellEdit(1, 1), 0);
    QTest::keyClicks(grid.GetEditControl(), QStringLiteral("new"));
    QTest::keyClick(grid.GetEditControl(), Qt::Key_Escape);
    EXPECT_FALSE(grid.IsEditing());
    EXPECT_EQ(grid.GetCellText(1, 1), QStringLiteral("old"));
    EXPECT_TRUE(grid.ends.isEmpty());
}

// A refused end keeps the editor open on its cell. It takes the focus back
// from the grid's own windows, but never from another widget the user went to.
TEST(CUGEditBase, RefusedEndTakesTheFocusBackOnlyFromTheGrid)
{
    QWidget window;
    auto* layout = new QHBoxLayout(&window);
    auto* grid = new EndingGrid;
    auto* other = new QLineEdit;
    layout->addWidget(grid);
    layout->addWidget(other);
    window.resize(500, 250);
    grid->SetColumnCount(3);
    grid->SetRowCount(3);
    grid->CreateGrid(0, platform::Rect(0, 0, 300, 200), &window, 1);
    window.show();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    grid->refuse = true;

    ASSERT_EQ(grid->BeginCellEdit(1, 1), 0);
    QWidget* editor = grid->GetEditControl();
    ASSERT_TRUE(editor->hasFocus());
    QTest::keyClicks(editor, QStringLiteral("bad"));
    other->setFocus();
    EXPECT_TRUE(grid->IsEditing());
    EXPECT_EQ(grid->GetEditRow(), 1);
    EXPECT_TRUE(other->hasFocus());
    EXPECT_FALSE(editor->hasFocus());

    editor->setFocus();
    ASSERT_TRUE(editor->hasFocus());
    grid->GetGridArea()->setFocus();
    EXPECT_TRUE(grid->IsEditing());
    EXPECT_TRUE(editor->hasFocus());
    EXPECT_EQ(editorText(*grid), QStringLiteral("bad"));
    EXPECT_TRUE(grid->GetCellText(1, 1).isEmpty());
}
