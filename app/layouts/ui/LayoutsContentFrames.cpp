#include "layouts/ui/LayoutsContentFrames.h"

#include "foundation/UserPrefsBase.h"
#include "foundation/ui/Splitter.h"
#include "grids/ITakeOffCtrl.h"
#include "layouts/ui/ITreeCtrl.h"
#include "layouts/ui/InteractiveDiagramWnd.h"
#include "layouts/ui/LayoutsPaneMakers.h"
#include "layouts/ui/ThumbnailsZone.h"

#include <QEvent>
#include <QSplitter>

#include <algorithm>

namespace {

constexpr int kPrefWideTreeWidth = 3062;
constexpr int kPrefWideGridHeight = 3063;
constexpr int kPrefTallTreeWidth = 3064;
constexpr int kPrefTallGridHeight = 3065;

int PrefInt(int id, int fallback)
{
    const UserPrefsBase* prefs = GetUserPrefs();
    return prefs ? prefs->GetInt(id) : fallback;
}

void SavePref(int id, int value)
{
    if (UserPrefsBase* prefs = GetUserPrefs())
        prefs->SetInt(id, value);
}

int SizeAt(const QSplitter* splitter, int index)
{
    const QList<int> sizes = splitter->sizes();
    return index < sizes.size() ? sizes.at(index) : 0;
}

// The first cell takes the given size; the last cell takes what is left,
// now and whenever the splitter is resized.
void SetFirstCell(QSplitter* splitter, int size)
{
    splitter->setSizes({ std::max(size, 0), 1 });
}

// Whenever its splitter changes size: the thumbnails column keeps its width,
// the diagram column takes the rest, and none at all when that is less than
// its minimum.
class ThumbnailColumnKeeper : public QObject
{
public:
    ThumbnailColumnKeeper(QSplitter* splitter, int diagramMinimum)
        : QObject(splitter)
        , m_splitter(splitter)
        , m_minimum(diagramMinimum)
    {
        splitter->installEventFilter(this);
        Apply();
    }

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (watched == m_splitter && event->type() == QEvent::Resize)
            Apply();
        return false;
    }

private:
    void Apply()
    {
        const int width = m_splitter->width();
        int diagram = std::max(width - LayoutsSizes::ThumbnailColumn - LayoutsSizes::ThumbnailGap, 0);
        if (diagram < m_minimum)
            diagram = 0;
        m_splitter->setSizes({ diagram, std::max(width - LayoutsSizes::ThumbnailGap - diagram, 0) });
    }

    QSplitter* m_splitter;
    int m_minimum;
};

} // namespace

LayoutsMainContentFrame::LayoutsMainContentFrame(QWidget* parent, const QRect& rect)
    : QWidget(parent)
{
    setGeometry(rect);
}

void LayoutsMainContentFrame::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    if (m_mainSplitter)
        m_mainSplitter->setGeometry(this->rect());
}

LayoutsMainContentFrame::~LayoutsMainContentFrame()
{
    // The panes are shared with their managers: they leave the splitters
    // here instead of dying with them.
    QWidget* panes[] = { PaneWindowOf(m_panes.treeCtrl), PaneWindowOf(m_panes.takeOffCtrl),
        m_panes.thumbnails.get(), m_panes.diagramWnd.get() };
    for (QWidget* pane : panes)
        if (pane && pane->parentWidget()) {
            pane->hide();
            pane->setParent(nullptr);
        }
}

void LayoutsMainContentFrame::MakePanes()
{
    m_panes.treeCtrl = MakeLayoutsTreeCtrl(this);
    m_panes.takeOffCtrl = MakeTakeOffCtrl(this);
    if (m_panes.takeOffCtrl) {
        m_panes.takeOffGrid = m_panes.takeOffCtrl->GetGrid();
        m_panes.takeOffTabs = m_panes.takeOffCtrl->GetTabCtrl();
    }
    m_panes.thumbnails = std::make_shared<ThumbnailsZone>();
    m_panes.diagramWnd = std::make_shared<InteractiveDiagramWnd>();
    // A pane that could not be made leaves its cell empty.
    m_treeWnd = PaneWindowOf(m_panes.treeCtrl);
    if (!m_treeWnd)
        m_treeWnd = new QWidget(this);
    m_takeOffWnd = PaneWindowOf(m_panes.takeOffCtrl);
    if (!m_takeOffWnd)
        m_takeOffWnd = new QWidget(this);
}

QSplitter* LayoutsMainContentFrame::MakeSplitter(QWidget* parent, int rows, int columns)
{
    QSplitter* splitter = CreateSplitter(parent, rows, columns);
    splitter->setFrameShape(QFrame::NoFrame);
    return splitter;
}

void LayoutsMainContentFrame::AddPane(QSplitter* splitter, QWidget* pane)
{
    // A pane may be squeezed to nothing; the arrangement decides its size.
    pane->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Ignored);
    splitter->addWidget(pane);
}

