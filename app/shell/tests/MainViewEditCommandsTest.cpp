// The edit commands of the main view over a small project in the offscreen
// main window: their enabling over pages and selections, copy, paste,
// duplicate, move, renumber, the lock and the fit modes.
#include "ShellTestSupport.h"

#include "shell/CKWLView.h"
#include "shell/CMainFrame.h"
#include "shell/MainViewCommands.h"
#include "shell/ShellCommands.h"
#include "shell/SmallDialogs.h"
#include "shell/ViewMgr.h"

#include "document/CKWLDoc.h"
#include "foundation/CmdHistory.h"
#include "foundation/UpdateHint.h"
#include "foundation/UserPrefsBase.h"
#include "gridctrl/CUGRowMode.h"
#include "grids/CKerfwellGDM.h"
#include "grids/CSGSCGDM.h"
#include "grids/RMTree.h"
#include "model/CClipboardParser.h"
#include "model/CMaterials.h"
#include "model/CMilledPart.h"
#include "model/CPartID.h"
#include "model/CSheetGoodEx.h"
#include "model/SheetGoodSizeCost.h"

#include <QApplication>
#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QTimer>

namespace {

constexpr int kDuplicateRow = 32886;
constexpr int kPrefFitMode = 3085;

class MainViewEditCommandsTest : public ShellTest
{
protected:
    void SetUp() override
    {
        ShellTest::SetUp();
        Start();
        const std::shared_ptr<CSheetGoodEx> material = m_birch = AddBirch();
        for (const char* name : { "Apron", "Leg", "Rail" }) {
            auto* part = new CMilledPart();
            part->SetMaterial(material);
            part->SetThickness(CDimension::FromInches(0.75));
            part->SetWidth(CDimension::FromInches(10));
            part->SetLength(CDimension::FromInches(20));
            part->SetDescription(QString::fromLatin1(name));
            m_app->GetDocument()->AppendPart(part);
        }
        View().RebuildPartsGrid();
        GetCmdHistory()->Clear();
    }

    std::shared_ptr<CSheetGoodEx> m_birch;

