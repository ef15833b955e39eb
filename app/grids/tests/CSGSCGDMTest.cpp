// The size/cost grid over a real library and project: cells, edits and
// their commands, new and deleted rows, pinned stock sizes, the context
// menu, paste and the printout's manager.
#include "EmptyListKeys.h"
#include "RawMaterialsTestSupport.h"

#include "gridctrl/CUGGrid.h"
#include "gridctrl/CUGRowMode.h"
#include "grids/CSGSCGDM.h"
#include "model/CClipboardParser.h"
#include "model/CPricingScheme.h"
#include "model/ParseFieldRow.h"
#include "model/SizeCostRowCommands.h"
#include "optimization/BOMOptMgr.h"
#include "optimization/IdenticalDiagramStack.h"
#include "platform/ui/ColorRef.h"

#include <QMenu>
#include <QTest>

namespace {

enum Column {
    kThick,
    kWidth,
    kLength,
    kCost,
    kUnits,
    kInventory,
    kCanBuy,
    kOffCut,
    kLRTrim,
    kTBTrim,
    kVendor,
    kBin,
    kNotes
};

class SizeCostGridTest : public RawMaterialsTest
{
protected:
    void SetUp() override
    {
        RawMaterialsTest::SetUp();
        m_acme = std::make_shared<CVendor>();
        m_acme->SetName(QStringLiteral("Acme"));
        m_library->AddVendor(m_acme);
        m_birch = AddMaterial(QStringLiteral("Birch"));
        // Stored out of thickness order; two rows of equal thickness.
        m_thick = AddRow(*m_birch, 1.0, 48, 96);
        m_firstHalf = AddRow(*m_birch, 0.5, 60, 120);
        m_thin = AddRow(*m_birch, 0.25, 48, 96);
        m_secondHalf = AddRow(*m_birch, 0.5, 30, 60, 0.25, 0.5);
        m_secondHalf->SetVendor(m_acme);
        m_mgr = std::make_unique<CSGSCGDM>(&m_host, m_doc.get());
        m_grid = std::make_unique<CUGRowMode>();
        m_grid->CreateGrid(0, platform::Rect(0, 0, 900, 300), nullptr, 1);
        m_grid->SetDataSource(m_grid->AddDataSource(m_mgr.get()));
        Bind(m_birch);
        GetCmdHistory()->Clear();
        m_library->SetModified(false);
    }
    void TearDown() override
    {
        m_grid.reset();
        m_mgr.reset();
        RawMaterialsTest::TearDown();
    }

    void Bind(const std::shared_ptr<CSheetGoodEx>& material)
    {
        m_mgr->SetSheetGood(material);
        m_mgr->RefreshRowCount();
        m_mgr->SortByDefaultColumn();
    }
    std::vector<std::shared_ptr<ISGSC>>& Rows() { return m_birch->GetSizeCosts(); }
    int RowOf(const std::shared_ptr<ISGSC>& row) { return m_mgr->FindRow(row); }

    CUGCell Cell(int column, int row)
    {
        CUGCell cell;
        m_mgr->AsPrintable().GetCell(column, row, &cell);
        return cell;
    }
    // Types text into a cell and leaves the row.
    int Type(int column, int row, const QString& text)
    {
        QWidget* editor = nullptr;
        if (m_mgr->OnEditBegin(column, row, &editor) == 0)
            return -1;
        const int result = m_mgr->OnEditEnd(column, row, nullptr, text, false);
        m_mgr->FinishEditing();
        return result;
    }
    // Ticks or clears a check box.
    void Choose(int column, int row, double number)
    {
        CUGCell cell;
        cell.SetCellType(sgsc::kCheckBoxCellType);
        cell.SetNumber(number);
        m_mgr->SetCell(column, row, &cell);
    }
    // Picks a drop-list text.
    void Pick(int column, int row, const QString& text)
    {
        CUGCell cell;
        cell.SetCellType(sgsc::kDropListCellType);
        cell.SetText(text);
        m_mgr->SetCell(column, row, &cell);
    }

