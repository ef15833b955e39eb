// The parts grid over a real project: typed values column by column, the
// append row, row colours, the lock, one undo step per row edit, and the
// pinned-part prompt of a refused edit.
#include "EmptyListKeys.h"
#include "PartsGridTestSupport.h"
#include "PartsRowsLook.h"

#include "gridctrl/CUGDropListType.h"
#include "gridctrl/CUGGrid.h"
#include "gridctrl/CUGGridInfo.h"
#include "document/LockProjectCmd.h"
#include "grids/PartRowCommands.h"
#include "model/CSheetGoodEx.h"
#include "model/MaterialRowCommands.h"
#include "model/ModelUiHook.h"
#include "optimization/BOMOptMgr.h"

#include <QImage>
#include <QKeySequence>
#include <QMenu>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <cstdlib>

#include <functional>

namespace {

class KerfwellGDMTest : public PartsGridTest
{
};

TEST_F(KerfwellGDMTest, TypedValuesGiveTheColumnsCodes)
{
    const auto parts = AddParts({ QStringLiteral("Rail") });
    CMilledPart* row = parts[0];
    row->SetCopies(5);
    row->SetDraggedOffCopies(3);
    struct Case
    {
        int column;
        const char* text;
        bool handPlaced;
        int code;
    };
    const Case cases[] = {
        { kPartColDescription, "Rail", false, kEditUnchanged },
        { kPartColDescription, "Stile", false, kEditAccepted },
        { kPartColCopies, "abc", false, kEditBadValue },
        { kPartColCopies, "", false, kEditBadValue },
        { kPartColCopies, "-1", false, kEditBadValue },
        { kPartColCopies, "5", false, kEditUnchanged },
        { kPartColCopies, "1", true, kEditRefusedPinnedCopies },
        { kPartColCopies, "3", true, kEditAccepted },
        { kPartColThickness, "0.75", false, kEditUnchanged },
        { kPartColWidth, "wide", false, kEditBadValue },
        { kPartColWidth, "12", true, kEditRefusedPinnedGeometry },
        { kPartColLength, "30", false, kEditAccepted },
        { kPartColUserInfo, "left", true, kEditAccepted },
        { kPartColNotes, "edge\nband", true, kEditAccepted },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.text) + " into column " + std::to_string(c.column));
        row->ClearHandPlacedCopies();
        if (c.handPlaced)
            row->AddHandPlacedCopies(2);
        std::unique_ptr<CMilledPart> pending(row->Clone());
        CMilledPart* pendingHolder = pending.get();
        CMilledPart* rowHolder = row;
        EXPECT_EQ(m_mgr->GetColumn(c.column)->ParseText(
                      &pendingHolder, QString::fromUtf8(c.text), nullptr, &rowHolder),
            c.code);
        if (c.code != kEditAccepted) {
            EXPECT_TRUE(PartEditValuesEqual(*pending, *row));
        }
    }
    // Lowering copies 5 to 3 with 3 dragged off lowers those by 2.
    row->ClearHandPlacedCopies();
    std::unique_ptr<CMilledPart> pending(row->Clone());
    CMilledPart* pendingHolder = pending.get();
    CMilledPart* rowHolder = row;
    ASSERT_EQ(
        m_mgr->GetColumn(kPartColCopies)->ParseText(&pendingHolder, QStringLiteral("3"), nullptr, &rowHolder),
        kEditAccepted);
    EXPECT_EQ(pending->GetDraggedOffCopies(), 1U);
    ASSERT_EQ(m_mgr->GetColumn(kPartColNotes)
                  ->ParseText(&pendingHolder, QStringLiteral("a\nb"), nullptr, &rowHolder),
        kEditAccepted);
    EXPECT_EQ(pending->GetSpecialNotes(), QStringLiteral("ab"));

    // The material drop list: the same name, a pinned part, another material.
    CUGCell cell;
    cell.SetText(QStringLiteral("Oak"));
    EXPECT_EQ(
        m_mgr->GetColumn(kPartColMaterial)->SetFromCell(&pendingHolder, &cell, &rowHolder), kEditUnchanged);
    cell.SetText(QStringLiteral("Ash"));
    row->AddHandPlacedCopies(1);
    EXPECT_EQ(m_mgr->GetColumn(kPartColMaterial)->SetFromCell(&pendingHolder, &cell, &rowHolder),
        kEditRefusedPinnedGeometry);
    row->ClearHandPlacedCopies();
    EXPECT_EQ(
        m_mgr->GetColumn(kPartColMaterial)->SetFromCell(&pendingHolder, &cell, &rowHolder), kEditAccepted);
    EXPECT_EQ(pending->GetMaterial(), m_ash);
    EXPECT_EQ(m_mgr->GetColumn(kPartColID)
                  ->ParseText(&pendingHolder, row->GetID().FormatPartID(), nullptr, &rowHolder),
        kEditUnchanged);
}