    CKWLView& View() { return *m_app->GetView(); }
    CUGRowMode& Grid() { return *View().GetPartsGrid(); }
    platform::CommandActions& Commands() { return m_app->GetMainFrame()->GetCommands(); }
    MainViewCommands& Handlers() { return *m_app->GetMainFrame()->findChild<MainViewCommands*>(); }
    bool Enabled(int id)
    {
        Commands().UpdateActions();
        return Commands().Find(id)->isEnabled();
    }
    void ShowPage(int page) { View().GetViewMgr()->ShowTab(page); }
    void Select(std::initializer_list<int> rows)
    {
        Grid().ClearSelections();
        for (int row : rows)
            Grid().SelectCell(0, row);
    }
    QStringList Descriptions() const
    {
        QStringList names;
        for (const CMilledPart* part : m_app->GetDocument()->GetPartsContainer())
            names << part->GetDescription();
        return names;
    }
};

TEST_F(MainViewEditCommandsTest, EditCommandsFollowThePageAndTheSelection)
{
    struct Case
    {
        const char* name;
        int page;
        std::vector<int> rows;
        bool copy, remove, duplicate, up, down;
    };
    const Case cases[] = {
        { "parts, nothing selected", 0, {}, false, false, false, false, false },
        { "parts, first row", 0, { 0 }, true, true, true, false, true },
        { "parts, middle row", 0, { 1 }, true, true, true, true, true },
        { "parts, last row", 0, { 2 }, true, true, true, true, false },
        { "parts, two rows", 0, { 0, 1 }, true, true, false, false, false },
        { "layouts", 1, { 1 }, true, false, false, false, false },
        { "bill of materials", 2, { 1 }, true, false, false, false, false },
        { "reports", 3, { 1 }, false, false, false, false, false },
        { "raw materials, no sheet good", 4, { 1 }, false, false, false, false, false },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ShowPage(c.page);
        Grid().ClearSelections();
        for (int row : c.rows)
            Grid().SelectCell(0, row);
        EXPECT_EQ(Enabled(ShellCommand::EditCopy), c.copy);
        EXPECT_EQ(Enabled(ShellCommand::EditCut), c.remove);
        EXPECT_EQ(Enabled(ShellCommand::DeleteSelection), c.remove);
        EXPECT_EQ(Enabled(kDuplicateRow), c.duplicate);
        EXPECT_EQ(Enabled(ShellCommand::MoveUp), c.up);
        EXPECT_EQ(Enabled(ShellCommand::MoveDown), c.down);
        EXPECT_EQ(Enabled(ShellCommand::SortByCrossSection), c.page == 0);
        EXPECT_TRUE(Enabled(ShellCommand::InsertNewPart));
    }
}

TEST_F(MainViewEditCommandsTest, CopyGivesTheHeaderAndPrivateRowsAndOnlyThoseRowsEnablePaste)
{
    ShowPage(0);
    Select({ 1 });
    EXPECT_TRUE(Commands().Trigger(ShellCommand::EditCopy));
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    const QStringList lines = data->text().split(QStringLiteral("\r\n"), Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 2);
    EXPECT_TRUE(lines[1].contains(QStringLiteral("Leg")));
    const ParseFieldRows rows = CClipboardParser::ReadPrivateForm(data->data(kClipboardFormatMilledPart));
    ASSERT_EQ(rows.size(), 1U);
    EXPECT_EQ(rows[0].GetField(kPartColDescription).GetText(), QStringLiteral("Leg"));
    EXPECT_TRUE(Enabled(ShellCommand::EditPaste));
    ShowPage(4);
    EXPECT_FALSE(Enabled(ShellCommand::EditPaste)) << "parts do not paste into stock sizes";
    ShowPage(1);
    EXPECT_FALSE(Enabled(ShellCommand::EditPaste));

    // The same text without the private rows, as another program leaves it.
    ShowPage(0);
    const QString text = data->text();
    QGuiApplication::clipboard()->setText(text);
    EXPECT_FALSE(Enabled(ShellCommand::EditPaste));
}

TEST_F(MainViewEditCommandsTest, DuplicateInsertsCopiesAndLeavesTheClipboardIntact)
{
    ShowPage(0);
    QGuiApplication::clipboard()->setText(QStringLiteral("a note of the user's"));
    Select({ 1 });
    EXPECT_TRUE(Commands().Trigger(kDuplicateRow));
    EXPECT_EQ(Descriptions(), (QStringList { "Apron", "Leg", "Leg", "Rail" }));
    EXPECT_EQ(QGuiApplication::clipboard()->text(), QStringLiteral("a note of the user's"));
    HistoryUndo();
    EXPECT_EQ(Descriptions(), (QStringList { "Apron", "Leg", "Rail" }));
    HistoryRedo();
    EXPECT_EQ(Descriptions(), (QStringList { "Apron", "Leg", "Leg", "Rail" }));
}

TEST_F(MainViewEditCommandsTest, MovingKeepsTheMovedPartSelectedAndStopsAtTheEnds)
{
    ShowPage(0);
    Select({ 1 });
    EXPECT_TRUE(Commands().Trigger(ShellCommand::MoveUp));
    EXPECT_EQ(Descriptions(), (QStringList { "Leg", "Apron", "Rail" }));
    EXPECT_EQ(Grid().GetFirstSelectedRow(), 0);
    EXPECT_TRUE(Grid().IsSingleRowSelected());
    EXPECT_TRUE(m_app->GetDocument()->IsModified());
    EXPECT_FALSE(Enabled(ShellCommand::MoveUp));

    // The handlers refuse the ends by themselves, whatever the menu state.
    Handlers().MoveUp();
    EXPECT_EQ(Descriptions(), (QStringList { "Leg", "Apron", "Rail" }));
    Select({ 2 });
    Handlers().MoveDown();
    EXPECT_EQ(Descriptions(), (QStringList { "Leg", "Apron", "Rail" }));
    Select({ 1 });
    EXPECT_TRUE(Commands().Trigger(ShellCommand::MoveDown));
    EXPECT_EQ(Descriptions(), (QStringList { "Leg", "Rail", "Apron" }));
    EXPECT_EQ(Grid().GetFirstSelectedRow(), 2);
}

TEST_F(MainViewEditCommandsTest, ALockedProjectRefusesTheEdits)
{
    ShowPage(0);
    Select({ 1 });
    EXPECT_TRUE(Commands().Trigger(ShellCommand::EditCopy));
    ASSERT_TRUE(m_app->GetDocument()->LockProject());
    const QString locked = QStringLiteral("This operation is not possible when the project is locked.");
    for (const int id : { ShellCommand::DeleteSelection, ShellCommand::EditPaste, kDuplicateRow,
             ShellCommand::MoveUp, ShellCommand::InsertNewPart, ShellCommand::RenumberParts }) {
        SCOPED_TRACE(id);
        Select({ 1 });
        m_messages.clear();
        EXPECT_TRUE(Commands().Trigger(id));
        ASSERT_EQ(m_messages.size(), 1);
        EXPECT_TRUE(m_messages[0].startsWith(locked));
        EXPECT_EQ(Descriptions(), (QStringList { "Apron", "Leg", "Rail" }));
    }
}

TEST_F(MainViewEditCommandsTest, RenumberIsOffForTextNumbersAndAFitModeChosenTwiceChangesNothing)
{
    ShowPage(0);
    const std::uint16_t mode = CPartID::GetPartIDDisplayMode();
    CPartID::SetPartIDDisplayMode(3);
    EXPECT_FALSE(Enabled(ShellCommand::RenumberParts));
    CPartID::SetPartIDDisplayMode(mode == 3 ? 0 : mode);
    EXPECT_TRUE(Enabled(ShellCommand::RenumberParts));
    CPartID::SetPartIDDisplayMode(mode);

    GetUserPrefs()->SetInt(kPrefFitMode, 0);
    EXPECT_TRUE(Commands().Trigger(ShellCommand::FitToContents));
    EXPECT_EQ(GetUserPrefs()->GetInt(kPrefFitMode), 1);
    EXPECT_EQ(Grid().GetFitMode(), 1);
    Commands().UpdateActions();
    EXPECT_TRUE(Commands().Find(ShellCommand::FitToContents)->isChecked());
    EXPECT_FALSE(Commands().Find(ShellCommand::FitToScreen)->isChecked());
    // A grid fitted otherwise meanwhile keeps its fit when the mode is chosen again.
    Grid().SetFitMode(2, false);
    EXPECT_TRUE(Commands().Trigger(ShellCommand::FitToContents));
    EXPECT_EQ(GetUserPrefs()->GetInt(kPrefFitMode), 1);
    EXPECT_EQ(Grid().GetFitMode(), 2);
}

TEST_F(MainViewEditCommandsTest, NotesAreEditedAndDeletedAsUndoableStepsAndGroupEditNeedsTwoRows)
{
    ShowPage(0);
    Select({ 1 });
    CMilledPart* leg = m_app->GetDocument()->GetPartsContainer()[1];
    EXPECT_TRUE(Enabled(ShellCommand::AddEditNote));
    EXPECT_FALSE(Enabled(ShellCommand::DeleteNote)) << "there is no note to delete";
    QTimer::singleShot(0, [] {
        if (auto* dialog = qobject_cast<CNotesEditDlg*>(QApplication::activeModalWidget())) {
            dialog->Editor()->setPlainText(QStringLiteral("round the edges"));
            dialog->accept();
        }
    });
    EXPECT_TRUE(Commands().Trigger(ShellCommand::AddEditNote));
    EXPECT_EQ(leg->GetSpecialNotes(), QStringLiteral("round the edges"));
    HistoryUndo();
    EXPECT_TRUE(leg->GetSpecialNotes().isEmpty());
    HistoryRedo();
    EXPECT_EQ(leg->GetSpecialNotes(), QStringLiteral("round the edges"));

    Select({ 1 });
    EXPECT_TRUE(Commands().Trigger(ShellCommand::DeleteNote));
    EXPECT_TRUE(leg->GetSpecialNotes().isEmpty());
    HistoryUndo();
    EXPECT_EQ(leg->GetSpecialNotes(), QStringLiteral("round the edges"));

    Select({ 1 });
    EXPECT_FALSE(Enabled(ShellCommand::GroupEdit));
    Select({ 0, 2 });
    EXPECT_TRUE(Enabled(ShellCommand::GroupEdit));
    EXPECT_FALSE(Enabled(ShellCommand::AddEditNote));
    ShowPage(2);
    EXPECT_FALSE(Enabled(ShellCommand::GroupEdit));
    EXPECT_FALSE(Enabled(ShellCommand::AddEditNote));
}

TEST_F(MainViewEditCommandsTest, ASizeCostNoteConfirmedUnchangedRecordsNoStep)
{
    ShowPage(CKWLView::RawMaterialsPage);
    UpdateHint materials(0x200, 0);
    View().GetViewMgr()->ApplyDocumentUpdate(materials);
    View().GetRMTree().SelectItemByData(m_birch.get());
    ASSERT_EQ(View().GetSizeCostGridMgr()->GetSheetGoodRef(), m_birch);
    View().GetSizeCostGrid()->SelectCell(0, 0);
    const std::shared_ptr<ISGSC> row = m_birch->GetSizeCosts().front();
    row->SetSpecialNotes(QStringLiteral("edge banded"));
    const struct
    {
        const char* typed;
        bool recorded;
    } cases[] = { { "edge banded", false }, { "veneer core", true } };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.typed);
        GetCmdHistory()->Clear();
        const QString typed = QString::fromLatin1(c.typed);
        QTimer::singleShot(0, [typed] {
            if (auto* dialog = qobject_cast<CNotesEditDlg*>(QApplication::activeModalWidget())) {
                dialog->Editor()->setPlainText(typed);
                dialog->accept();
            }
        });
        EXPECT_TRUE(Commands().Trigger(ShellCommand::AddEditNote));
        EXPECT_EQ(row->GetSpecialNotes(), typed);
        EXPECT_EQ(GetCmdHistory()->CanUndo(), c.recorded);
        if (c.recorded) {
            HistoryUndo();
            EXPECT_EQ(row->GetSpecialNotes(), QStringLiteral("edge banded"));
        }
    }
}