    std::shared_ptr<CVendor> m_acme;
    std::shared_ptr<CSheetGoodEx> m_birch;
    std::shared_ptr<ISGSC> m_thick, m_firstHalf, m_thin, m_secondHalf;
    std::unique_ptr<CSGSCGDM> m_mgr;
    std::unique_ptr<CUGRowMode> m_grid;
};

TEST_F(SizeCostGridTest, ABoundMaterialIsSortedByThicknessStablyInItsOwnList)
{
    const std::vector<std::shared_ptr<ISGSC>> expected { m_thin, m_firstHalf, m_secondHalf, m_thick };
    EXPECT_EQ(Rows(), expected);
    EXPECT_EQ(m_mgr->GetSortColumn(), 0);
    EXPECT_EQ(m_mgr->GetSortDirection(), 1);
    EXPECT_EQ(m_mgr->GetRowCount(), 5); // and the append row
    EXPECT_EQ(m_mgr->GetSheetGoodRef(), m_birch);
    // Binding again sorts up again, not down.
    Bind(m_birch);
    EXPECT_EQ(Rows(), expected);
    EXPECT_EQ(m_mgr->GetSortDirection(), 1);
    EXPECT_EQ(Cell(kThick, -1).GetText(), QStringLiteral("Thick."));
    EXPECT_EQ(Cell(kNotes, -1).GetText(), QStringLiteral("Notes"));
}

TEST_F(SizeCostGridTest, InventoryTextsAreTakenWithinTheirRange)
{
    struct Case
    {
        const char* typed;
        const char* shown;
    };
    const Case cases[] = {
        { "12", "12" },
        { "*", "*" },
        { "1000000", "1000000" },
        { "1000001", "1000000" },
        { "-1", "1000000" },
        { "abc", "0" },
    };
    const int row = RowOf(m_thin);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed);
        Type(kInventory, row, QString::fromUtf8(c.typed));
        EXPECT_EQ(Cell(kInventory, row).GetText(), QString::fromUtf8(c.shown));
    }
}

TEST_F(SizeCostGridTest, CanBuyMoreIsNotApplicableToUnlimitedAndOffCutRows)
{
    const int row = RowOf(m_thin);
    // Unlimited (the rows' default): read only.
    EXPECT_EQ(Cell(kCanBuy, row).GetText(), QStringLiteral("N/A"));
    EXPECT_TRUE(Cell(kCanBuy, row).GetReadOnly());
    // Shaded as every grid shades a cell that cannot be edited.
    EXPECT_EQ(
        Cell(kCanBuy, row).GetBackColor(), platform::SystemColorRef(platform::SystemColor::ButtonLight));
    Type(kInventory, row, QStringLiteral("5"));
    Choose(kCanBuy, row, 1);
    m_mgr->FinishEditing();
    EXPECT_EQ(Cell(kCanBuy, row).GetCellType(), sgsc::kCheckBoxCellType);
    EXPECT_TRUE(m_thin->CanBuyMore());
    // Ticking "Off-Cut" clears "Can Buy More".
    Choose(kOffCut, row, 1);
    m_mgr->FinishEditing();
    EXPECT_TRUE(m_thin->IsOffCut());
    EXPECT_FALSE(m_thin->GetRecord().GetCanBuyMoreFlag());
    EXPECT_EQ(Cell(kCanBuy, row).GetText(), QStringLiteral("N/A"));
}

