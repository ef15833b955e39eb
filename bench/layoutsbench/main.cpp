// How fast the layouts window draws: a full repaint of the main diagram as
// the window paints it, sizing and painting the thumbnails column, and
// building the kerfs a dragged part snaps to. The diagrams are made through
// the results model (no optimizer run): one sheet with a grid of 300 parts
// and 100 sheets of 20 parts. One JSON line on standard output.
//
//   layoutsbench [--small] [--repeat N]
//
// --small: 30 parts and 10 sheets, 3 repaints (a quick check that it runs).

#include "FakePrefs.h"
#include "foundation/PrefsTable.h"
#include "foundation/TCPResource.h"
#include "foundation/UIResources.h"
#include "foundation/UIStringTable.h"
#include "layouts/KerfCollection.h"
#include "layouts/LayoutsStrings.h"
#include "layouts/ui/InteractiveDiagramWnd.h"
#include "layouts/ui/MainDiagramViewMgr.h"
#include "layouts/ui/PaneOwners.h"
#include "layouts/ui/ThumbnailsZone.h"
#include "layouts/ui/ThumbnailsZoneMgr.h"
#include "layouts/ui/ThumbsPanel.h"
#include "model/CMilledPart.h"
#include "model/CSheetGoodEx.h"
#include "model/ModelStrings.h"
#include "model/SheetGoodSizeCost.h"
#include "optimization/OptimizationStrings.h"

#include <QApplication>
#include <QImage>
#include <QTemporaryDir>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <map>
#include <memory>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

double MsSince(Clock::time_point start)
{
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

// Every preference at its registered default, with the labels, dimensions
// and outer dimensions of a busy diagram switched on.
class BenchPrefs final : public FakePrefs
{
public:
    BenchPrefs()
    {
        for (const PrefDefinition& d : GetPrefDefinitions()) {
            if (d.type == PrefType::Text)
                m_texts[d.id] = QString::fromUtf8(d.text);
            else if (d.type == PrefType::Real)
                m_reals[d.id] = d.realDefault;
            else
                ints[d.id] = d.intDefault;
        }
        m_texts[1009] = m_texts[1035] = QStringLiteral("DejaVu Sans");
        for (const int id : { 2027, 2029, 2108, 2125 }) // part ids, dimensions, descriptions, outer dims
            ints[id] = 1;
    }
    QString GetString(int id) const override { return m_texts.count(id) ? m_texts.at(id) : QString(); }
    double GetReal(int id) const override { return m_reals.count(id) ? m_reals.at(id) : 0.0; }

private:
    std::map<int, QString> m_texts;
    std::map<int, double> m_reals;
};

// The page's view manager as far as the two panes ask: one shown diagram.
class BenchOwner final : public IMainDiagramOwner, public IThumbnailsOwner
{
public:
    DisplayDiagramPtr shown;
    int count = 1;

    DisplayDiagramPtr GetCurrentDiagram() const override { return shown; }
    int GetCurrentDiagramIndex() const override { return 0; }
    TakeOffSelection GetTakeOffSelection() const override { return {}; }
    bool IsTakeOffTurnMatched() const override { return false; }
    int GetDiagramCount() const override { return count; }
    std::shared_ptr<IManualEditView> GetManualEditView() const override { return nullptr; }
    void OnTakeOffSelectionChanged(const TakeOffSelection&, int) override { }
    void OnMainDiagramResized() override { }
    void TurnCurrentDiagram() override { }
    void ToggleLabelStyle(bool) override { }
    void StepDiagram(int) override { }
    void ShowCurrentDiagramContextMenu(const QPoint&) override { }
    void OnMouseMove(Qt::MouseButtons, Qt::KeyboardModifiers, const QPoint&) override { }
    void OnMouseUp(const QPoint&) override { }
    void OnDiagramPress(const DrawnPartPtr&, const QPoint&) override { }
    void OnThumbnailSelected(const ThumbnailChoice&) override { }
    void ShowDiagramContextMenu(const DisplayDiagramPtr&, const QPoint&) override { }
    void PinDiagrams(const std::vector<DisplayDiagramPtr>&) override { }
    void UnpinDiagrams(const std::vector<DisplayDiagramPtr>&) override { }
    void MarkModified() override { }
    void PrintActivePage() override { }
    bool IsEditAllowed() const override { return true; }
    OptimizationSettings GetOptimizationSettings() const override { return {}; }
};

struct Project
{
    std::shared_ptr<CSheetGoodEx> material = std::make_shared<CSheetGoodEx>(QStringLiteral("Birch Ply"));
    std::shared_ptr<ISGSC> row;
    std::vector<std::unique_ptr<CMilledPart>> parts;

    Project()
    {
        material->GetSawSetupForEdit().SetKerf(CDimension::FromInches(0.125));
        auto size = std::make_shared<SheetGoodSizeCost>();
        size->SetThickness(CDimension::FromInches(0.75));
        SheetDimensions sheet = size->GetSheetDimensions();
        sheet.SetWidth(CDimension::FromInches(48));
        sheet.SetLength(CDimension::FromInches(96));
        size->SetSheetDimensions(sheet);
        material->GetSizeCosts().push_back(size);
        row = size;
    }

    // A sheet with a grid of `count` parts, as close to square as fits.
    StackPtr Sheet(int count)
    {
        int columns = 1;
        while (columns * columns * 2 < count)
            ++columns;
        columns *= 2; // the sheet is twice as long as wide
        const int rows = (count + columns - 1) / columns;
        const double stepX = 96.0 / columns;
        const double stepY = 48.0 / rows;
        DrawnPartList drawn;
        for (int i = 0; i < count; ++i) {
            const double w = stepX - 0.125;
            const double l = stepY - 0.125;
            auto part = std::make_unique<CMilledPart>();
            part->GetIDForEdit().SetNumber(static_cast<int>(parts.size()) + 1);
            part->SetDescription(QStringLiteral("Shelf %1").arg(i + 1));
            part->SetWidth(CDimension::FromInches(l));
            part->SetLength(CDimension::FromInches(w));
            part->SetThickness(CDimension::FromInches(0.75));
            part->SetCopies(1);
            part->SetMaterial(material);
            const double x = (i % columns) * stepX;
            const double y = (i / columns) * stepY;
            drawn.push_back(std::make_shared<DrawnPart>(part.get(), false,
                platform::Rect(CDimension::FromInches(x).GetUnits(), CDimension::FromInches(y).GetUnits(),
                    CDimension::FromInches(x + w).GetUnits(), CDimension::FromInches(y + l).GetUnits())));
            parts.push_back(std::move(part));
        }
        auto geometries = std::make_shared<AltGeometries>();
        (*geometries)[0] = drawn;
        GeoStatsList stats;
        stats[0] = GeometryBasedStats(count, 96.0 * count, count, 96.0 * count);
        auto diagram = std::make_shared<Diagram>(StockSpec { material, row }, geometries, stats);
        return std::make_shared<IdenticalDiagramStack>(diagram, 1, DrawnPartFlags(false, false, false), 0);
    }
};

double Percentile(std::vector<double> values, double share)
{
    std::sort(values.begin(), values.end());
    const auto index = static_cast<std::size_t>(share * static_cast<double>(values.size() - 1) + 0.5);
    return values[std::min(index, values.size() - 1)];
}

} // namespace

