// The vendors dialog offscreen over a real materials library and history.
#include "EmptyListKeys.h"
#include "ModelTestSupport.h"

#include "gridctrl/CUGRowMode.h"
#include "grids/CVendorsDlg.h"

#include "gridctrl/CUGGrid.h"
#include "gridctrl/CUGGridInfo.h"
#include "gridctrl/CUGHeadings.h"

#include <QApplication>
#include <QFontMetrics>
#include <QMenu>
#include <QPushButton>
#include <QTest>
#include <QTimer>

namespace {

class VendorsDlgTest : public LibraryTest
{
protected:
    void SetUp() override
    {
        LibraryTest::SetUp();
        for (const char* name : {"Acme", "Birch & Co"}) {
            auto vendor = std::make_shared<CVendor>();
            vendor->SetName(QString::fromUtf8(name));
            m_library->AddVendor(vendor);
        }
        m_baseCount = m_library->GetVendors().size();
    }

    QStringList LibraryNames() const
    {
        QStringList names;
        for (const auto& vendor : m_library->GetVendors())
            names << vendor->GetName();
        return names;
    }
    static QStringList WorkingNames(CVendorsDlg& dlg)
    {
        QStringList names;
        for (const auto& vendor : dlg.GetManager().GetWorkingList())
            names << vendor->GetName();
        return names;
    }
    // Types a name into a row as the in-place editor would, then leaves it.
    static void Rename(CVendorsDlg& dlg, int row, const QString& text)
    {
        QWidget* editor = nullptr;
        auto& mgr = dlg.GetManager();
        ASSERT_EQ(mgr.OnEditBegin(0, row, &editor), 1);
        ASSERT_EQ(mgr.OnEditEnd(0, row, nullptr, text, false), 1);
        mgr.FinishEditing();
    }
    static void AddRow(CVendorsDlg& dlg)
    {
        auto& mgr = dlg.GetManager();
        const int append = mgr.GetStoredRowCount();
        ASSERT_EQ(mgr.CanMoveCurrentCell(0, 0, 0, append), 1);
    }