TEST_F(MainViewEditCommandsTest, MaterialsAreAddedOnTheirPageAndTheSelectedOneIsDeleted)
{
    ShowPage(0);
    MaterialsBase* library = GetMaterialsLibrary();
    const std::size_t count = library->GetMaterials().size();
    EXPECT_FALSE(Enabled(ShellCommand::DeleteMaterial));
    EXPECT_TRUE(Commands().Trigger(ShellCommand::AddNewMaterial));
    EXPECT_EQ(View().GetCurrentPage(), CKWLView::RawMaterialsPage);
    ASSERT_EQ(library->GetMaterials().size(), count + 1);
    RMTree& tree = View().GetRMTree();
    EXPECT_TRUE(tree.IsSheetGoodMaterialSelected()) << "the new material is named in place";
    EXPECT_TRUE(tree.GetSelectedItemText().startsWith(QStringLiteral("New")));
    EXPECT_TRUE(Enabled(ShellCommand::EditMaterialName));

    m_answer = QMessageBox::Yes;
    EXPECT_TRUE(Commands().Trigger(ShellCommand::DeleteMaterial));
    EXPECT_EQ(library->GetMaterials().size(), count);
    EXPECT_FALSE(Enabled(ShellCommand::DeleteMaterial));
    HistoryUndo();
    EXPECT_EQ(library->GetMaterials().size(), count + 1);
}

} // namespace

