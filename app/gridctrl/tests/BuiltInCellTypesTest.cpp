#include "gridctrl/CUGArrowType.h"
#include "gridctrl/CUGCheckBoxType.h"
#include "gridctrl/CUGCtrl.h"
#include "gridctrl/CUGDropListType.h"
#include "gridctrl/CUGGrid.h"
#include "gridctrl/CUGNoteType.h"
#include "gridctrl/CUGSortArrowType.h"

#include "GridTestSupport.h"

#include <gtest/gtest.h>

#include <QFontInfo>
#include <QImage>
#include <QKeySequence>
#include <QTest>

using platform::Rect;

namespace {

class MessageGrid : public CUGCtrl {
public:
    QList<int> messages;
    long long lastValue = 0;
    bool refuseOpening = false;
    int OnCellTypeMessage(int, int, int, int message, long long value) override
    {
        messages << message;
        lastValue = value;
        if (message == CUGDropListType::kMessageOpening && refuseOpening)
            return 0;
        return 1;
    }
};

QPoint cellCentre(CUGCtrl& grid, int column, int row)
{
    Rect rect;
    grid.GetCellRectangle(&column, &row, &rect);
    return QPoint((rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2);
}

QPoint boxCentre(CUGCtrl& grid, int column, int row, int style)
{
    Rect rect;
    grid.GetCellRectangle(&column, &row, &rect);
    const Rect box = CUGCheckBoxType::BoxRect(rect, style, CUGCell::kAlignLeft);
    return QPoint((box.left + box.right) / 2, (box.top + box.bottom) / 2);
}

void click(CUGCtrl& grid, QPoint point)
{
    QTest::mouseClick(grid.GetGridArea(), Qt::LeftButton, Qt::NoModifier, point);
}

} // namespace

TEST(CheckBoxType, ClicksAndSpaceCycleTheValueUnlessReadOnly)
{
    MessageGrid grid;
    createGrid(grid, 3, 3);
    grid.show();
    const int threeState = CUGCheckBoxType::kThreeState;
    grid.SetCellTypeAt(0, 0, 2);
    grid.SetCellStyleAt(0, 0, threeState);
    grid.SetCellNumberAt(0, 0, 0);
    QList<double> values;
    for (int i = 0; i < 3; ++i) {
        click(grid, boxCentre(grid, 0, 0, threeState));
        CUGCell cell;
        grid.GetCell(0, 0, &cell);
        values << cell.GetNumber();
    }
    EXPECT_EQ(values, (QList<double>{1, 2, 0}));
    EXPECT_EQ(grid.messages, (QList<int>{53, 53, 53}));

    // Outside the box nothing changes.
    click(grid, cellCentre(grid, 0, 0) + QPoint(25, 0));
    EXPECT_EQ(grid.GetCellText(0, 0), QStringLiteral("0"));

    // Space toggles; a two-state box turns 2 into 1.
    grid.SetCellTypeAt(1, 1, 2);
    grid.SetCellNumberAt(1, 1, 2);
    grid.GotoCell(1, 1);
    QTest::keyClick(grid.GetGridArea(), Qt::Key_Space);
    EXPECT_EQ(grid.GetCellText(1, 1), QStringLiteral("1"));

    // A read-only box ignores clicks and the space key.
    CUGCell readOnly;
    grid.GetCell(2, 2, &readOnly);
    readOnly.SetCellType(2);
    readOnly.SetNumber(1);
    readOnly.SetReadOnly(1);
    grid.SetCell(2, 2, &readOnly);
    grid.messages.clear();
    click(grid, boxCentre(grid, 2, 2, 0));
    grid.GotoCell(2, 2);
    QTest::keyClick(grid.GetGridArea(), Qt::Key_Space);
    EXPECT_EQ(grid.GetCellText(2, 2), QStringLiteral("1"));
    EXPECT_TRUE(grid.messages.isEmpty());
}

TEST(DropListType, ItemsListSizeAndTheChoiceMessages)
{
    EXPECT_EQ(CUGDropListType::SplitItems(QStringLiteral("A\nB")), QStringList{QStringLiteral("A")});
    EXPECT_EQ(CUGDropListType::SplitItems(QStringLiteral("A\nB\n")), (QStringList{QStringLiteral("A"), QStringLiteral("B")}));

    MessageGrid grid;
    useDejaVu(grid);
    createGrid(grid, 2, 30, 300, 900);
    grid.show();
    QStringList forty;
    for (int i = 0; i < 40; ++i)
        forty << QStringLiteral("Item %1").arg(i);
    grid.SetCellTypeAt(0, 0, 1);
    grid.SetCellLabelAt(0, 0, forty.join(QLatin1Char('\n')) + QLatin1Char('\n'));
    auto* type = static_cast<CUGDropListType*>(grid.GetCellTypeByIndex(1));
    grid.GotoCell(0, 0);
    QTest::keyClick(grid.GetGridArea(), Qt::Key_Return);
    CUGLstBox* list = type->GetListBox();
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(list->count(), 40);
    const int itemHeight = QFontInfo(*grid.GetDefaultFont()).pixelSize();
    EXPECT_EQ(list->height(), itemHeight * 15 + 6);

    // Choosing sends the position, asks, stores, then reports the choice.
    grid.messages.clear();
    list->setCurrentRow(3);
    QTest::keyClick(list, Qt::Key_Return);
    EXPECT_EQ(grid.messages, (QList<int>{102, 101, 103}));
    EXPECT_EQ(grid.GetCellText(0, 0), QStringLiteral("Item 3"));
    EXPECT_EQ(type->GetListBox(), nullptr);

    // Opening asks first; a 0 answer keeps the list closed.
    grid.messages.clear();
    grid.refuseOpening = true;
    QTest::keyClick(grid.GetGridArea(), Qt::Key_Return);
    EXPECT_EQ(grid.messages, QList<int>{100});
    EXPECT_EQ(type->GetListBox(), nullptr);
}

TEST(DropListType, MessagesArriveInOrderFromOpeningToTheStoredChoice)
{
    MessageGrid grid;
    createGrid(grid, 2, 3);
    grid.show();
    grid.SetCellTypeAt(1, 1, 1);
    grid.SetCellLabelAt(1, 1, QStringLiteral("Oak\nPine\n"));
    grid.GotoCell(1, 1);
    // A letter opens the list on the first item that begins with it.
    QTest::keyClick(grid.GetGridArea(), Qt::Key_P);
    auto* type = static_cast<CUGDropListType*>(grid.GetCellTypeByIndex(1));
    ASSERT_NE(type->GetListBox(), nullptr);
    EXPECT_EQ(type->GetListBox()->currentRow(), 1);
    QTest::keyClick(type->GetListBox(), Qt::Key_Return);
    EXPECT_EQ(grid.messages, (QList<int>{100, 102, 101, 103}));
    EXPECT_EQ(grid.GetCellText(1, 1), QStringLiteral("Pine"));

    // The button opens the list, closes the open list, and opens it again.
    Rect rect;
    int c = 1, r = 1;
    grid.GetCellRectangle(&c, &r, &rect);
    const QPoint button(rect.right - 4, (rect.top + rect.bottom) / 2);
    QList<bool> open;
    for (int i = 0; i < 3; ++i) {
        click(grid, button);
        open << (type->GetListBox() != nullptr);
    }
    EXPECT_EQ(open, (QList<bool>{true, false, true}));
}

TEST(DropListType, TypedLettersMatchTheWholePrefixAndTheListOpensOnTheValue)
{
    MessageGrid grid;
    createGrid(grid, 2, 3);
    grid.show();
    grid.SetCellTypeAt(1, 1, 1);
    const QString longest = QStringLiteral("Plywood 3/4 in, prefinished both faces");
    grid.SetCellLabelAt(1, 1, QStringLiteral("Oak\nPlywood 1/2 in\n") + longest + QStringLiteral("\nPine\n"));
    grid.SetCellTextAt(1, 1, QStringLiteral("Pine"));
    auto* type = static_cast<CUGDropListType*>(grid.GetCellTypeByIndex(1));
    grid.GotoCell(1, 1);

    // Opened without a letter, the list shows the cell's value, and every
    // item whole however narrow the column.
    QTest::keyClick(grid.GetGridArea(), Qt::Key_Return);
    ASSERT_NE(type->GetListBox(), nullptr);
    EXPECT_EQ(type->GetListBox()->currentRow(), 3);
    CUGLstBox* opened = type->GetListBox();
    EXPECT_GE(opened->viewport()->width(), QFontMetrics(opened->font()).horizontalAdvance(longest));
    QTest::keyClick(type->GetListBox(), Qt::Key_Escape);
    ASSERT_EQ(type->GetListBox(), nullptr);

    struct Case
    {
        const char* typed; // after the letter that opens the list
        int row;
    };
    const Case cases[] = {
        { "", 1 },
        { "lywood 3", 2 },
        { "lywood 1", 1 },
        { "LYWOOD 3/", 2 },
        { "i", 3 },
        { "lywood 9", 1 }, // no item: the highlight stays on the last match
        { "lywood 3\b1", 1 },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed);
        QTest::keyClick(grid.GetGridArea(), Qt::Key_P);
        CUGLstBox* list = type->GetListBox();
        ASSERT_NE(list, nullptr);
        for (const char* ch = c.typed; *ch; ++ch) {
            if (*ch == '\b')
                QTest::keyClick(list, Qt::Key_Backspace);
            else
                QTest::keyClicks(list, QString(QChar::fromLatin1(*ch)));
        }
        EXPECT_EQ(list->currentRow(), c.row);
        QTest::keyClick(list, Qt::Key_Escape);
    }
}

