#include "JourneyTestSupport.h"

#include "shell/CKWLView.h"
#include "shell/CMainFrame.h"
#include "shell/CMainTab.h"
#include "shell/ShellCommands.h"
#include "shell/ViewMgr.h"

#include "gridctrl/CUGCell.h"
#include "gridctrl/CUGDropListType.h"
#include "gridctrl/CUGGrid.h"
#include "gridctrl/CUGRowMode.h"
#include "grids/CKerfwellGDM.h"
#include "grids/CGridColumnInfo.h"
#include "grids/PartsGridColumns.h"
#include "grids/RMTree.h"
#include "grids/SheetGoodBOMPane.h"
#include "layouts/SnapToKerfMgr.h"
#include "layouts/ui/ILayoutsFrame.h"
#include "layouts/ui/ManualEditMgr.h"
#include "layouts/ui/InteractiveDiagramBase.h"
#include "layouts/ui/ITreeCtrl.h"
#include "layouts/ui/LayoutsViewMgr.h"
#include "layouts/ui/ThumbnailsZone.h"
#include "layouts/ui/ThumbsPanel.h"
#include "model/CMilledPart.h"
#include "optimization/DisplayDiagram.h"
#include "optimization/DrawnPart.h"
#include "output/print/ui/CPrintLayoutsDlg.h"
#include "foundation/ui/CUserPrefsPropSheet.h"

#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QPushButton>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QRadioButton>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>

#include <ostream>

namespace {

void PrintLines(const char* title, const QStringList& lines, std::ostream* out)
{
    *out << "\n  " << title << ":";
    for (const QString& line : lines)
        *out << "\n    " << line.toStdString();
}

void AddTreeLines(const QTreeWidgetItem* item, int depth, QStringList& lines)
{
    lines << QString(2 * depth, QLatin1Char(' ')) + item->text(0);
    for (int i = 0; i < item->childCount(); ++i)
        AddTreeLines(item->child(i), depth + 1, lines);
}

void CollectLeaves(QTreeWidgetItem* item, QList<QTreeWidgetItem*>& leaves)
{
    if (item->childCount() == 0)
        leaves << item;
    for (int i = 0; i < item->childCount(); ++i)
        CollectLeaves(item->child(i), leaves);
}

} // namespace

void PrintTo(const PagesShown& pages, std::ostream* out)
{
    PrintLines("parts", pages.parts, out);
    PrintLines("layouts tree", pages.layoutsTree, out);
    *out << "\n  thumbnails:";
    for (int count : pages.thumbnails)
        *out << ' ' << count;
    for (const QStringList& parts : pages.diagrams)
        PrintLines("main diagram", parts, out);
    for (const QStringList& rows : pages.takeOffs)
        PrintLines("take-off", rows, out);
    PrintLines("bill of materials", pages.bom, out);
    for (const QStringList& rows : pages.reports)
        PrintLines("report", rows, out);
    PrintLines("raw materials", pages.rawMaterials, out);
}

void PrintTo(const QString& text, std::ostream* out)
{
    *out << '"' << text.toStdString() << '"';
}

QStringList GridRows(CUGCtrl& grid)
{
    QStringList lines;
    for (int row = -1; row < grid.GetRowCount(); ++row) {
        QStringList cells;
        for (int column = 0; column < grid.GetColumnCount(); ++column) {
            CUGCell cell;
            grid.GetCellWithDefaults(column, row, &cell);
            // A cell shows its label; a drop-list cell's label is its list of
            // choices, and it shows the chosen text.
            const QString label = cell.GetLabelText();
            cells << (label.isEmpty() || label.contains(QLatin1Char('\n')) ? cell.GetText() : label);
        }
        lines << cells.join(QStringLiteral(" | "));
    }
    return lines;
}

QStringList TreeLines(const QTreeWidget& tree)
{
    QStringList lines;
    for (int i = 0; i < tree.topLevelItemCount(); ++i)
        AddTreeLines(tree.topLevelItem(i), 0, lines);
    return lines;
}