TEST_F(MainViewEditCommandsTest, TheGridMenusInsertNeedsOneRowAndTheInfoColumnCommandToggles)
{
    // The grid's own menu inserts at the row it was opened on; the menu
    // bar's Insert New Part works without a selection.
    ViewMgr& views = *View().GetViewMgr();
    QAction insert;
    const struct
    {
        int page;
        std::vector<int> rows;
        bool enabled;
    } cases[] = {
        { 0, {}, false },
        { 0, { 1 }, true },
        { 0, { 0, 2 }, false },
        { 4, { 1 }, false },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.rows.size());
        ShowPage(c.page);
        Grid().ClearSelections();
        for (int row : c.rows)
            Grid().SelectCell(0, row);
        views.UpdateMenuItem(IPartsGridHost::kInsertNewPart, &insert);
        EXPECT_EQ(insert.isEnabled(), c.enabled);
    }
    ShowPage(0);
    Select({});
    EXPECT_TRUE(Enabled(ShellCommand::InsertNewPart));

    ShowPage(1);
    const bool shown = views.IsTakeOffInfoColumnShown();
    Commands().Find(ShellCommand::ShowTakeOffInfoColumn)->trigger();
    EXPECT_NE(views.IsTakeOffInfoColumnShown(), shown);
    Commands().UpdateActions();
    EXPECT_EQ(Commands().Find(ShellCommand::ShowTakeOffInfoColumn)->isChecked(), !shown);
}
