// screenshots: starts the program offscreen at 1600 x 1000 with a sample
// project and writes a PNG of each of its five pages, of a part being dragged
// by hand on the Layouts page, and of the pinned-part alert, so that anyone
// can look at what the program shows without a display.
//
//   screenshots [output folder]      (default: ./screenshots)
//
// The program runs in a throw-away home folder: it never touches the user's
// preferences, materials or recent files.

#include "shell/CKWLView.h"
#include "shell/CKerfwellPlusApp.h"
#include "shell/CMainFrame.h"
#include "shell/CMainTab.h"
#include "shell/ShellCommands.h"
#include "shell/ViewMgr.h"

#include "document/CKWLDoc.h"
#include "foundation/DimensionFormatPrefs.h"
#include "foundation/UpdateHint.h"
#include "foundation/UserPrefsBase.h"
#include "gridctrl/CUGDropListType.h"
#include "gridctrl/CUGGrid.h"
#include "gridctrl/CUGRowMode.h"
#include "grids/PartsGridStrings.h"
#include "grids/RMTree.h"
#include "layouts/ui/InteractiveDiagramBase.h"
#include "layouts/ui/LayoutsFrame.h"
#include "layouts/ui/LayoutsViewMgr.h"
#include "model/CMaterials.h"
#include "model/CMilledPart.h"
#include "model/CSheetGoodEx.h"
#include "model/SheetGoodSizeCost.h"
#include "optimization/DisplayDiagram.h"

#include "ThrowAwayHome.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QMouseEvent>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <cstdio>
#include <cstdlib>

namespace {

constexpr int kDimensionsStyle = 3016;
constexpr int kMillimetres = 5;

QString g_out;
int g_failures = 0;

void Settle()
{
    for (int i = 0; i < 5; ++i)
        QApplication::processEvents();
}

void Save(QWidget* widget, const QString& name)
{
    const QString path = QDir(g_out).filePath(name + QStringLiteral(".png"));
    if (widget && widget->grab().save(path)) {
        std::printf("%s\n", qPrintable(path));
    } else {
        std::fprintf(stderr, "could not write %s\n", qPrintable(path));
        ++g_failures;
    }
}

std::shared_ptr<CSheetGoodEx> AddMaterial(const QString& name, double width, double length)
{
    auto* library = dynamic_cast<CMaterials*>(GetMaterialsLibrary());
    if (!library)
        return nullptr;
    auto material = std::make_shared<CSheetGoodEx>(name);
    auto row = std::make_shared<SheetGoodSizeCost>();
    row->SetThickness(CDimension::FromInches(0.75));
    SheetDimensions sheet = row->GetSheetDimensions();
    sheet.SetWidth(CDimension::FromInches(width));
    sheet.SetLength(CDimension::FromInches(length));
    row->SetSheetDimensions(sheet);
    row->SetUnlimited();
    row->SetVendor(library->FindOrAddVendor(QStringLiteral("Northwest Hardwood & Plywood Supply Co.")));
    material->GetSizeCosts().push_back(row);
    library->GetMaterials().push_back(material);
    return material;
}

// A small cabinet: carcass parts, shelves and narrow strips whose dimension
// labels must fit or be left out.
CMilledPart* AddSampleParts(CKWLDoc& doc, const std::shared_ptr<CSheetGoodEx>& material)
{
    struct Part
    {
        const char* description;
        double width, length;
        std::uint32_t copies;
    };
    const Part parts[] = {
        { "Side", 22.5, 34.5, 2 },
        { "Top", 22.5, 34.5, 1 },
        { "Bottom", 22.5, 34.5, 1 },
        { "Shelf", 11.25, 33, 3 },
        { "Back", 30, 33.75, 1 },
        { "Face strip", 1.5, 34.5, 4 },
        { "Kick", 3.5, 34.5, 2 },
    };
    CMilledPart* first = nullptr;
    for (const Part& p : parts) {
        auto* part = new CMilledPart();
        part->SetDescription(QString::fromUtf8(p.description));
        part->SetMaterial(material);
        part->SetThickness(CDimension::FromInches(0.75));
        part->SetWidth(CDimension::FromInches(p.width));
        part->SetLength(CDimension::FromInches(p.length));
        part->SetCopies(p.copies);
        doc.AppendPart(part);
        if (!first)
            first = part;
    }
    return first;
}

void ShowPage(CKWLView& view, int page)
{
    CMainTab& tab = view.GetTab();
    QTest::mouseClick(&tab, Qt::LeftButton, {}, tab.tabRect(page).center());
    Settle();
}

void SendMove(QWidget* window, const QPoint& point)
{
    QWidget* receiver = QWidget::mouseGrabber() ? QWidget::mouseGrabber() : window;
    const QPoint global = window->mapToGlobal(point);
    QMouseEvent event(QEvent::MouseMove, QPointF(receiver->mapFromGlobal(global)), QPointF(global),
        Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(receiver, &event);
}

// Presses on the first part of the shown diagram and moves it by hand; the
// picture is taken while the button is still held.
void CaptureDrag(CMainFrame& frame, LayoutsViewMgr& layouts)
{
    auto* layoutsFrame = dynamic_cast<LayoutsFrame*>(layouts.GetFrame());
    const DisplayDiagramPtr diagram = layouts.GetCurrentDiagram();
    if (!layoutsFrame || !diagram) {
        std::fprintf(stderr, "no diagram to drag\n");
        ++g_failures;
        return;
    }
    auto* window = dynamic_cast<QWidget*>(layoutsFrame->GetDiagramWnd().get());
    if (!window)
        return;
    window->repaint();
    const DrawnPartList parts = GetCurrentParts(*diagram);
    if (parts.empty())
        return;
    const platform::Point c = parts.front()->GetScreenRect().Center();
    QPoint at(c.x, c.y);
    QTest::mousePress(window, Qt::LeftButton, Qt::NoModifier, at);
    for (int step = 0; step < 8; ++step) {
        at += QPoint(6, 3);
        SendMove(window, at);
        Settle();
    }
    Save(&frame, QStringLiteral("6-layouts-hand-drag"));
    // Back where it started: the drop leaves the layout as it was.
    SendMove(window, QPoint(c.x, c.y));
    QWidget* receiver = QWidget::mouseGrabber() ? QWidget::mouseGrabber() : window;
    QTest::mouseRelease(receiver, Qt::LeftButton, Qt::NoModifier,
        receiver->mapFromGlobal(window->mapToGlobal(QPoint(c.x, c.y))));
    Settle();
}

// The alert is modal: it is photographed from inside its own loop.
void CaptureModal(const QString& name, const std::function<void()>& open)
{
    QElapsedTimer waited;
    waited.start();
    auto* poll = new QTimer;
    QObject::connect(poll, &QTimer::timeout, [poll, name, &waited] {
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal && waited.elapsed() < 5000)
            return;
        poll->stop();
        poll->deleteLater();
        if (!modal) {
            std::fprintf(stderr, "no dialog for %s\n", qPrintable(name));
            ++g_failures;
            return;
        }
        Settle();
        Save(modal, name);
        modal->close();
    });
    poll->start(50);
    open();
}

} // namespace

