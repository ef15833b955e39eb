#pragma once
// The content of the layouts frame below its toolbar: the panes of the page
// in nested splitters, in one of two arrangements. Wide: the tree and the
// take-off list in a band above the main diagram and the thumbnails column.
// Tall: the tree in a full-height column, the take-off list above the main
// diagram, the thumbnails column at the far right.

#include <QWidget>

#include <memory>

class CUGRowMode;
class ITakeOffCtrl;
class ITreeCtrl;
class InteractiveDiagramWnd;
class QSplitter;
class QTabBar;
class ThumbnailsZone;

// The panes of one arrangement. The content frame makes them; the pane
// managers hold them too, so a manager's pane outlives the arrangement that
// made it until the manager is given the new one.
struct LayoutsPanes
{
    std::shared_ptr<ITreeCtrl> treeCtrl;
    std::shared_ptr<ITakeOffCtrl> takeOffCtrl;
    std::shared_ptr<CUGRowMode> takeOffGrid;
    std::shared_ptr<QTabBar> takeOffTabs;
    std::shared_ptr<ThumbnailsZone> thumbnails;
    std::shared_ptr<InteractiveDiagramWnd> diagramWnd;
};

// Pixel sizes of the arrangements.
namespace LayoutsSizes {
constexpr int ThumbnailColumn = 152;
// What the bar between the diagram and the thumbnails takes.
constexpr int ThumbnailGap = 12;
constexpr int MinRow = 75;
constexpr int MinTree = 100;
constexpr int MinWideTakeOff = 100;
constexpr int MinTallContent = 264;
constexpr int MinWideDiagram = 50;
constexpr int MinTallDiagram = 100;
} // namespace LayoutsSizes

class LayoutsMainContentFrame : public QWidget
{
    Q_OBJECT
public:
    ~LayoutsMainContentFrame() override;

    // After the main diagram was resized: keeps both the take-off row and
    // the diagram row at least 75 pixels high where the space allows. True
    // when no size had to change.
    virtual bool BalanceRows() = 0;
    // After the tree was resized: keeps the tree column at least 100 pixels
    // wide and the column beside it at its minimum where the space allows.
    virtual void BalanceColumns() = 0;
    void GetPanes(LayoutsPanes& out) const { out = m_panes; }
    // The splitter positions go to the preferences at once.
    virtual void SaveSplitterSizes() = 0;

    // Helpers shared by both arrangements (public for the tests).
    QSplitter* RowSplitter() const { return m_rowSplitter; }
    QSplitter* TreeSplitter() const { return m_treeSplitter; }
    QSplitter* ThumbnailSplitter() const { return m_thumbnailSplitter; }

protected:
    // The content covers rect of the parent from the start, so that the
    // splitters take their stored sizes against the real space.
    LayoutsMainContentFrame(QWidget* parent, const QRect& rect);
    void resizeEvent(QResizeEvent* event) override;

    QSplitter* m_mainSplitter = nullptr;

    // The splitter of the take-off row above the diagram row, the one whose
    // first column is the tree, and the one whose second column holds the
    // thumbnails.
    QSplitter* m_rowSplitter = nullptr;
    QSplitter* m_treeSplitter = nullptr;
    QSplitter* m_thumbnailSplitter = nullptr;
    LayoutsPanes m_panes;
    // The windows of the tree and take-off panes (or empty stand-ins when
    // a pane could not be made).
    QWidget* m_treeWnd = nullptr;
    QWidget* m_takeOffWnd = nullptr;

    void MakePanes();
    // A splitter cell of the arrangement.
    static QSplitter* MakeSplitter(QWidget* parent, int rows, int columns);
    static void AddPane(QSplitter* splitter, QWidget* pane);
    bool BalanceRowsOf(QSplitter* splitter);
    void BalanceColumnsOf(QSplitter* splitter, int secondMinimum);
    // The thumbnails column keeps its width whatever the frame's width.
    void KeepThumbnailColumn(QSplitter* splitter, int diagramMinimum);
};

class WideMainContentFrame : public LayoutsMainContentFrame
{
    Q_OBJECT
public:
    WideMainContentFrame(QWidget* parent, const QRect& rect);

    bool BalanceRows() override;
    void BalanceColumns() override;
    void SaveSplitterSizes() override;
};

class TallMainContentFrame : public LayoutsMainContentFrame
{
    Q_OBJECT
public:
    TallMainContentFrame(QWidget* parent, const QRect& rect);

    bool BalanceRows() override;
    void BalanceColumns() override;
    void SaveSplitterSizes() override;
};