TEST_F(KerfwellGDMTest, RefusedEditsOfPinnedPartsAskTheHostAboutThatPart)
{
    const auto parts = AddParts({ QStringLiteral("Rail"), QStringLiteral("Stile") });
    Attach();
    parts[1]->AddHandPlacedCopies(2);
    // Width of a hand-placed part (3), then copies below the hand-placed count (4).
    EXPECT_EQ(Type(kPartColWidth, 1, QStringLiteral("12")), 1);
    EXPECT_EQ(Type(kPartColCopies, 1, QStringLiteral("1")), 1);
    ASSERT_EQ(m_host.prompts.size(), 2U);
    EXPECT_EQ(m_host.prompts[0], std::make_pair(parts[1], int(kStrPinnedPartGeometry)));
    EXPECT_EQ(m_host.prompts[1], std::make_pair(parts[1], int(kStrPinnedPartCopies)));
    EXPECT_FALSE(m_mgr->HasPendingRow());
    EXPECT_EQ(GetCmdHistory()->GetStepCount(), 0U);
    EXPECT_EQ(parts[1]->GetWidth().GetInches(), 10.0);
    // Text that is no count keeps the editor open and the part as it was.
    EXPECT_EQ(Type(kPartColCopies, 0, QStringLiteral("two")), 0);
    m_mgr->FinishEditing();
    EXPECT_EQ(parts[0]->GetCopies(), 2U);
}

TEST_F(KerfwellGDMTest, AppendRowTipIsItalicPlainText)
{
    AddParts({ QStringLiteral("Rail") });
    Attach();
    CUGCell tip;
    m_mgr->GetCell(m_mgr->GetDefaultSortColumn(), 1, &tip);
    EXPECT_EQ(tip.GetText(), QStringLiteral("(Click here to add a part)"));
    EXPECT_EQ(tip.GetCellTypeStyle(), 1);
    ASSERT_NE(tip.GetFont(), nullptr);
    EXPECT_TRUE(tip.GetFont()->italic());
}

TEST_F(KerfwellGDMTest, AppendRowOfAnEmptyListMakesPartOneWithDefaults)
{
    // Binding and counting the rows make no part; the user's move onto the
    // append row, the only row, does.
    Attach();
    EXPECT_TRUE(List().empty());
    EXPECT_EQ(GetCmdHistory()->GetStepCount(), 0U);
    EXPECT_EQ(m_grid->GotoCell(0, 0), 0);
    ASSERT_EQ(List().size(), 1U);
    const CMilledPart* part = List()[0];
    EXPECT_EQ(part->GetID().GetNumber(), 1);
    EXPECT_EQ(part->GetThickness().GetInches(), 0.75);
    EXPECT_EQ(part->GetWidth().GetInches(), 1.0);
    EXPECT_EQ(part->GetLength().GetInches(), 1.0);
    EXPECT_EQ(part->GetMaterial(), GetDefaultMaterial());
    EXPECT_EQ(GetCmdHistory()->GetStepCount(), 1U);
    CMilledPart* made = List()[0];
    HistoryUndo();
    EXPECT_TRUE(List().empty());
    HistoryRedo();
    ASSERT_EQ(List().size(), 1U);
    EXPECT_EQ(List()[0], made);
}

TEST_F(KerfwellGDMTest, AppendRowBelowPartsCopiesTheLastWithTheNextNumber)
{
    const auto parts = AddParts({ QStringLiteral("Rail"), QStringLiteral("Shelf") });
    parts[1]->SetCopies(4);
    parts[1]->SetUserInfo(QStringLiteral("left"));
    parts[1]->SetSpecialNotes(QStringLiteral("edge"));
    parts[1]->SetLength(CDimension::FromInches(33));
    parts[1]->SetMaterial(m_ash);
    parts[1]->AddHandPlacedCopies(1);
    Attach();
    EXPECT_EQ(m_mgr->CanMoveCurrentCell(0, 1, 0, 2), 1);
    ASSERT_EQ(List().size(), 3U);
    const CMilledPart* part = List()[2];
    EXPECT_EQ(part->GetID().GetNumber(), 3);
    EXPECT_TRUE(part->GetDescription().isEmpty());
    EXPECT_TRUE(part->GetUserInfo().isEmpty());
    EXPECT_TRUE(part->GetSpecialNotes().isEmpty());
    EXPECT_EQ(part->GetCopies(), 1U);
    EXPECT_EQ(part->GetHandPlacedCopies(), 0U);
    EXPECT_EQ(part->GetLength().GetInches(), 33.0);
    EXPECT_EQ(part->GetMaterial(), m_ash);
}