int main(int argc, char* argv[])
{
    QTemporaryDir home;
    if (!home.isValid())
        return 2;
    UseThrowAwayHome(home);

    QApplication application(argc, argv);
    g_out = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("screenshots");
    if (!QDir().mkpath(g_out)) {
        std::fprintf(stderr, "cannot make %s\n", qPrintable(g_out));
        return 2;
    }

    CKerfwellPlusApp program(QStringLiteral("KwlScreenshots"));
    if (!program.InitInstance({}))
        return 1;
    CMainFrame& frame = *program.GetMainFrame();
    CKWLView& view = *program.GetView();
    frame.showNormal();
    frame.setGeometry(0, 0, 1600, 1000);
    Settle();

    const auto birch = AddMaterial(QStringLiteral("Birch Plywood"), 48, 96);
    CMilledPart* side = AddSampleParts(*program.GetDocument(), birch);
    UpdateHint added(0x201, 0);
    view.GetViewMgr()->ApplyDocumentUpdate(added);
    Settle();

    const char* const names[] = { "1-parts", "2-layouts", "3-bom", "4-reports", "5-raw-materials" };
    const int order[] = { CKWLView::PartsPage, CKWLView::LayoutsPage, CKWLView::BOMPage,
        CKWLView::ReportsPage, CKWLView::RawMaterialsPage };
    for (int i = 0; i < 5; ++i) {
        ShowPage(view, order[i]);
        Save(&frame, QString::fromLatin1(names[i]));
    }

    // The raw materials of the sample's plywood, its vendor's drop list open.
    view.GetRMTree().SelectItemByData(birch.get());
    Settle();
    Save(&frame, QStringLiteral("5-raw-materials-selected"));
    if (CUGRowMode* grid = view.GetSizeCostGrid()) {
        for (int column = 0; column < grid->GetColumnCount(); ++column) {
            CUGCell cell;
            grid->GetCellWithDefaults(column, 0, &cell);
            if (cell.GetText().startsWith(QStringLiteral("Northwest"))) {
                grid->GotoCell(column, 0);
                QTest::keyClick(grid->GetGridArea(), Qt::Key_Return);
                Settle();
                Save(&frame, QStringLiteral("5-raw-materials-vendor-list"));
                if (auto* list = grid->GetGridArea()->findChild<CUGLstBox*>())
                    QTest::keyClick(list, Qt::Key_Escape);
                Settle();
                break;
            }
        }
    }

    // The layouts in millimetres: the longest dimension texts.
    if (UserPrefsBase* prefs = GetUserPrefs()) {
        const int style = prefs->GetInt(kDimensionsStyle);
        prefs->SetInt(kDimensionsStyle, kMillimetres);
        ApplyDimensionFormats(*prefs);
        ShowPage(view, CKWLView::LayoutsPage);
        if (LayoutsViewMgr* layouts = view.GetViewMgr()->GetLayoutsViewMgr())
            if (auto* layoutsFrame = dynamic_cast<LayoutsFrame*>(layouts->GetFrame()))
                if (auto* window = dynamic_cast<QWidget*>(layoutsFrame->GetDiagramWnd().get()))
                    window->update();
        Settle();
        Save(&frame, QStringLiteral("2-layouts-mm"));
        prefs->SetInt(kDimensionsStyle, style);
        ApplyDimensionFormats(*prefs);
        ShowPage(view, CKWLView::PartsPage);
    }

    ShowPage(view, CKWLView::LayoutsPage);
    if (LayoutsViewMgr* layouts = view.GetViewMgr()->GetLayoutsViewMgr())
        CaptureDrag(frame, *layouts);

    // Pinned diagrams protect their parts: lowering the sides' copies asks.
    frame.GetCommands().Trigger(ShellCommand::PinAllDiagrams);
    ShowPage(view, CKWLView::PartsPage);
    CaptureModal(QStringLiteral("7-pinned-part-alert"),
        [&] { view.GetViewMgr()->ShowPinnedPartPrompt(side, kStrPinnedPartCopies); });

    program.ExitInstance();
    return g_failures == 0 ? 0 : 1;
}