namespace {

// A grid that grows a row whenever a move asks for one beyond the last, as
// a list with an append row does.
class GrowingGrid : public MessageGrid
{
public:
    int rowsAdded = 0;
    void OnRowsNeeded(int rowCount, int rowsNeeded, int* added) override
    {
        SetRowCount(rowCount + rowsNeeded);
        rowsAdded += rowsNeeded;
        *added = rowsNeeded;
    }
};

// The list type of the shown 2 x 3 grid, whose second column is drop lists.
CUGDropListType* ShowDropListColumn(CUGCtrl& grid)
{
    createGrid(grid, 2, 3);
    grid.show();
    for (int row = 0; row < 3; ++row) {
        grid.SetCellTypeAt(1, row, 1);
        grid.SetCellLabelAt(1, row, QStringLiteral("Oak\nPine\n"));
    }
    return static_cast<CUGDropListType*>(grid.GetCellTypeByIndex(1));
}

} // namespace

TEST(DropListType, TheOpeningKeysOpenTheListAndNeverMoveOnOrAddARow)
{
    const QKeyCombination keys[] = {
        QKeyCombination(Qt::AltModifier, Qt::Key_Down),
        QKeyCombination(Qt::Key_F4),
        QKeyCombination(Qt::ControlModifier, Qt::Key_Down),
        QKeyCombination(Qt::Key_Return),
    };
    for (const QKeyCombination key : keys) {
        for (const int row : { 1, 2 }) { // a row in the middle, the last row
            SCOPED_TRACE(QKeySequence(key).toString().toStdString() + " on row " + std::to_string(row));
            GrowingGrid grid;
            CUGDropListType* type = ShowDropListColumn(grid);
            grid.GotoCell(1, row);
            QTest::keyClick(grid.GetGridArea(), key.key(), key.keyboardModifiers());
            EXPECT_NE(type->GetListBox(), nullptr);
            EXPECT_EQ(grid.GetCurrentRow(), row);
            EXPECT_EQ(grid.GetRowCount(), 3);
            EXPECT_EQ(grid.rowsAdded, 0);
        }
    }
}