    size_t m_baseCount = 0;
};

TEST_F(VendorsDlgTest, NewVendorsGetUniqueNamesAndOkIsOneUndoStep)
{
    CVendorsDlg dlg(*m_library, nullptr);
    for (int i = 0; i < 3; ++i)
        AddRow(dlg);
    EXPECT_EQ(WorkingNames(dlg).mid(static_cast<int>(m_baseCount)),
              (QStringList{"New", "New (1)", "New (2)"}));
    EXPECT_FALSE(LibraryNames().contains(QStringLiteral("New")));

    const size_t stepsBefore = GetCmdHistory()->GetStepCount();
    dlg.accept();
    EXPECT_EQ(GetCmdHistory()->GetStepCount(), stepsBefore + 1);
    EXPECT_TRUE(LibraryNames().contains(QStringLiteral("New (2)")));
    HistoryUndo();
    EXPECT_EQ(m_library->GetVendors().size(), m_baseCount);
    HistoryRedo();
    EXPECT_EQ(m_library->GetVendors().size(), m_baseCount + 3);
}

TEST_F(VendorsDlgTest, RenameOntoAnotherNameInOtherCaseCountsUp)
{
    CVendorsDlg dlg(*m_library, nullptr);
    const int birch = static_cast<int>(m_baseCount) - 1;
    Rename(dlg, birch, QStringLiteral("ACME"));
    EXPECT_EQ(WorkingNames(dlg).at(birch), QStringLiteral("ACME (1)"));
    // The same name kept by its own vendor is no collision.
    Rename(dlg, birch, QStringLiteral("ACME (1)"));
    EXPECT_EQ(WorkingNames(dlg).at(birch), QStringLiteral("ACME (1)"));
    dlg.accept();
    EXPECT_TRUE(LibraryNames().contains(QStringLiteral("ACME (1)")));
    EXPECT_TRUE(m_library->GetVendorNameList().contains(QStringLiteral("ACME (1)")));
    EXPECT_FALSE(m_library->GetVendorNameList().contains(QStringLiteral("Birch & Co")));
}

TEST_F(VendorsDlgTest, CancelChangesNothing)
{
    const QStringList before = LibraryNames();
    const size_t stepsBefore = GetCmdHistory()->GetStepCount();
    {
        CVendorsDlg dlg(*m_library, nullptr);
        AddRow(dlg);
        Rename(dlg, 0, QStringLiteral("Other"));
        dlg.reject();
    }
    EXPECT_EQ(LibraryNames(), before);
    EXPECT_EQ(GetCmdHistory()->GetStepCount(), stepsBefore);
    EXPECT_FALSE(m_library->IsModified());
}

TEST_F(VendorsDlgTest, AddThenDeleteBeforeOkLeavesTheList)
{
    const QStringList before = LibraryNames();
    CVendorsDlg dlg(*m_library, nullptr);
    AddRow(dlg);
    dlg.GetGrid()->ClearSelections();
    dlg.GetGrid()->SelectCell(0, static_cast<int>(m_baseCount));
    dlg.GetManager().DeleteSelectedRows();
    EXPECT_EQ(WorkingNames(dlg), before);
    dlg.accept();
    EXPECT_EQ(LibraryNames(), before);
}

TEST_F(VendorsDlgTest, DeleteNeedsASelectionAndLeavesTheNameList)
{
    CVendorsDlg dlg(*m_library, nullptr);
    dlg.GetGrid()->ClearSelections();
    dlg.GetManager().UpdateDeleteButton();
    EXPECT_FALSE(dlg.GetDeleteButton()->isEnabled());
    const int birch = static_cast<int>(m_baseCount) - 1;
    dlg.GetGrid()->SelectCell(0, birch);
    dlg.GetManager().UpdateDeleteButton();
    EXPECT_TRUE(dlg.GetDeleteButton()->isEnabled());
    dlg.GetDeleteButton()->click();
    dlg.accept();
    EXPECT_FALSE(LibraryNames().contains(QStringLiteral("Birch & Co")));
    EXPECT_FALSE(m_library->GetVendorNameList().contains(QStringLiteral("Birch & Co")));
    HistoryUndo();
    EXPECT_TRUE(m_library->GetVendorNameList().contains(QStringLiteral("Birch & Co")));
}

TEST_F(VendorsDlgTest, VendorColumnShowsDeletedAndPrintsWithoutAGrid)
{
    std::vector<std::shared_ptr<CommandBase>> queued;
    CVendorGDM mgr(*m_library, queued, nullptr);
    CUGCell cell;
    mgr.AsPrintable().GetCell(0, static_cast<int>(m_baseCount) - 1, &cell);
    EXPECT_EQ(cell.GetText(), QStringLiteral("Birch & Co"));
    EXPECT_EQ(mgr.AsPrintable().GetRowCount(), static_cast<int>(m_baseCount));
    CUGCell heading;
    mgr.AsPrintable().GetCell(0, -1, &heading);
    EXPECT_EQ(heading.GetText(), QStringLiteral("Vendor"));
}

// Emptied as a user does, by deleting every vendor: only a step forward onto
// the append row makes a vendor "New" (Enter is the dialog's OK).
TEST_F(VendorsDlgTest, InAnEmptiedListOnlyAStepForwardMakesAVendor)
{
    CVendorsDlg dlg(*m_library, nullptr);
    CUGRowMode& grid = *dlg.GetGrid();
    auto deleteAll = [&] {
        for (int rows = dlg.GetManager().GetStoredRowCount(); rows > 0; --rows) {
            grid.ClearSelections();
            grid.SelectCell(0, 0);
            dlg.GetDeleteButton()->click();
        }
    };
    deleteAll();
    dlg.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dlg));
    for (const EmptyListKey& k : kEmptyListKeys) {
        if (k.key.key() == Qt::Key_Return)
            continue;
        SCOPED_TRACE(k.Name());
        ASSERT_TRUE(WorkingNames(dlg).isEmpty());
        ASSERT_EQ(grid.GetCurrentRow(), -1);
        QTest::keyClick(grid.GetGridArea(), k.key.key(), k.key.keyboardModifiers());
        EXPECT_EQ(WorkingNames(dlg), k.makesARow ? QStringList { QStringLiteral("New") } : QStringList());
        EXPECT_EQ(grid.GetCurrentRow(), k.makesARow ? 0 : -1);
        EXPECT_TRUE(dlg.isVisible());
        // A vendor made goes again, so that the next key starts alike.
        dlg.GetManager().FinishEditing();
        deleteAll();
        grid.ResetCurrentCell();
    }
}