TEST_F(KerfwellGDMTest, OnlyAStepOntoTheAppendRowMakesAPartPagingAndJumpingStopOnTheLast)
{
    AddNumberedParts(45);
    Attach();
    m_grid->show();
    const int lastColumn = m_grid->GetColumnCount() - 1;
    struct Case
    {
        const char* name;
        Qt::Key key;
        Qt::KeyboardModifiers modifiers;
        int fromRow;
        int fromColumn;
        int presses;
        int landsOn;
        bool adds;
    };
    // Row 44 is the last part, row 45 the append row; a page is about a
    // dozen rows, so one from row 40 reaches past the end.
    const Case cases[] = {
        { "PageDown on the last row", Qt::Key_PageDown, Qt::NoModifier, 44, 0, 1, 44, false },
        { "PageDown five times from the first row", Qt::Key_PageDown, Qt::NoModifier, 0, 0, 5, 44, false },
        { "PageDown near the end", Qt::Key_PageDown, Qt::NoModifier, 40, 0, 1, 44, false },
        { "Ctrl+PageDown on the last row", Qt::Key_PageDown, Qt::ControlModifier, 44, 0, 1, 44, false },
        { "Ctrl+PageDown near the end", Qt::Key_PageDown, Qt::ControlModifier, 40, 0, 1, 44, false },
        { "Ctrl+End on the last row", Qt::Key_End, Qt::ControlModifier, 44, 0, 1, 44, false },
        { "Ctrl+End from a middle row", Qt::Key_End, Qt::ControlModifier, 3, 0, 1, 44, false },
        { "End on the last row", Qt::Key_End, Qt::NoModifier, 44, 0, 1, 44, false },
        { "End on a middle row", Qt::Key_End, Qt::NoModifier, 20, 0, 1, 20, false },
        { "Ctrl+Home from the last row", Qt::Key_Home, Qt::ControlModifier, 44, 0, 1, 0, false },
        { "PageUp on the first row", Qt::Key_PageUp, Qt::NoModifier, 0, 0, 1, 0, false },
        { "Down on a middle row", Qt::Key_Down, Qt::NoModifier, 20, 0, 1, 21, false },
        { "Down on the last row", Qt::Key_Down, Qt::NoModifier, 44, 0, 1, 45, true },
        { "Tab in the last column of the last row", Qt::Key_Tab, Qt::NoModifier, 44, lastColumn, 1, 45, true },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_EQ(List().size(), 45U);
        ASSERT_EQ(m_grid->GotoCell(c.fromColumn, c.fromRow), 0);
        for (int i = 0; i < c.presses; ++i)
            QTest::keyClick(m_grid->GetGridArea(), c.key, c.modifiers);
        EXPECT_EQ(m_grid->GetCurrentRow(), c.landsOn);
        EXPECT_EQ(List().size(), c.adds ? 46U : 45U);
        EXPECT_EQ(GetCmdHistory()->GetStepCount(), c.adds ? 1U : 0U);
        // Parts made go again, so that the next case starts alike.
        m_grid->GotoCell(0, 0);
        for (std::size_t step = GetCmdHistory()->GetStepCount(); step > 0; --step)
            HistoryUndo();
        m_mgr->RefreshRowCount();
        GetCmdHistory()->Clear();
    }
}

TEST_F(KerfwellGDMTest, PagingAndJumpingInAnEmptyOrOnePartListMakeNoPart)
{
    Attach();
    m_grid->show();
    // The empty list has no current row: only a step forward onto the
    // append row makes part 1 and changes the project.
    for (const EmptyListKey& k : kEmptyListKeys) {
        SCOPED_TRACE(k.Name() + " in an empty list");
        ASSERT_TRUE(List().empty());
        ASSERT_EQ(m_grid->GetCurrentRow(), -1);
        m_doc->SetModifiedFlag(false);
        QTest::keyClick(m_grid->GetGridArea(), k.key.key(), k.key.keyboardModifiers());
        EXPECT_EQ(m_grid->GetCurrentRow(), k.makesARow ? 0 : -1);
        EXPECT_EQ(List().size(), k.makesARow ? 1U : 0U);
        EXPECT_EQ(GetCmdHistory()->GetStepCount(), k.makesARow ? 1U : 0U);
        EXPECT_EQ(m_doc->IsModified(), k.makesARow);
        // A part made goes again, so that the next key starts alike.
        m_mgr->FinishEditing();
        for (std::size_t step = GetCmdHistory()->GetStepCount(); step > 0; --step)
            HistoryUndo();
        GetCmdHistory()->Clear();
        m_mgr->RefreshRowCount();
        m_grid->ResetCurrentCell();
    }
    // The one-part list stands on its part.
    const QKeyCombination paging[] = {
        QKeyCombination(Qt::ControlModifier, Qt::Key_Home),
        QKeyCombination(Qt::Key_PageUp),
        QKeyCombination(Qt::ControlModifier, Qt::Key_End),
        QKeyCombination(Qt::Key_PageDown),
        QKeyCombination(Qt::ControlModifier, Qt::Key_PageDown),
        QKeyCombination(Qt::Key_End),
        QKeyCombination(Qt::Key_Home),
    };
    AddNumberedParts(1);
    ASSERT_EQ(m_grid->GotoCell(0, 0), 0);
    for (const QKeyCombination key : paging) {
        SCOPED_TRACE(QKeySequence(key).toString().toStdString() + " in a list of one");
        QTest::keyClick(m_grid->GetGridArea(), key.key(), key.keyboardModifiers());
        EXPECT_EQ(m_grid->GetCurrentRow(), 0);
        EXPECT_EQ(List().size(), 1U);
        EXPECT_EQ(GetCmdHistory()->GetStepCount(), 0U);
    }
}