TEST(DropListType, DownAndAModifiedF4LeaveTheListClosed)
{
    GrowingGrid grid;
    CUGDropListType* type = ShowDropListColumn(grid);
    grid.GotoCell(1, 0);
    QTest::keyClick(grid.GetGridArea(), Qt::Key_F4, Qt::ShiftModifier);
    EXPECT_EQ(type->GetListBox(), nullptr);
    // Down alone goes on to the next row.
    QTest::keyClick(grid.GetGridArea(), Qt::Key_Down);
    EXPECT_EQ(type->GetListBox(), nullptr);
    EXPECT_EQ(grid.GetCurrentRow(), 1);
}

TEST(DropListType, AColumnFittedToItsTextsLeavesRoomForTheButton)
{
    // The button shows on the current cell only, or always: either way the
    // fitted column holds the whole text beside it.
    for (int style : { 0, CUGDropListType::kButtonOnCurrentOnly }) {
        SCOPED_TRACE(style);
        CUGCtrl grid;
        useDejaVu(grid);
        createGrid(grid, 2, 3, 600, 200);
        grid.show();
        const QString name = QStringLiteral("Northwest Hardwood & Plywood Supply Co.");
        grid.SetCellTypeAt(0, 0, 1);
        grid.SetCellStyleAt(0, 0, style);
        grid.SetCellTextAt(0, 0, name);
        ASSERT_EQ(grid.FitColumnsToContent(0, 0, 0, 0), 0);
        const int button = static_cast<CUGDropListType*>(grid.GetCellTypeByIndex(1))->GetButtonWidth();
        EXPECT_GE(grid.GetColumnWidth(0), QFontMetrics(*grid.GetDefaultFont()).horizontalAdvance(name) + button);
    }
}