int main(int argc, char** argv)
{
    bool small = false;
    int repeats = 50;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--small") == 0) {
            small = true;
            repeats = 3;
        } else if (std::strcmp(argv[i], "--repeat") == 0 && i + 1 < argc) {
            repeats = std::max(1, std::atoi(argv[++i]));
        } else {
            std::fprintf(stderr, "usage: layoutsbench [--small] [--repeat N]\n");
            return 2;
        }
    }
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QTemporaryDir languageFolder;
    InitUIStrings(languageFolder.path(),
        { FoundationStringResources(), ModelStringResources(), OptimizationStringResources(),
            LayoutsStringResources() });
    auto* prefs = new BenchPrefs;
    SetUserPrefs(prefs);
    RefreshUIFonts();

    const int mainParts = small ? 30 : 300;
    const int sheets = small ? 10 : 100;
    Project project;
    const StackPtr big = project.Sheet(mainParts);
    StackList stacks;
    for (int i = 0; i < sheets; ++i)
        stacks.push_back(project.Sheet(20));

    BenchOwner owner;
    owner.shown = big->MakeDisplayDiagram(0);

    // The main diagram, repainted whole as the window does.
    MainDiagramViewMgr mainMgr(&owner);
    auto window = std::make_shared<InteractiveDiagramWnd>();
    mainMgr.AttachWindow(window);
    window->resize(1600, 1000);
    window->show();
    // Rendered into an image: the window's own paint, without the trip to
    // the screen, which a headless run does not have.
    QImage target(window->size(), QImage::Format_RGB32);
    window->render(&target);
    std::vector<double> repaints;
    for (int i = 0; i < repeats; ++i) {
        const auto start = Clock::now();
        window->render(&target);
        repaints.push_back(MsSince(start));
    }

    // The thumbnails: sizing the column, then painting all of it.
    ThumbnailsZoneMgr thumbsMgr(&owner);
    auto zone = std::make_shared<ThumbnailsZone>();
    thumbsMgr.AttachZone(zone);
    zone->resize(152, 600);
    zone->show();
    ThumbnailChoice choice;
    auto start = Clock::now();
    thumbsMgr.SetDiagrams(choice, stacks, nullptr, 3);
    const double sizeMs = MsSince(start);
    ThumbsPanel* panel = zone->Panel();
    panel->resize(panel->width(), panel->GetContentHeight());
    QImage column(panel->size(), QImage::Format_RGB32);
    start = Clock::now();
    panel->render(&column);
    const double paintMs = MsSince(start);

    // The kerfs of the big sheet.
    std::vector<double> kerfRuns;
    std::size_t kerfCount = 0;
    for (int i = 0; i < std::max(1, repeats / 5); ++i) {
        start = Clock::now();
        const KerfCollectionPtr kerfs = BuildSnapKerfs(*owner.shown, nullptr);
        kerfRuns.push_back(MsSince(start));
        kerfCount = kerfs->GetHorizontal().size() + kerfs->GetVertical().size();
    }

    std::printf("{\"parts\":%d,\"thumbnails\":%d,\"repaint_median_ms\":%.2f,\"repaint_p95_ms\":%.2f,"
                "\"thumbnails_size_ms\":%.2f,\"thumbnails_paint_ms\":%.2f,\"kerfs_ms\":%.2f,\"kerfs\":%zu}\n",
        mainParts, thumbsMgr.GetThumbnailCount(), Percentile(repaints, 0.5), Percentile(repaints, 0.95),
        sizeMs, paintMs, Percentile(kerfRuns, 0.5), kerfCount);
    window.reset();
    zone.reset();
    SetUserPrefs(nullptr);
    return 0;
}