TEST_F(KerfwellGDMTest, AltDownAndF4OnAMaterialCellOpenItsListAndMakeNoPart)
{
    AddParts({ QStringLiteral("Rail"), QStringLiteral("Shelf") });
    Attach();
    m_grid->show();
    const int material = m_mgr->FindGridColumn(kPartColMaterial);
    ASSERT_GE(material, 0);
    auto* type = static_cast<CUGDropListType*>(m_grid->GetCellTypeByIndex(1));
    for (const QKeyCombination key :
        { QKeyCombination(Qt::AltModifier, Qt::Key_Down), QKeyCombination(Qt::Key_F4) }) {
        // The first part's row, and the last one, right above the append row.
        for (const int row : { 0, 1 }) {
            SCOPED_TRACE(QKeySequence(key).toString().toStdString() + " on row " + std::to_string(row));
            ASSERT_EQ(m_grid->GotoCell(material, row), 0);
            QTest::keyClick(m_grid->GetGridArea(), key.key(), key.keyboardModifiers());
            EXPECT_EQ(m_grid->GetCurrentRow(), row);
            EXPECT_EQ(List().size(), 2U);
            EXPECT_EQ(GetCmdHistory()->GetStepCount(), 0U);
            CUGLstBox* list = type->GetListBox();
            ASSERT_NE(list, nullptr);
            EXPECT_GE(list->count(), 2);
            QTest::keyClick(list, Qt::Key_Escape);
            ASSERT_EQ(type->GetListBox(), nullptr);
        }
    }
}

// A message box as the program shows one: modal, with the focus, and its
// own event loop running until the user answers OK. Windows closed
// meanwhile are deleted by that loop, as between any two inputs.
void AnswerABox(const QString& text)
{
    QMessageBox box(QMessageBox::Information, QStringLiteral("Kerfwell"), text, QMessageBox::Ok);
    QTimer::singleShot(0, &box, [&box] {
        EXPECT_TRUE(QTest::qWaitForWindowActive(&box));
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        box.button(QMessageBox::Ok)->click();
    });
    box.exec();
}

enum class ChoiceWay { Enter, Tab, Click, Escape };
struct BoxedChoice
{
    const char* name;
    bool locked; // else the part lies on a pinned diagram
    ChoiceWay way;
};

class MaterialChoiceWithABoxTest : public PartsGridTest, public ::testing::WithParamInterface<BoxedChoice>
{
};