TEST_F(SizeCostGridTest, UncuttableValuesAreWarnedAndClearedCellsFollowTheirRules)
{
    const int row = RowOf(m_thin);
    EXPECT_NE(Cell(kThick, row).GetBackColor(), sgsc::kWarningBackColor);
    // A trim of more than half the length.
    Type(kLRTrim, row, QStringLiteral("50"));
    EXPECT_EQ(Cell(kLRTrim, row).GetBackColor(), sgsc::kWarningBackColor);
    // Clearing a trim sets zero; clearing or zeroing a size leaves it.
    Type(kLRTrim, row, QString());
    EXPECT_EQ(m_thin->GetSheetDimensions().GetLeftRightTrim().GetUnits(), 0);
    for (const QString& typed :
        { QString(), QStringLiteral("0"), QStringLiteral("xyz"), QStringLiteral("13000") }) {
        SCOPED_TRACE(typed.toStdString());
        Type(kThick, row, typed);
        Type(kWidth, row, typed);
        EXPECT_TRUE(CDimension::ApproxEqual(m_thin->GetThickness(), Inches(0.25)));
        EXPECT_TRUE(CDimension::ApproxEqual(m_thin->GetSheetDimensions().GetWidth(), Inches(48)));
    }
    // A zero size (as a factory row may have) shows the warning colour.
    SheetDimensions sheet = m_thin->GetSheetDimensions();
    sheet.SetLength(CDimension::Zero());
    m_thin->SetSheetDimensions(sheet);
    EXPECT_EQ(Cell(kLength, row).GetBackColor(), sgsc::kWarningBackColor);
    EXPECT_EQ(Cell(kTBTrim, row).GetBackColor() == sgsc::kWarningBackColor, false);
}

TEST_F(SizeCostGridTest, ANewRowTakesVendorAndTrimsOfTheLastRowOnly)
{
    Rows().back() = m_secondHalf; // the last stored row has a vendor and trims
    std::swap(Rows()[2], Rows()[3]);
    ASSERT_EQ(Rows().back(), m_secondHalf);
    const CMoney cost = CMoney::FromReal(80);
    m_secondHalf->SetUnitCost(&cost);
    m_secondHalf->SetInventory(3);
    const int append = m_mgr->GetRowCount() - 1;
    EXPECT_EQ(m_mgr->CanMoveCurrentCell(0, 0, 0, append), 1);
    ASSERT_EQ(Rows().size(), 5u);
    const auto fresh = Rows().back();
    EXPECT_EQ(fresh->GetVendor(), m_acme);
    EXPECT_TRUE(CDimension::ApproxEqual(fresh->GetSheetDimensions().GetTopBottomTrim(), Inches(0.25)));
    EXPECT_TRUE(CDimension::ApproxEqual(fresh->GetSheetDimensions().GetLeftRightTrim(), Inches(0.5)));
    EXPECT_FALSE(CDimension::ApproxEqual(fresh->GetSheetDimensions().GetWidth(), Inches(30)));
    EXPECT_EQ(fresh->GetUnitCost().GetCount(), 0);
    EXPECT_TRUE(fresh->IsUnlimited());
    EXPECT_EQ(m_mgr->GetSortColumn(), -1);
    EXPECT_EQ(Steps(), 1u);
    HistoryUndo();
    EXPECT_EQ(Rows().size(), 4u);
}

TEST_F(SizeCostGridTest, InAMaterialWithoutSizesOnlyAStepForwardMakesARow)
{
    const auto maple = AddMaterial(QStringLiteral("Maple"));
    Bind(maple);
    m_grid->show();
    for (const EmptyListKey& k : kEmptyListKeys) {
        SCOPED_TRACE(k.Name());
        ASSERT_TRUE(maple->GetSizeCosts().empty());
        ASSERT_EQ(m_grid->GetCurrentRow(), -1);
        m_library->SetModified(false);
        QTest::keyClick(m_grid->GetGridArea(), k.key.key(), k.key.keyboardModifiers());
        EXPECT_EQ(maple->GetSizeCosts().size(), k.makesARow ? 1U : 0U);
        EXPECT_EQ(Steps(), k.makesARow ? 1U : 0U);
        EXPECT_EQ(m_library->IsModified(), k.makesARow);
        EXPECT_EQ(m_grid->GetCurrentRow(), k.makesARow ? 0 : -1);
        // A row made goes again, so that the next key starts alike.
        m_mgr->FinishEditing();
        for (std::size_t step = Steps(); step > 0; --step)
            HistoryUndo();
        GetCmdHistory()->Clear();
        m_mgr->RefreshRowCount();
        m_grid->ResetCurrentCell();
    }
}