// One picture per cell type: each draws its own marks and its text.
TEST(BuiltInCellTypes, Pictures)
{
    CUGCtrl grid;
    useDejaVu(grid);
    ASSERT_TRUE(QFontInfo(*grid.GetDefaultFont()).family().contains(QStringLiteral("DejaVu")));
    createGrid(grid, 3, 6, 320, 200);
    for (int c = 0; c < 3; ++c)
        grid.SetColumnWidth(c, 100);
    CUGSortArrowType sortArrow;
    CUGNoteType note;
    const int sortIndex = grid.AddCellType(&sortArrow);
    const int noteIndex = grid.AddCellType(&note);

    grid.SetCellTypeAt(0, 0, 2); // check box, checked, with its label
    grid.SetCellNumberAt(0, 0, 1);
    grid.SetCellLabelAt(0, 0, QStringLiteral("Grain"));
    grid.SetCellTypeAt(0, 1, 1); // drop list
    grid.SetCellTextAt(0, 1, QStringLiteral("Oak"));
    grid.SetCellTypeAt(0, 2, 3); // side arrow
    grid.SetCellTypeAt(0, 3, noteIndex);
    grid.SetCellTextAt(0, 3, QStringLiteral("Shelf"));
    grid.SetCellLabelAt(0, 3, QStringLiteral("Check the grain"));
    grid.SetCellTypeAt(0, -1, sortIndex);
    grid.SetCellStyleAt(0, -1, CUGSortArrowType::kDescending);
    grid.SetCellTextAt(0, -1, QStringLiteral("Name"));
    grid.GotoCell(2, 5);
    grid.show();

    const QImage image = grid.grab().toImage();
    const CUGGridInfo* gi = grid.GetSheetInfo();
    const QPoint origin(gi->m_gridRect.left, gi->m_gridRect.top);
    auto cellArea = [&](int column, int row) {
        Rect r;
        grid.GetCellRectangle(&column, &row, &r);
        return QRect(origin + QPoint(r.left, r.top), QSize(r.Width() - 1, r.Height() - 1));
    };
    auto dark = [](QRgb p) { return qGray(p) < 100; };
    auto red = [](QRgb p) { return qRed(p) > 200 && qGreen(p) < 60 && qBlue(p) < 60; };

    // Check box: a black box with a cross, then the label's glyphs.
    const QRect check = cellArea(0, 0);
    EXPECT_GT(countPixels(image, QRect(check.left() + 3, check.top() + 3, 13, check.height() - 6), dark), 20);
    EXPECT_GT(countPixels(image, QRect(check.left() + 20, check.top(), 60, check.height()), dark), 15);
    // Drop list: the button face at the right with its black triangle, the text left of it.
    const QRect drop = cellArea(0, 1);
    const QRect button(drop.right() - static_cast<CUGDropListType*>(grid.GetCellTypeByIndex(1))->GetButtonWidth(), drop.top(), static_cast<CUGDropListType*>(grid.GetCellTypeByIndex(1))->GetButtonWidth(), drop.height());
    EXPECT_GT(countPixels(image, button, dark), 5);
    EXPECT_GT(countPixels(image, QRect(drop.left(), drop.top(), 40, drop.height()), dark), 10);
    // Side arrow: a small arrow in the middle.
    const QRect arrow = cellArea(0, 2);
    EXPECT_GT(countPixels(image, QRect(arrow.center() - QPoint(8, 8), QSize(16, 16)), dark), 5);
    EXPECT_EQ(countPixels(image, QRect(arrow.left(), arrow.top(), 20, arrow.height()), dark), 0);
    // Note: the red corner, and the text.
    const QRect noted = cellArea(0, 3);
    EXPECT_GE(countPixels(image, QRect(noted.right() - 7, noted.top(), 7, 6), red), 15);
    EXPECT_EQ(countPixels(image, QRect(cellArea(1, 3).right() - 7, noted.top(), 7, 6), red), 0);
    // Sort arrow in the heading: caption glyphs, and the arrow's edges at the right.
    const QRect heading(gi->m_topHdgRect.left, 0, 99, gi->m_topHdgRect.Height() - 1);
    EXPECT_GT(countPixels(image, QRect(heading.left(), 0, 50, heading.height()), dark), 10);
    EXPECT_GT(countPixels(image, QRect(heading.right() - 20, 0, 20, heading.height()), dark), 3);
}

TEST(NoteType, HoveringShowsTheNoteUntilTheCellLosesTheFocus)
{
    CUGCtrl grid;
    createGrid(grid, 3, 3);
    CUGNoteType note;
    const int index = grid.AddCellType(&note);
    grid.SetCellTypeAt(1, 1, index);
    grid.SetCellLabelAt(1, 1, QStringLiteral("Check the grain"));
    grid.show();
    grid.grab(); // the first paint makes the note window

    QTest::mouseMove(grid.GetGridArea(), cellCentre(grid, 1, 1));
    ASSERT_NE(note.GetNoteWindow(), nullptr);
    EXPECT_TRUE(note.GetNoteWindow()->isVisible());
    EXPECT_EQ(note.GetNoteWindow()->toPlainText(), QStringLiteral("Check the grain"));
    EXPECT_TRUE(note.IsTimerRunning());
    Rect rect;
    int c = 1, r = 1;
    grid.GetCellRectangle(&c, &r, &rect);
    EXPECT_EQ(note.GetNoteWindow()->x(), rect.right + 5);

    grid.GotoCell(1, 1);
    grid.GotoCell(0, 0);
    EXPECT_FALSE(note.GetNoteWindow()->isVisible());
    EXPECT_FALSE(note.IsTimerRunning());
}