// The change is refused with a box (the lock's refusal, or the pinned part's
// question): the list is still there when the box is answered, and goes
// afterwards; the part keeps its material and the grid goes on.
TEST_P(MaterialChoiceWithABoxTest, LeavesThePartAndOutlivesTheBox)
{
    const BoxedChoice& c = GetParam();
    const auto parts = AddParts({ QStringLiteral("Rail"), QStringLiteral("Stile") });
    if (c.locked) {
        RunJobs(*m_doc);
        ASSERT_TRUE(m_doc->LockProject());
    } else {
        parts[0]->AddHandPlacedCopies(1);
    }
    GetCmdHistory()->Clear();
    Attach();
    m_grid->show();
    m_grid->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(m_grid.get()));

    QPointer<CUGLstBox> list;
    int boxes = 0;
    bool listGoneWhileAsking = false;
    auto box = [&](const QString& text) {
        ++boxes;
        AnswerABox(text);
        listGoneWhileAsking = listGoneWhileAsking || !list;
    };
    const ModelMessageHook previous = SetModelMessageHook([&](const QString& text) {
        m_shown.push_back(text);
        box(text);
    });
    m_host.whilePrompting = [&] { box(QStringLiteral("Unpin?")); };

    const int material = m_mgr->FindGridColumn(kPartColMaterial);
    ASSERT_EQ(m_grid->GotoCell(material, 0), 0);
    QTest::keyClick(m_grid->GetGridArea(), Qt::Key_F4);
    auto* type = static_cast<CUGDropListType*>(m_grid->GetCellTypeByIndex(1));
    list = type->GetListBox();
    ASSERT_NE(list, nullptr);
    ASSERT_TRUE(list->hasFocus());
    QTest::keyClick(list, Qt::Key_A);
    ASSERT_EQ(list->currentItem()->text(), QStringLiteral("Ash"));
    switch (c.way) {
    case ChoiceWay::Enter:
        QTest::keyClick(list, Qt::Key_Return);
        break;
    case ChoiceWay::Tab:
        QTest::keyClick(list, Qt::Key_Tab);
        break;
    case ChoiceWay::Escape:
        QTest::keyClick(list, Qt::Key_Escape);
        break;
    case ChoiceWay::Click:
        QTest::mouseClick(
            list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->currentItem()).center());
        break;
    }
    QCoreApplication::processEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    SetModelMessageHook(previous);

    EXPECT_FALSE(listGoneWhileAsking);
    EXPECT_EQ(list, nullptr);
    EXPECT_EQ(type->GetListBox(), nullptr);
    const bool asked = c.way != ChoiceWay::Escape;
    EXPECT_EQ(boxes, asked ? 1 : 0);
    EXPECT_EQ(m_shown.size(), asked && c.locked ? 1 : 0);
    EXPECT_EQ(m_host.prompts.size(), asked && !c.locked ? 1U : 0U);
    // The grid goes on: it has the focus back, on the row, and after Tab on the next cell.
    EXPECT_EQ(m_grid->window()->focusWidget(), m_grid->GetGridArea());
    EXPECT_EQ(m_grid->GetCurrentRow(), 0);
    EXPECT_EQ(m_grid->GetCurrentColumn(), c.way == ChoiceWay::Tab ? material + 1 : material);
    m_mgr->FinishEditing();
    EXPECT_EQ(parts[0]->GetMaterialName(), QStringLiteral("Oak"));
    EXPECT_EQ(List().size(), 2U);
    EXPECT_EQ(GetCmdHistory()->GetStepCount(), 0U);
}

INSTANTIATE_TEST_SUITE_P(KerfwellGDM, MaterialChoiceWithABoxTest,
    ::testing::Values(BoxedChoice { "LockedEnter", true, ChoiceWay::Enter },
        BoxedChoice { "LockedTab", true, ChoiceWay::Tab },
        BoxedChoice { "LockedClick", true, ChoiceWay::Click },
        BoxedChoice { "LockedEscape", true, ChoiceWay::Escape },
        BoxedChoice { "PinnedEnter", false, ChoiceWay::Enter },
        BoxedChoice { "PinnedTab", false, ChoiceWay::Tab },
        BoxedChoice { "PinnedClick", false, ChoiceWay::Click },
        BoxedChoice { "PinnedEscape", false, ChoiceWay::Escape }),
    [](const ::testing::TestParamInfo<BoxedChoice>& choice) { return std::string(choice.param.name); });

TEST_F(KerfwellGDMTest, SkippedAndHandPlacedRowsShowTheirColours)
{
    // Row 0 is the current row, drawn in the selection colour.
    const auto parts = AddParts({ QStringLiteral("Current"), QStringLiteral("Skipped"),
        QStringLiteral("Pinned"), QStringLiteral("Plain") });
    // The colours are those of a run's results.
    RunJobs(*m_doc);
    parts[1]->SetSkipReason(CSkippedPartInfo::NoInventory);
    parts[2]->AddHandPlacedCopies(1);
    Attach();
    m_grid->show();
    const QImage image = m_grid->grab().toImage();
    const CUGGridInfo* gi = m_grid->GetSheetInfo();
    auto pixel = [&](int column, int row) {
        platform::Rect r;
        m_grid->GetCellRectangle(&column, &row, &r);
        // The right end of the cell: clear of the text.
        return image.pixel(gi->m_gridRect.left + r.right - 4, gi->m_gridRect.top + (r.top + r.bottom) / 2);
    };
    const QColor light = platform::ToQColor(platform::SystemColorRef(platform::SystemColor::ButtonLight));
    EXPECT_EQ(QColor(pixel(kPartColDiagramList, 3)), light);
    // A read-only cell must not look like one the user can type into.
    const QColor editable(pixel(kPartColDescription, 3));
    EXPECT_GE(std::abs(qGray(light.rgb()) - qGray(editable.rgb())), 8)
        << qPrintable(light.name()) << " against " << qPrintable(editable.name());
    EXPECT_NE(QColor(pixel(kPartColDescription, 3)), platform::ToQColor(CKerfwellGDM::kSkippedRowColor));
    EXPECT_NE(QColor(pixel(kPartColDescription, 3)), platform::ToQColor(CKerfwellGDM::kHandPlacedRowColor));
    for (int column : { kPartColDescription, kPartColDiagramList }) {
        SCOPED_TRACE(column);
        EXPECT_EQ(QColor(pixel(column, 1)), platform::ToQColor(CKerfwellGDM::kSkippedRowColor));
        EXPECT_EQ(QColor(pixel(column, 2)), platform::ToQColor(CKerfwellGDM::kHandPlacedRowColor));
    }
}