TEST_F(SizeCostGridTest, UnlimitedRowsComeFirstWhenSortedByCanBuyMore)
{
    m_thin->SetInventory(2);
    m_thin->SetCanBuyMore(true);
    m_firstHalf->SetInventory(2);
    m_firstHalf->SetCanBuyMore(false);
    const int column = kCanBuy;
    m_mgr->SortRows(&column, 1, 0);
    EXPECT_TRUE(Rows()[0]->IsUnlimited());
    EXPECT_TRUE(Rows()[1]->IsUnlimited());
    EXPECT_EQ(Rows()[2], m_firstHalf);
    EXPECT_EQ(Rows()[3], m_thin);
}

TEST_F(SizeCostGridTest, TwoCellsOfARowAreOneEditStepOnTheSameRowObject)
{
    const int row = RowOf(m_thick);
    QWidget* editor = nullptr;
    ASSERT_EQ(m_mgr->OnEditBegin(kBin, row, &editor), 1);
    m_mgr->OnEditEnd(kBin, row, nullptr, QStringLiteral("Rack\n7"), false);
    m_mgr->OnEditBegin(kCost, row, &editor);
    m_mgr->OnEditEnd(kCost, row, nullptr, QStringLiteral("42.50"), false);
    // Shown from the pending copy before the row is left; the row is untouched.
    EXPECT_EQ(Cell(kBin, row).GetText(), QStringLiteral("Rack7"));
    EXPECT_TRUE(m_thick->GetBin().isEmpty());
    EXPECT_EQ(Steps(), 0u);
    m_mgr->FinishEditing();

    EXPECT_EQ(Steps(), 1u);
    EXPECT_TRUE(GetUndoMenuText().contains(QStringLiteral("Edit Size-Cost Info")));
    EXPECT_EQ(m_thick->GetBin(), QStringLiteral("Rack7"));
    EXPECT_EQ(m_thick->GetUnitCost().GetCount(), 425000);
    HistoryUndo();
    EXPECT_EQ(Rows()[static_cast<std::size_t>(row)], m_thick);
    EXPECT_TRUE(m_thick->GetBin().isEmpty());
    EXPECT_EQ(m_thick->GetUnitCost().GetCount(), 0);
    HistoryRedo();
    EXPECT_EQ(m_thick->GetBin(), QStringLiteral("Rack7"));
}

// A size typed into the grid reaches the project: the layouts cut from the
// row are computed again on the new sheet, and undo brings the old one back.
TEST_F(SizeCostGridTest, ATypedSheetWidthResetsTheLayoutsCutFromTheRow)
{
    auto made = MakePart(1, 20, 40, 4, m_birch);
    made->SetThickness(Inches(1.0));
    m_doc->AppendPart(made.release());
    const auto widths = [this] {
        RunJobs(*m_doc);
        std::vector<double> shown;
        StackList stacks;
        m_doc->GetBOMOptMgr()->GetAllDiagrams(stacks);
        for (const StackPtr& stack : stacks)
            shown.push_back(stack->GetRoughWidth().GetInches());
        return shown;
    };
    ASSERT_EQ(widths(), std::vector<double> { 48.0 });
    GetCmdHistory()->Clear();

    Type(kWidth, RowOf(m_thick), QStringLiteral("30"));
    EXPECT_FALSE(m_doc->IsFullyOptimized());
    const std::vector<double> edited = widths();
    ASSERT_FALSE(edited.empty());
    for (double width : edited)
        EXPECT_EQ(width, 30.0);
    HistoryUndo();
    EXPECT_FALSE(m_doc->IsFullyOptimized());
    EXPECT_EQ(widths(), std::vector<double> { 48.0 });
}

TEST_F(SizeCostGridTest, LeavingARowWithoutAChangeRecordsNothing)
{
    const int row = RowOf(m_thick);
    Type(kBin, row, QString());
    EXPECT_EQ(Steps(), 0u) << "bin";
    Type(kNotes, row, QString());
    EXPECT_EQ(Steps(), 0u) << "notes";
    Pick(kVendor, row, Cell(kVendor, row).GetText());
    m_mgr->FinishEditing();
    EXPECT_EQ(Steps(), 0u) << "vendor";
    // Typing the same value again.
    Type(kThick, row, Inches(1.0).FormatDimension());
    EXPECT_EQ(Steps(), 0u);
    EXPECT_FALSE(m_library->IsModified());
}