// The dialog's grid is set up as every grid of the program: the Vendor
// column fills it, its side heading is 30 pixels, it scrolls live, sorts
// from its heading with an arrow and offers "Delete vendor" on a right
// click; Enter and Escape reach the dialog's buttons.
TEST_F(VendorsDlgTest, TheGridIsSetUpAsEveryGridAndLeavesEnterAndEscapeToTheDialog)
{
    CVendorsDlg dlg(*m_library, nullptr);
    dlg.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dlg));
    CUGRowMode& grid = *dlg.GetGrid();
    EXPECT_EQ(grid.GetSheetInfo()->m_sideHdgWidth, 30);
    EXPECT_EQ(grid.GetSheetInfo()->m_vScrollMode, 1) << "live scrolling";
    const int column = grid.GetColumnWidth(0);
    EXPECT_GE(column, QFontMetrics(grid.GetGridArea()->font()).horizontalAdvance(QStringLiteral("Birch & Co")));
    EXPECT_GE(column + grid.GetSheetInfo()->m_sideHdgWidth, grid.GetGridArea()->width() * 3 / 4)
        << "the one column fills the grid";

    // The heading sorts; a second click turns the order.
    CUGTopHdg* heading = grid.GetTopHeading();
    const QPoint onHeading(grid.GetSheetInfo()->m_sideHdgWidth + 10, heading->height() / 2);
    for (const bool ascending : {true, false}) {
        QTest::mouseClick(heading, Qt::LeftButton, {}, heading->mapFrom(&grid, onHeading));
        const QStringList names = WorkingNames(dlg);
        EXPECT_EQ(names.indexOf(QStringLiteral("Acme")) < names.indexOf(QStringLiteral("Birch & Co")), ascending);
    }
    EXPECT_EQ(dlg.GetManager().GetSortColumn(), 0);
    CUGCell sorted;
    grid.GetCellWithDefaults(0, -1, &sorted);
    EXPECT_NE(sorted.GetCellType(), 0) << "the heading shows the sort arrow";

    // A right click on a row offers to delete it.
    QStringList offered;
    QTimer::singleShot(0, [&] {
        if (auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget())) {
            for (QAction* action : menu->actions())
                offered << action->text();
            menu->close();
        }
    });
    CUGGrid* cells = grid.GetGridArea();
    QTest::mouseClick(cells, Qt::RightButton, {}, QPoint(10, 5));
    EXPECT_EQ(offered, QStringList{QStringLiteral("Delete vendor")});

    struct Case
    {
        Qt::Key key;
        QDialog::DialogCode result;
    };
    for (const Case& c : {Case{Qt::Key_Escape, QDialog::Rejected}, Case{Qt::Key_Return, QDialog::Accepted}}) {
        SCOPED_TRACE(c.key);
        dlg.setResult(-1);
        dlg.show();
        cells->setFocus();
        QTest::keyClick(cells, c.key);
        EXPECT_FALSE(dlg.isVisible());
        EXPECT_EQ(dlg.result(), c.result);
    }
}

} // namespace