TEST_F(KerfwellGDMTest, LockedProjectTakesTypingOnlyInInfoAndRefusesTheAppendRow)
{
    const auto parts = AddParts({ QStringLiteral("Rail") });
    RunJobs(*m_doc);
    ASSERT_TRUE(m_doc->LockProject());
    GetCmdHistory()->Clear();
    Attach();
    m_shown.clear();
    EXPECT_EQ(Type(kPartColDescription, 0, QStringLiteral("Stile")), -1);
    ASSERT_EQ(m_shown.size(), 1);
    EXPECT_TRUE(m_shown.front().startsWith(QStringLiteral("This operation is not possible")));
    EXPECT_EQ(Type(kPartColUserInfo, 0, QStringLiteral("left")), 1);
    m_mgr->FinishEditing();
    EXPECT_EQ(parts[0]->GetUserInfo(), QStringLiteral("left"));
    EXPECT_EQ(parts[0]->GetDescription(), QStringLiteral("Rail"));
    m_shown.clear();
    EXPECT_EQ(m_mgr->CanMoveCurrentCell(0, 0, 0, 1), 0);
    EXPECT_EQ(m_shown.size(), 1);
    EXPECT_EQ(List().size(), 1U);
    // The editor moves on only into <Info>.
    int column = kPartColDescription, row = 0;
    EXPECT_EQ(m_mgr->OnEditNextCell(kPartColUserInfo, 0, &column, &row), 0);
    column = kPartColUserInfo;
    EXPECT_EQ(m_mgr->OnEditNextCell(kPartColDescription, 0, &column, &row), 1);
}

TEST_F(KerfwellGDMTest, DescriptionAndLengthOfOneRowAreOneUndoStep)
{
    const auto parts = AddParts({ QStringLiteral("Rail"), QStringLiteral("Stile") });
    Attach();
    EXPECT_EQ(Type(kPartColDescription, 0, QStringLiteral("Top rail")), 1);
    EXPECT_EQ(Type(kPartColLength, 0, QStringLiteral("30")), 1);
    EXPECT_EQ(parts[0]->GetDescription(), QStringLiteral("Rail")); // still the clone only
    EXPECT_EQ(m_mgr->CanMoveCurrentCell(0, 0, 0, 1), 1);
    EXPECT_EQ(GetCmdHistory()->GetStepCount(), 1U);
    EXPECT_EQ(parts[0]->GetDescription(), QStringLiteral("Top rail"));
    EXPECT_EQ(parts[0]->GetLength().GetInches(), 30.0);
    HistoryUndo();
    EXPECT_EQ(parts[0]->GetDescription(), QStringLiteral("Rail"));
    EXPECT_EQ(parts[0]->GetLength().GetInches(), 20.0);
    HistoryRedo();
    EXPECT_EQ(parts[0]->GetDescription(), QStringLiteral("Top rail"));
    EXPECT_EQ(parts[0]->GetLength().GetInches(), 30.0);
}

TEST_F(KerfwellGDMTest, LeavingARowWithoutAChangeMakesNoCommand)
{
    AddParts({ QStringLiteral("Rail"), QStringLiteral("Stile") });
    Attach();
    m_doc->SetModifiedFlag(false);
    EXPECT_EQ(Type(kPartColDescription, 0, QStringLiteral("Rail")), 1);
    EXPECT_TRUE(m_mgr->HasPendingRow());
    EXPECT_EQ(m_mgr->CanMoveCurrentCell(0, 0, 0, 1), 1);
    EXPECT_FALSE(m_mgr->HasPendingRow());
    EXPECT_EQ(GetCmdHistory()->GetStepCount(), 0U);
    EXPECT_FALSE(m_doc->IsModified());
}

TEST_F(KerfwellGDMTest, AnEditAfterAnInsertAtTheCurrentRowChangesTheNewPart)
{
    const auto parts = AddParts({ QStringLiteral("Rail"), QStringLiteral("Stile") });
    Attach();
    m_grid->GotoCell(0, 0);
    Select({ 0 });
    m_mgr->NotifySelection();
    ASSERT_EQ(m_state->GetHeldPart(), parts[0]);
    // The host's "Insert New Part" puts a part at the current row; the row
    // number stays, so no row-change notice comes.
    auto* inserted = new CMilledPart(CPartID(1));
    inserted->SetDescription(QStringLiteral("New"));
    GetCmdHistory()->Add(
        std::make_shared<CPartInsert<CMilledPart>>(std::vector<CMilledPart*> { inserted }, 0));
    EXPECT_EQ(Type(kPartColDescription, 0, QStringLiteral("Inserted")), 1);
    m_mgr->FinishEditing();
    EXPECT_EQ(inserted->GetDescription(), QStringLiteral("Inserted"));
    EXPECT_EQ(inserted->GetID().GetNumber(), 1);
    EXPECT_EQ(parts[0]->GetDescription(), QStringLiteral("Rail"));
    EXPECT_EQ(Numbers(), (std::vector<int> { 1, 2, 3 }));
}