TEST_F(SizeCostGridTest, DropListsPickVendorAndUnits)
{
    const int row = RowOf(m_thick);
    m_library->RebuildVendorNameList();
    EXPECT_TRUE(Cell(kVendor, row).GetLabelText().contains(QStringLiteral("Acme")));
    CSGSCGDM::SetUnitsChoiceList(QStringLiteral("Boards\nSheets\nSq. Ft.\n"));
    EXPECT_EQ(Cell(kUnits, row).GetLabelText(), CSGSCGDM::GetUnitsChoiceList());
    Pick(kVendor, row, QStringLiteral("Acme"));
    Pick(kUnits, row, QStringLiteral("Sq. Ft."));
    Pick(kUnits, row, QString()); // an empty choice changes nothing
    m_mgr->FinishEditing();
    EXPECT_EQ(Steps(), 1u);
    EXPECT_EQ(m_thick->GetVendor(), m_acme);
    EXPECT_EQ(Cell(kUnits, row).GetText(), QStringLiteral("Sq. Ft."));
    m_acme->SetDeleted(true);
    EXPECT_EQ(Cell(kVendor, row).GetText(), QStringLiteral("<Deleted>"));
}

TEST_F(SizeCostGridTest, ARefusedUnitCostLeavesTheCellUnchanged)
{
    sgsc::CColInfoSGUnitCost column(nullptr);
    std::shared_ptr<ISGSC> pending = m_thick->Clone();
    for (const char* typed : { "-5.00", "lots", "0.00" }) {
        SCOPED_TRACE(typed);
        EXPECT_EQ(column.ParseText(&pending, QString::fromUtf8(typed), nullptr, &pending), kEditUnchanged);
    }
    EXPECT_EQ(column.ParseText(&pending, QStringLiteral("$3.10"), nullptr, &pending), kEditAccepted);
    EXPECT_EQ(pending->GetUnitCost().GetCount(), 31000);
}

TEST_F(SizeCostGridTest, PasteRefusesNegativeCostsAndInventoriesOutOfRange)
{
    struct Case
    {
        const char* name;
        int column;
        CParseField field;
        bool accepted;
    };
    const auto text = [](const char* t) {
        CParseField f;
        f.SetText(QString::fromUtf8(t));
        return f;
    };
    const auto number = [](double n) {
        CParseField f;
        f.SetNumber(n);
        return f;
    };
    const Case cases[] = {
        { "cost text", kCost, text("$5.00"), true },
        { "negative cost text", kCost, text("-5.00"), false },
        { "negative cost number", kCost, number(-5), false },
        { "inventory", kInventory, number(1000000), true },
        { "negative inventory", kInventory, number(-1), false },
        { "inventory above range", kInventory, number(1000001), false },
        { "inventory text above range", kInventory, text("1000001"), false },
        { "unlimited", kInventory, text("*"), true },
        { "no inventory at all", kInventory, CParseField(), false },
        { "units", kUnits, text("Sq. Ft."), true },
        { "unknown units", kUnits, text("Furlongs"), false },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const auto row = m_thick->Clone();
        row->SetInventory(7);
        EXPECT_EQ(m_mgr->ApplyPastedField(c.column, *row, c.field), c.accepted);
        if (!c.accepted && c.column == kInventory) {
            EXPECT_EQ(row->GetInventory(), 7u);
        }
    }
    // An off-cut row whose can-buy-more flag is set keeps both flags.
    m_thick->SetInventory(1);
    m_thick->SetOffCut(true);
    m_thick->SetCanBuyMore(true);
    ParseFieldRows rows(1);
    for (int c = 0; c < CSGSCGDM::kColumnCount; ++c) {
        CParseField field;
        auto holder = m_thick;
        m_mgr->GetColumn(c)->ToParseField(&holder, &field);
        rows[0].AppendField(field);
    }
    CClipboardParser().CopyRowsToClipboard(rows, false, SizeCostClipboardFormat());
    m_mgr->PasteRows();
    ASSERT_EQ(Rows().size(), 5u);
    EXPECT_TRUE(Rows().back()->IsOffCut());
    EXPECT_TRUE(Rows().back()->GetRecord().GetCanBuyMoreFlag());
    EXPECT_TRUE(Rows().back()->Matches(*m_thick));
}

