// openbench: times how long opening a large project keeps the user from
// working, in the real program window (offscreen), and how long the first
// visit of the Layouts page then takes to compute the layouts.
//
//   openbench [parts ...]      (default: 500 2000 5000)
//
// For each count it saves an unlocked project of that many part lines (25
// mixed sizes, one copy each, on one 48 x 96 plywood), opens it through the
// program's own open path and prints one JSON line:
//   open_ms        from the open until the window is idle again (the Parts
//                  page filled);
//   layouts_ms     the first visit of the Layouts page afterwards;
//   locked_open_ms the same project locked (its layouts stored) and opened.
// The program runs in a throw-away home folder.

#include "shell/CKWLView.h"
#include "shell/CKerfwellPlusApp.h"
#include "shell/CMainFrame.h"
#include "shell/CMainTab.h"

#include "document/CKWLDoc.h"
#include "foundation/UpdateHint.h"
#include "model/CMaterials.h"
#include "model/CMilledPart.h"
#include "model/CSheetGoodEx.h"
#include "model/SheetGoodSizeCost.h"

#include "ThrowAwayHome.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QTest>

#include <cstdio>
#include <cstdlib>

namespace {

void Settle()
{
    for (int i = 0; i < 5; ++i)
        QApplication::processEvents();
}

std::shared_ptr<CSheetGoodEx> AddPlywood()
{
    auto* library = dynamic_cast<CMaterials*>(GetMaterialsLibrary());
    if (!library)
        return nullptr;
    auto material = std::make_shared<CSheetGoodEx>(QStringLiteral("Bench Plywood"));
    auto row = std::make_shared<SheetGoodSizeCost>();
    row->SetThickness(CDimension::FromInches(0.75));
    SheetDimensions sheet = row->GetSheetDimensions();
    sheet.SetWidth(CDimension::FromInches(48));
    sheet.SetLength(CDimension::FromInches(96));
    row->SetSheetDimensions(sheet);
    row->SetUnlimited();
    material->GetSizeCosts().push_back(row);
    library->GetMaterials().push_back(material);
    return material;
}

void AddParts(CKWLDoc& doc, const std::shared_ptr<CSheetGoodEx>& material, int count)
{
    for (int i = 0; i < count; ++i) {
        auto* part = new CMilledPart();
        part->SetDescription(QStringLiteral("Part %1").arg(i + 1));
        part->SetMaterial(material);
        part->SetThickness(CDimension::FromInches(0.75));
        part->SetWidth(CDimension::FromInches(4 + (i % 5) * 3.5));
        part->SetLength(CDimension::FromInches(10 + (i / 5 % 5) * 4.75));
        part->SetCopies(1);
        doc.AppendPart(part);
    }
}

void ShowPage(CKWLView& view, int page)
{
    CMainTab& tab = view.GetTab();
    QTest::mouseClick(&tab, Qt::LeftButton, {}, tab.tabRect(page).center());
    Settle();
}

qint64 TimedOpen(CKerfwellPlusApp& program, const QString& path)
{
    program.OnFileNew();
    Settle();
    QElapsedTimer timer;
    timer.start();
    if (!program.OpenDocumentFile(path))
        return -1;
    Settle();
    return timer.elapsed();
}

} // namespace

int main(int argc, char* argv[])
{
    QTemporaryDir home;
    if (!home.isValid())
        return 2;
    UseThrowAwayHome(home);

    QApplication application(argc, argv);
    QList<int> counts;
    for (int i = 1; i < argc; ++i)
        counts << QString::fromLocal8Bit(argv[i]).toInt();
    if (counts.isEmpty())
        counts = { 500, 2000, 5000 };

    CKerfwellPlusApp program(QStringLiteral("KwlOpenBench"));
    if (!program.InitInstance({}))
        return 1;
    CMainFrame& frame = *program.GetMainFrame();
    CKWLView& view = *program.GetView();
    frame.showNormal();
    frame.setGeometry(0, 0, 1600, 1000);
    Settle();
    const auto plywood = AddPlywood();
    if (!plywood)
        return 1;

    for (const int count : counts) {
        if (count <= 0)
            continue;
        program.OnFileNew();
        AddParts(*program.GetDocument(), plywood, count);
        const QString unlocked = home.filePath(QStringLiteral("Unlocked%1.kwxe").arg(count));
        const QString locked = home.filePath(QStringLiteral("Locked%1.kwxe").arg(count));
        if (!program.GetDocument()->DoSave(unlocked, true))
            return 1;

        ShowPage(view, CKWLView::PartsPage);
        const qint64 openMs = TimedOpen(program, unlocked);
        QElapsedTimer timer;
        timer.start();
        ShowPage(view, CKWLView::LayoutsPage);
        const qint64 layoutsMs = timer.elapsed();

        if (!program.GetDocument()->LockProject() || !program.GetDocument()->DoSave(locked, true))
            return 1;
        ShowPage(view, CKWLView::PartsPage);
        const qint64 lockedOpenMs = TimedOpen(program, locked);
        std::printf("{\"parts\":%d,\"open_ms\":%lld,\"layouts_ms\":%lld,\"locked_open_ms\":%lld}\n", count,
            static_cast<long long>(openMs), static_cast<long long>(layoutsMs), static_cast<long long>(lockedOpenMs));
        std::fflush(stdout);
    }
    program.GetDocument()->SetModifiedFlag(false);
    program.ExitInstance();
    return 0;
}