bool LayoutsMainContentFrame::BalanceRowsOf(QSplitter* splitter)
{
    const int a = SizeAt(splitter, 0);
    const int b = SizeAt(splitter, 1);
    if (a > LayoutsSizes::MinRow && b > LayoutsSizes::MinRow)
        return true;
    int top = std::max(a, LayoutsSizes::MinRow);
    int bottom = b;
    if (bottom < LayoutsSizes::MinRow) {
        const int moved = std::min(LayoutsSizes::MinRow - bottom, top - LayoutsSizes::MinRow);
        top -= moved;
        bottom += moved;
    }
    splitter->setSizes({ top, bottom });
    return top == a && bottom == b;
}

void LayoutsMainContentFrame::BalanceColumnsOf(QSplitter* splitter, int secondMinimum)
{
    const int a = SizeAt(splitter, 0);
    const int b = SizeAt(splitter, 1);
    if (a > LayoutsSizes::MinTree && b > secondMinimum)
        return;
    int tree = std::max(a, LayoutsSizes::MinTree);
    int other = b;
    if (other < secondMinimum) {
        const int moved = std::min(secondMinimum - other, tree - LayoutsSizes::MinTree);
        tree -= moved;
        other += moved;
    }
    splitter->setSizes({ tree, other });
}

void LayoutsMainContentFrame::KeepThumbnailColumn(QSplitter* splitter, int diagramMinimum)
{
    splitter->setHandleWidth(LayoutsSizes::ThumbnailGap);
    splitter->setStretchFactor(0, 1);
    splitter->setStretchFactor(1, 0);
    new ThumbnailColumnKeeper(splitter, diagramMinimum);
}

// --- Wide

WideMainContentFrame::WideMainContentFrame(QWidget* parent, const QRect& rect)
    : LayoutsMainContentFrame(parent, rect)
{
    MakePanes();
    QSplitter* main = MakeSplitter(this, 2, 1);
    QSplitter* top = MakeSplitter(main, 1, 2);
    QSplitter* bottom = MakeSplitter(main, 1, 2);
    AddPane(top, m_treeWnd);
    AddPane(top, m_takeOffWnd);
    AddPane(bottom, m_panes.diagramWnd.get());
    AddPane(bottom, m_panes.thumbnails.get());
    AddPane(main, top);
    AddPane(main, bottom);
    main->setStretchFactor(1, 1);
    top->setStretchFactor(1, 1);
    m_mainSplitter = main;
    m_rowSplitter = main;
    m_treeSplitter = top;
    m_thumbnailSplitter = bottom;

    main->setGeometry(this->rect());
    SetFirstCell(main, PrefInt(kPrefWideGridHeight, 250));
    SetFirstCell(top, std::max(PrefInt(kPrefWideTreeWidth, 250), LayoutsSizes::MinTree));
    KeepThumbnailColumn(bottom, LayoutsSizes::MinWideDiagram);
}

bool WideMainContentFrame::BalanceRows()
{
    return BalanceRowsOf(m_rowSplitter);
}

void WideMainContentFrame::BalanceColumns()
{
    BalanceColumnsOf(m_treeSplitter, LayoutsSizes::MinWideTakeOff);
}

void WideMainContentFrame::SaveSplitterSizes()
{
    SavePref(kPrefWideGridHeight, SizeAt(m_rowSplitter, 0));
    SavePref(kPrefWideTreeWidth, SizeAt(m_treeSplitter, 0));
}

// --- Tall

TallMainContentFrame::TallMainContentFrame(QWidget* parent, const QRect& rect)
    : LayoutsMainContentFrame(parent, rect)
{
    MakePanes();
    QSplitter* main = MakeSplitter(this, 1, 2);
    QSplitter* sub = MakeSplitter(main, 1, 2);
    QSplitter* center = MakeSplitter(sub, 2, 1);
    AddPane(center, m_takeOffWnd);
    AddPane(center, m_panes.diagramWnd.get());
    AddPane(sub, center);
    AddPane(sub, m_panes.thumbnails.get());
    AddPane(main, m_treeWnd);
    AddPane(main, sub);
    main->setStretchFactor(1, 1);
    center->setStretchFactor(1, 1);
    m_mainSplitter = main;
    m_rowSplitter = center;
    m_treeSplitter = main;
    m_thumbnailSplitter = sub;

    main->setGeometry(this->rect());
    SetFirstCell(main, PrefInt(kPrefTallTreeWidth, 250));
    KeepThumbnailColumn(sub, LayoutsSizes::MinTallDiagram);
    SetFirstCell(center, PrefInt(kPrefTallGridHeight, 250));
}

bool TallMainContentFrame::BalanceRows()
{
    return BalanceRowsOf(m_rowSplitter);
}

void TallMainContentFrame::BalanceColumns()
{
    BalanceColumnsOf(m_treeSplitter, LayoutsSizes::MinTallContent);
}

void TallMainContentFrame::SaveSplitterSizes()
{
    SavePref(kPrefTallTreeWidth, SizeAt(m_treeSplitter, 0));
    SavePref(kPrefTallGridHeight, SizeAt(m_rowSplitter, 0));
}