TEST_F(SizeCostGridTest, DeletingThreeRowsIsOneStepThatUndoesAfterTheGridLetGo)
{
    for (const auto& row : { m_thin, m_firstHalf, m_thick })
        m_grid->SelectCell(0, RowOf(row));
    std::vector<std::weak_ptr<ISGSC>> deleted { m_thin, m_firstHalf, m_thick };
    m_mgr->DeleteSelectedRows();
    EXPECT_EQ(Steps(), 1u);
    EXPECT_TRUE(GetUndoMenuText().contains(QStringLiteral("Delete Size-Cost Info")));
    ASSERT_EQ(Rows().size(), 1u);
    m_thin.reset();
    m_firstHalf.reset();
    m_thick.reset();
    m_mgr->RefreshRowCount();
    HistoryUndo();
    ASSERT_EQ(Rows().size(), 4u);
    for (const auto& weak : deleted) {
        ASSERT_FALSE(weak.expired());
        EXPECT_EQ(std::count(Rows().begin(), Rows().end(), weak.lock()), 1);
    }
}

TEST_F(SizeCostGridTest, DeletingDropsTheRowBeingTyped)
{
    const int row = RowOf(m_thick);
    QWidget* editor = nullptr;
    m_mgr->OnEditBegin(kBin, row, &editor);
    m_mgr->OnEditEnd(kBin, row, nullptr, QStringLiteral("typed"), false);
    m_grid->SelectCell(0, RowOf(m_thin));
    m_mgr->DeleteSelectedRows();
    EXPECT_EQ(Steps(), 1u);
    EXPECT_TRUE(m_thick->GetBin().isEmpty());
    EXPECT_EQ(m_mgr->GetPendingRowIndex(), -1);
}

TEST_F(SizeCostGridTest, StockSizesOfPinnedLayoutsKeepTheirSizes)
{
    const auto oakRow = m_oak->GetSizeCosts().front();
    Append(m_oak, 10, 20, 1, QStringLiteral("Rail"));
    PinFirstDiagram();
    Bind(m_oak);
    ASSERT_TRUE(m_mgr->IsStockSizePinned(oakRow.get()));
    EXPECT_EQ(Cell(kCost, 0).GetBackColor(), CSGSCGDM::kPinnedRowColor);

    // Cost, inventory, flags, vendor and bin may change; sizes and trims not.
    EXPECT_NE(Type(kBin, 0, QStringLiteral("B2")), -1);
    EXPECT_EQ(oakRow->GetBin(), QStringLiteral("B2"));
    EXPECT_TRUE(m_shown.isEmpty());
    for (int column : { kThick, kWidth, kLength, kLRTrim, kTBTrim }) {
        SCOPED_TRACE(column);
        m_shown.clear();
        EXPECT_EQ(Type(column, 0, QStringLiteral("3")), -1);
        ASSERT_EQ(m_shown.size(), 1);
        EXPECT_TRUE(m_shown.front().startsWith(
            QStringLiteral("This stock size is used by a pinned layout diagram.")));
    }
    // The keyboard stops before a size of a pinned row.
    int column = kThick, row = 0;
    EXPECT_EQ(m_mgr->OnEditNextCell(kBin, 0, &column, &row), 0);
    column = kCost;
    EXPECT_EQ(m_mgr->OnEditNextCell(kBin, 0, &column, &row), 1);
    row = 1; // the append row
    column = kThick;
    EXPECT_EQ(m_mgr->OnEditNextCell(kBin, 0, &column, &row), 1);

    m_shown.clear();
    m_grid->SelectCell(0, 0);
    m_mgr->DeleteSelectedRows();
    ASSERT_EQ(m_shown.size(), 1);
    EXPECT_TRUE(
        m_shown.front().startsWith(QStringLiteral("A selected stock size is used by a pinned layout")));
    EXPECT_EQ(m_oak->GetSizeCosts().size(), 1u);

    // A locked project no longer protects it.
    ASSERT_TRUE(m_doc->LockProject());
    EXPECT_FALSE(m_mgr->IsStockSizePinned(oakRow.get()));
    m_shown.clear();
    Type(kWidth, 0, QStringLiteral("40"));
    EXPECT_TRUE(m_shown.isEmpty());
    EXPECT_TRUE(CDimension::ApproxEqual(oakRow->GetSheetDimensions().GetWidth(), Inches(40)));
}