void JourneyTest::SetUp()
{
    ShellTest::SetUp();
    m_watchdog = new QTimer;
    QObject::connect(m_watchdog, &QTimer::timeout, [this] {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        // Progress dialogs of a run or a print close on their own.
        if (!dialog || dialog->objectName() == QLatin1String(kAnsweredByTheTest)
            || dialog->inherits("CTaskProgressDialog") || dialog->inherits("QProgressDialog"))
            return;
        if (m_skippedPartsExpected && dialog->inherits("CTooBigDlg")) {
            dialog->accept();
            return;
        }
        ADD_FAILURE() << "a dialog nobody expected: " << dialog->metaObject()->className() << " \""
                      << dialog->windowTitle().toStdString() << "\"";
        dialog->reject();
    });
    m_watchdog->start(500);
}

void JourneyTest::TearDown()
{
    SetPrintDialogRunner({});
    delete m_watchdog;
    ShellTest::TearDown();
}

void JourneyTest::Settle()
{
    QApplication::processEvents();
    // As the event loop does between two inputs: windows closed by the last
    // one are gone before the next.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

QString JourneyTest::InstanceName()
{
    return QStringLiteral("KwlJourney-%1").arg(QCoreApplication::applicationPid());
}

CKerfwellPlusApp& JourneyTest::StartProgram(const QStringList& arguments)
{
    CKerfwellPlusApp& app = Start(arguments, InstanceName());
    // Room for every page's controls.
    app.GetMainFrame()->showNormal();
    app.GetMainFrame()->resize(1200, 900);
    Settle();
    return app;
}

void JourneyTest::Quit()
{
    ASSERT_TRUE(m_app);
    EXPECT_TRUE(Choose(ShellCommand::AppExit));
    Settle();
    EXPECT_FALSE(m_app->GetMainFrame()->isVisible());
    m_app->ExitInstance();
    m_app.reset();
}

CKWLView& JourneyTest::View() const
{
    return *m_app->GetView();
}

bool JourneyTest::Choose(int commandId)
{
    QAction* wanted = m_app->GetMainFrame()->GetCommands().Find(commandId);
    for (QAction* entry : m_app->GetMainFrame()->menuBar()->actions()) {
        QMenu* menu = entry->menu();
        if (!menu || !menu->actions().contains(wanted))
            continue;
        Q_EMIT menu->aboutToShow();
        if (!wanted->isEnabled()) {
            ADD_FAILURE() << "menu item disabled: " << wanted->text().toStdString();
            return false;
        }
        wanted->trigger();
        Settle();
        return true;
    }
    ADD_FAILURE() << "no menu item for command " << commandId;
    return false;
}

void JourneyTest::ClickTab(int page)
{
    CMainTab& tab = View().GetTab();
    QTest::mouseClick(&tab, Qt::LeftButton, {}, tab.tabRect(page).center());
    Settle();
    ASSERT_EQ(View().GetCurrentPage(), page);
}

void JourneyTest::TypeIntoPartsGrid(int partsColumn, int row, const QString& keys)
{
    CUGRowMode& grid = *View().GetPartsGrid();
    int column = View().GetPartsGridMgr()->GetColumn(partsColumn)->GetGridPosition();
    grid.ScrollToRow(row);
    platform::Rect cell;
    int cellColumn = column;
    int cellRow = row;
    ASSERT_EQ(grid.GetCellRectangle(&cellColumn, &cellRow, &cell), 0);
    const QPoint centre((cell.left + cell.right) / 2, (cell.top + cell.bottom) / 2);
    QTest::mouseClick(grid.GetGridArea(), Qt::LeftButton, {}, centre);
    for (const QChar key : keys) {
        // An open drop list takes the keys, else the cell's editor, else the grid.
        CUGLstBox* list = grid.GetGridArea()->findChild<CUGLstBox*>();
        QWidget* target = list && list->isVisible() ? static_cast<QWidget*>(list)
            : grid.IsEditing()                      ? grid.GetEditControl()
                                                    : static_cast<QWidget*>(grid.GetGridArea());
        if (key == QLatin1Char('\t'))
            QTest::keyClick(target, Qt::Key_Tab);
        else if (key == QLatin1Char('\n'))
            QTest::keyClick(target, Qt::Key_Return);
        else if (key == kDownKey)
            QTest::keyClick(target, Qt::Key_Down);
        else
            QTest::keyClick(target, key.toLatin1());
        Settle();
    }
}

void JourneyTest::ClickTreeItem(QTreeWidget& tree, QTreeWidgetItem* item)
{
    for (QTreeWidgetItem* parent = item->parent(); parent; parent = parent->parent())
        parent->setExpanded(true);
    tree.scrollToItem(item);
    const QRect rect = tree.visualItemRect(item);
    ASSERT_TRUE(rect.isValid()) << item->text(0).toStdString();
    QTest::mouseClick(tree.viewport(), Qt::LeftButton, {}, rect.center());
    Settle();
}

void JourneyTest::DragFirstPart(const platform::Point& layoutOffset)
{
    LayoutsViewMgr& layouts = *View().GetViewMgr()->GetLayoutsViewMgr();
    auto& window = *dynamic_cast<QWidget*>(layouts.GetFrame()->GetDiagramWnd().get());
    window.repaint();
    const DisplayDiagramPtr diagram = layouts.GetCurrentDiagram();
    ASSERT_TRUE(diagram);
    ASSERT_FALSE(GetCurrentParts(diagram).empty());
    const platform::Point c = GetCurrentParts(diagram).front()->GetScreenRect().Center();
    QPoint at(c.x, c.y);
    QTest::mousePress(&window, Qt::LeftButton, {}, at);
    const auto move = [&window](const QPoint& point) {
        QWidget* receiver = QWidget::mouseGrabber() ? QWidget::mouseGrabber() : &window;
        const QPoint global = window.mapToGlobal(point);
        QMouseEvent event(QEvent::MouseMove, QPointF(receiver->mapFromGlobal(global)), QPointF(global),
                          Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(receiver, &event);
    };
    at += QPoint(5, 0); // the least move that begins a drag
    move(at);
    ManualEditMgr* edit = layouts.GetManualEditMgr();
    ASSERT_TRUE(edit);
    const platform::Point step = edit->GetSnapMgr().LayoutToScreenVector(layoutOffset);
    at += QPoint(step.x, step.y);
    move(at);
    EXPECT_TRUE(edit->IsDropAccepted());
    QWidget* receiver = QWidget::mouseGrabber() ? QWidget::mouseGrabber() : &window;
    QTest::mouseRelease(receiver, Qt::LeftButton, {}, receiver->mapFromGlobal(window.mapToGlobal(at)));
    QApplication::processEvents();
}

void JourneyTest::TypePart(const QString& keys)
{
    const int before = PartCount();
    TypeIntoPartsGrid(kPartColDescription, before, keys);
    ASSERT_EQ(PartCount(), before + 1) << keys.toStdString() << '\n'
                                       << PartsRows().join(QLatin1Char('\n')).toStdString();
}

void JourneyTest::TypeParts()
{
    ClickTab(CKWLView::PartsPage);
    for (const char* keys : {"Side\t2\t3/4\t16\t30\tP\x19\n", "Shelf\t3\t3/4\t12\t28\tP\x19\n",
                             "Back\t1\t1/2\t30\t36\tP\n"})
        ASSERT_NO_FATAL_FAILURE(TypePart(QString::fromLatin1(keys)));
}

bool JourneyTest::RunPreferences(const std::function<void(CUserPrefsPropSheet&)>& act, bool ok)
{
    bool closed = false;
    QTimer::singleShot(0, [&] {
        auto* sheet = qobject_cast<CUserPrefsPropSheet*>(QApplication::activeModalWidget());
        if (!sheet) {
            ADD_FAILURE() << "no preferences sheet";
            return;
        }
        sheet->setObjectName(QLatin1String(kAnsweredByTheTest));
        act(*sheet);
        QTest::mouseClick(
            sheet->GetButtons()->button(ok ? QDialogButtonBox::Ok : QDialogButtonBox::Cancel),
            Qt::LeftButton);
        closed = !sheet->isVisible();
        if (!closed)
            sheet->reject();
    });
    return Choose(ShellCommand::Preferences) && closed;
}

void JourneyTest::PrintEverySectionToPdf()
{
    SetPrintDialogRunner([](CPrintLayoutsDlg& dialog) {
        QComboBox* printers = dialog.PrinterChoice();
        printers->setCurrentIndex(printers->count() - 1);
        Q_EMIT printers->activated(printers->count() - 1);
        dialog.AllSectionsButton()->click();
        dialog.accept();
        return static_cast<int>(QDialog::Accepted);
    });
}

QStringList JourneyTest::PartsRows()
{
    return GridRows(*View().GetPartsGrid());
}

QStringList JourneyTest::BomRows()
{
    return GridRows(View().GetBOMPane()->GetGrid());
}

int JourneyTest::PartCount()
{
    // The rows below the heading, less the append row.
    return View().GetPartsGrid()->GetRowCount() - 1;
}

PagesShown JourneyTest::ReadEveryPage()
{
    PagesShown pages;
    ClickTab(CKWLView::LayoutsPage);
    LayoutsViewMgr& layouts = *View().GetViewMgr()->GetLayoutsViewMgr();
    ILayoutsFrame& frame = *layouts.GetFrame();
    auto* tree = qobject_cast<QTreeWidget*>(frame.GetTreeCtrl()->GetSafeHwnd());
    if (!tree) {
        ADD_FAILURE() << "no layouts tree";
        return pages;
    }
    pages.layoutsTree = TreeLines(*tree);
    QList<QTreeWidgetItem*> targets;
    for (int i = 0; i < tree->topLevelItemCount(); ++i)
        CollectLeaves(tree->topLevelItem(i), targets);
    for (QTreeWidgetItem* target : targets) {
        ClickTreeItem(*tree, target);
        pages.thumbnails << static_cast<int>(frame.GetThumbnailsZone()->Panel()->Thumbnails().size());
        QStringList parts;
        if (const DisplayDiagramPtr shown = layouts.GetCurrentDiagram())
            for (const DrawnPartPtr& part : GetCurrentParts(shown)) {
                const platform::Rect& r = part->GetSheetRect();
                parts << QStringLiteral("part %1 at %2,%3 to %4,%5%6")
                             .arg(part->GetPart() ? part->GetPart()->GetID().GetNumber() : 0)
                             .arg(r.left).arg(r.top).arg(r.right).arg(r.bottom)
                             .arg(part->IsRotated() ? QStringLiteral(" turned") : QString());
            }
        pages.diagrams << parts;
        pages.takeOffs << GridRows(*frame.GetTakeOffGrid());
    }

    ClickTab(CKWLView::BOMPage);
    pages.bom = BomRows();

    ClickTab(CKWLView::ReportsPage);
    QWidget* reportsPage = View().GetPage(CKWLView::ReportsPage);
    auto* list = reportsPage->findChild<QListWidget*>();
    if (!list) {
        ADD_FAILURE() << "no list of reports";
        return pages;
    }
    for (int i = 0; i < list->count(); ++i) {
        QListWidgetItem* item = list->item(i);
        list->scrollToItem(item);
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(item).center());
        Settle();
        pages.reports << GridRows(*View().GetViewMgr()->GetReportGrid());
    }

    ClickTab(CKWLView::RawMaterialsPage);
    pages.rawMaterials = TreeLines(View().GetRMTree());
    // Last: an opened project's parts learn their diagrams when the
    // results are computed again, on the first page that needs them.
    ClickTab(CKWLView::PartsPage);
    pages.parts = PartsRows();
    return pages;
}
