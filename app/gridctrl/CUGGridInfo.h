#pragma once
// The settings of one grid sheet: counts, the column table, row heights,
// headings, the current cell and scroll position, default cells and the
// built-in data source. The grid control keeps one record per sheet and
// works on the current one.

#include "gridctrl/CUGCell.h"
#include "gridctrl/CUGMem.h"

#include "platform/Rect.h"

#include <QPen>

#include <memory>
#include <vector>

class CUGDataSource;
class CUGMultiSelect;
class QFont;
class QWidget;

struct CUGColumnInfo {
    int width = 75;
    CUGDataSource* dataSource = nullptr; // borrowed
    std::unique_ptr<CUGCell> defaultCell;
    int mapping = 0; // the data-source column this grid column shows
};

class CUGGridInfo {
public:
    CUGGridInfo();
    ~CUGGridInfo();
    CUGGridInfo(const CUGGridInfo&) = delete;
    CUGGridInfo& operator=(const CUGGridInfo&) = delete;

    int m_numberCols = 0;
    int m_currentCol = -1;
    int m_lastCol = -1;
    int m_leftCol = 0;
    int m_lastLeftCol = 0;
    int m_maxLeftCol = 0;
    int m_defColWidth = 75;
    int m_rightCol = 0;
    int m_dragCol = -1; // target column of a move; also the selection anchor
    std::vector<CUGColumnInfo> m_colInfo;

    int m_numberRows = 0;
    int m_currentRow = -1;
    int m_lastRow = -1;
    int m_topRow = 0;
    int m_lastTopRow = 0;
    int m_maxTopRow = 0;
    std::vector<int> m_rowHeights; // empty while heights are uniform
    int m_defRowHeight = 20;
    bool m_uniformRowHeight = false;
    int m_bottomRow = 0;
    int m_dragRow = -1;

    int m_numberTopHdgRows = 1;
    std::vector<int> m_topHdgHeights{20};
    int m_numberSideHdgCols = 1;
    std::vector<int> m_sideHdgWidths{25};

    CUGCell m_gridDefault;
    CUGCell m_hdgDefault;
    int m_topHdgHeight = 20;
    int m_sideHdgWidth = 40;
    int m_vScrollWidth = 16;
    int m_hScrollHeight = 16;
    int m_tabWidth = 0;

    platform::Rect m_gridRect, m_topHdgRect, m_sideHdgRect, m_cnrBtnRect;
    platform::Rect m_vScrollRect, m_hScrollRect, m_tabRect;
    int m_gridWidth = 0;
    int m_gridHeight = 0;

    bool m_multiSelectFlag = false;
    int m_multiSelectOption = 1;
    int m_moveType = 0; // selection extension level
    int m_highlightRowFlag = 1; // current-cell highlight mode
    bool m_paintMode = false;
    bool m_menuEnabled = false;
    bool m_enableJoins = true;
    bool m_enableColMoving = false;
    bool m_enableExpandingEditor = true;
    bool m_gridLines = true;
    int m_vScrollMode = 0;
    int m_mouseSizingMode = 1;
    bool m_editorFocusOption = false;
    int m_trackingPlacement = 0;

    int m_numLockCols = 0;
    int m_numLockRows = 0;
    int m_lockColWidth = 0;
    int m_lockRowHeight = 0;

    // Cell margin and the thickness of recessed and raised frames, in pixels.
    int m_cellMargin = 2;
    int m_threeDWidth = 1;

    const QFont* m_defFont = nullptr;
    int m_defDataSourceIndex = 0;
    CUGDataSource* m_defDataSource = nullptr;
    std::unique_ptr<CUGMem> m_builtInSource;
    std::unique_ptr<CUGMultiSelect> m_multiSelect;

    // How the selection reacts to the next move: 0 keyboard, 1 click,
    // 2 right-click, 3 mouse drag, 4 wheel or scroll bar; and the click's keys.
    int m_moveKeyState = 0;
    unsigned m_moveKeyFlags = 0;

    QWidget* m_editCtrl = nullptr;
    QWidget* m_maskedEditCtrl = nullptr;

    QPen m_gridLinePen;
};