TEST_F(SizeCostGridTest, TheContextMenuAsksTheHostAndPassesItsCommands)
{
    m_grid->ClearSelections();
    m_grid->SelectCell(0, RowOf(m_thick));
    EXPECT_EQ(m_mgr->GetSelectedRowItem(), m_thick);
    m_host.disabledPosition = IRawMaterialsHost::kPaste;
    ASSERT_EQ(m_mgr->OnMenuOpen(0, 0, 1), 1);
    const QList<QAction*> actions = m_grid->GetPopupMenu()->actions();
    ASSERT_EQ(actions.size(), 7);
    EXPECT_EQ(actions[0]->text(), QStringLiteral("Add/Edit Note"));
    EXPECT_TRUE(actions[2]->isSeparator());
    EXPECT_TRUE(actions[5]->isEnabled());
    EXPECT_FALSE(actions[6]->isEnabled());
    EXPECT_EQ(m_host.events, (QStringList { "begin", "end" }));
    m_host.events.clear();
    for (int id = CSGSCGDM::kMenuEditNote; id <= CSGSCGDM::kMenuPaste; ++id)
        m_mgr->OnMenuItem(0, 0, 1, id);
    EXPECT_EQ(
        m_host.events, (QStringList { "edit note", "delete note", "delete rows", "cut", "copy", "paste" }));
}

TEST_F(SizeCostGridTest, TheNoteMarksTheThicknessCell)
{
    m_mgr->OnGridNotify(12, 7, 0);
    m_thick->SetSpecialNotes(QStringLiteral("warped"));
    const CUGCell cell = Cell(kThick, RowOf(m_thick));
    EXPECT_EQ(cell.GetCellType(), 7);
    EXPECT_EQ(cell.GetLabelText(), QStringLiteral("warped"));
    EXPECT_NE(Cell(kThick, RowOf(m_thin)).GetCellType(), 7);
}

TEST(SizeCostPrintout, AManagerWithoutArgumentsGivesItsCellsForPrinting)
{
    auto material = std::make_shared<CSheetGoodEx>(QStringLiteral("Maple"));
    AddRow(*material, 0.75, 48, 96)->SetSpecialNotes(QStringLiteral("second"));
    AddRow(*material, 0.25, 24, 48)->SetBin(QStringLiteral("Top"));
    CSGSCGDM printout;
    printout.SetSheetGood(material);
    printout.SortByDefaultColumn();
    IPrintable& printable = printout.AsPrintable();
    EXPECT_EQ(printable.GetRowCount(), 2);
    EXPECT_EQ(printable.GetVisibleColumnCount(), CSGSCGDM::kColumnCount);
    EXPECT_EQ(printable.GetPrintColumnCount(), CSGSCGDM::kColumnCount - 1);
    EXPECT_TRUE(printable.HasNotesColumn());
    EXPECT_EQ(printable.GetNotesGridPosition(), CSGSCGDM::kNotesColumn);
    EXPECT_EQ(printable.GetColumnAtGridPosition(11), 11);
    CUGCell bin;
    printable.GetCell(11, 0, &bin);
    EXPECT_EQ(bin.GetText(), QStringLiteral("Top"));
    EXPECT_TRUE(printable.GetRowNotes(0).isEmpty());
    EXPECT_EQ(printable.GetRowNotes(1), QStringLiteral("second"));
    CUGCell heading;
    printable.GetCell(kVendor, -1, &heading);
    EXPECT_FALSE(heading.GetText().isEmpty());
}

} // namespace