TEST_F(KerfwellGDMTest, AnOrderChangeOfTheListMarksTheProjectModified)
{
    // The order of the list is what a save writes.
    struct Case
    {
        const char* name;
        QStringList descriptions;
        std::function<void(CKerfwellGDM&)> change;
        bool modified;
    };
    const int description = kPartColDescription;
    const Case cases[] = {
        { "a heading sort", { "Rail", "Apron" }, [&](CKerfwellGDM& mgr) { mgr.SortRows(&description, 1, 0); },
            true },
        { "a sort that keeps the order", { "Apron", "Rail" },
            [&](CKerfwellGDM& mgr) { mgr.SortRows(&description, 1, 0); }, false },
        { "sort by thickness, width and length", { "Wide", "Narrow" },
            [](CKerfwellGDM& mgr) { mgr.SortByThicknessWidthLength(); }, true },
        { "a row dragged over another", { "Apron", "Rail" }, [](CKerfwellGDM& mgr) { mgr.SwapRows(0, 1); },
            true },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        m_grid.reset();
        m_doc->OnNewDocument();
        m_mgr->ForgetSortColumn();
        const auto parts = AddParts(c.descriptions);
        parts[0]->SetWidth(CDimension::FromInches(30));
        Attach();
        m_doc->SetModifiedFlag(false);
        const QStringList before = Descriptions();
        c.change(*m_mgr);
        EXPECT_EQ(Descriptions() != before, c.modified);
        EXPECT_EQ(m_doc->IsModified(), c.modified);
    }
}

TEST_F(KerfwellGDMTest, SortsSwapAndMenus)
{
    const auto parts
        = AddParts({ QStringLiteral("Part 10"), QStringLiteral("Part 2"), QStringLiteral("Part 1") });
    parts[0]->SetThickness(CDimension::FromInches(0.5));
    parts[2]->SetWidth(CDimension::FromInches(5));
    Attach();
    const int description = kPartColDescription;
    m_mgr->SortRows(&description, 1, 0);
    EXPECT_EQ(Descriptions(), (QStringList { "Part 1", "Part 2", "Part 10" }));
    m_mgr->SortByThicknessWidthLength();
    EXPECT_EQ(Descriptions(), (QStringList { "Part 10", "Part 1", "Part 2" }));
    // The document takes only an order of its own parts.
    m_doc->ReorderParts({ parts[1], parts[0] });
    EXPECT_EQ(Descriptions(), (QStringList { "Part 10", "Part 1", "Part 2" }));

    // Swap length and width: without a row, the first selected row; nothing
    // when none is selected.
    m_grid->ResetCurrentCell();
    m_grid->ClearSelections();
    m_mgr->SwapLengthAndWidth(-1);
    EXPECT_EQ(GetCmdHistory()->GetStepCount(), 0U);
    m_mgr->SwapLengthAndWidth(1);
    EXPECT_EQ(parts[2]->GetWidth().GetInches(), 20.0);
    EXPECT_EQ(parts[2]->GetLength().GetInches(), 5.0);
    HistoryUndo();
    EXPECT_EQ(parts[2]->GetWidth().GetInches(), 5.0);
    m_grid->SelectCell(0, 1);
    m_mgr->SwapLengthAndWidth(-1);
    EXPECT_EQ(parts[2]->GetWidth().GetInches(), 20.0);
    HistoryUndo();

    // The context menu: thirteen entries, the host updates every item but
    // the separators ("Insert New Part" too: it needs one selected row there);
    // choices go to the host.
    EXPECT_EQ(m_mgr->OnMenuOpen(0, 0, 0), 1);
    EXPECT_EQ(m_grid->GetPopupMenu()->actions().size(), 13);
    EXPECT_EQ(m_host.updates,
        (std::vector<int> { -1, 2000, 2001, 2002, 2003, 2004, 2005, 2006, 2007, 2008, 2009, 2010, -2 }));
    EXPECT_FALSE(m_grid->GetPopupMenu()->actions()[9]->isEnabled());
    m_mgr->OnMenuItem(0, 0, 0, IPartsGridHost::kGroupEdit);
    EXPECT_EQ(m_host.commands, (std::vector<int> { IPartsGridHost::kGroupEdit }));
    // The heading menu never lists the part number or the notes.
    EXPECT_EQ(m_mgr->OnMenuOpen(0, -1, CKerfwellGDM::kHeadingSection), 1);
    const auto actions = m_grid->GetPopupMenu()->actions();
    ASSERT_EQ(actions.size(), 10);
    EXPECT_EQ(actions[0]->text(), QStringLiteral("Description"));
    EXPECT_TRUE(actions[0]->isChecked());
    EXPECT_EQ(actions[9]->data().toInt(), CKerfwellGDM::kAbbreviatedHeadersMenuId);
    m_mgr->OnMenuItem(0, -1, CKerfwellGDM::kHeadingSection, 1000 + kPartColNotes);
    EXPECT_TRUE(m_mgr->GetColumn(kPartColNotes)->IsHidden());
    m_mgr->OnMenuItem(0, -1, CKerfwellGDM::kHeadingSection, 1000 + kPartColCopies);
    EXPECT_TRUE(m_mgr->GetColumn(kPartColCopies)->IsHidden());
    EXPECT_EQ(m_grid->GetColumnCount(), 8);
}

TEST_F(KerfwellGDMTest, PrintingGetsTheNotesAsRowsAndNineColumns)
{
    const auto parts = AddParts({ QStringLiteral("Rail"), QStringLiteral("Stile") });
    parts[1]->SetSpecialNotes(QStringLiteral("edge band"));
    IPrintable& printable = m_mgr->AsPrintable();
    EXPECT_EQ(printable.GetRowCount(), 2);
    EXPECT_TRUE(printable.HasNotesColumn());
    EXPECT_EQ(printable.GetRowNotes(1), QStringLiteral("edge band"));
    EXPECT_EQ(printable.GetNotesGridPosition(), -1);
    EXPECT_EQ(printable.GetPrintColumnCount(), 9);
    EXPECT_TRUE(printable.IsFreeTextColumn(kPartColUserInfo));
    EXPECT_FALSE(printable.IsFreeTextColumn(kPartColCopies));
    CUGCell cell;
    printable.GetCell(kPartColDescription, 1, &cell);
    EXPECT_EQ(cell.GetText(), QStringLiteral("Stile"));
}

// A row's colour and its Diagram #s tell the same story: while the part's
// target waits for a run (TBD), the skipped or hand-placed state of the run
// before is not shown.
TEST_F(KerfwellGDMTest, RowColoursAgreeWithTheDiagramListAfterResultsAreDropped)
{
    const auto rows = [this] {
        return DescribePartsRows(*m_grid, kPartColDiagramList, static_cast<int>(List().size()));
    };
    struct Case
    {
        const char* name;
        std::function<void()> drop;
        std::string after;
    };
    const Case cases[] = {
        { "undo of the delete of a material that parts use",
            [this] {
                ASSERT_TRUE(DeleteMaterial(m_doc.get(), m_oak));
                RunJobs(*m_doc);
                ASSERT_EQ(FormatPartDiagramList(*List()[0]), QString()) << "the parts lost their material";
                HistoryUndo();
            },
            "TBD|TBD|A1 (hand-placed colour)" },
        { "unlock",
            [this] {
                ASSERT_TRUE(m_doc->LockProject());
                GetCmdHistory()->Add(std::make_shared<LockProjectCmd>(LockProjectCmd::Unlock));
                ASSERT_FALSE(m_doc->IsProjectLocked());
            },
            "TBD|TBD|TBD" },
        { "an edit of the skipped part",
            [this] {
                ASSERT_EQ(Type(kPartColLength, 1, QStringLiteral("90")), 1);
                ASSERT_EQ(m_mgr->CanMoveCurrentCell(0, 1, 0, 0), 1);
                ASSERT_EQ(List()[1]->GetLength().GetInches(), 90.0);
            },
            "TBD|TBD|A1 (hand-placed colour)" },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        m_doc->OnNewDocument();
        Append(m_oak, 10, 20, 2, QStringLiteral("Rail"));
        Append(m_oak, 60, 120, 1, QStringLiteral("Too large"));
        Append(m_ash, 10, 20, 1, QStringLiteral("Shelf"));
        RunJobs(*m_doc);
        StackList ash;
        m_doc->GetBOMOptMgr()->GetUnpinnedStacksOfMaterial(*m_ash, ash);
        ASSERT_EQ(ash.size(), 1U);
        m_doc->GetBOMOptMgr()->PinDiagram(ash.front());
        GetCmdHistory()->Clear();
        Attach();
        ASSERT_EQ(rows(), "B1|Skipped (skipped colour)|A1 (hand-placed colour)");

        c.drop();
        EXPECT_EQ(rows(), c.after);
    }
}

} // namespace
