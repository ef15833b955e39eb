#include "gridctrl/CUGCtrl.h"

#include "gridctrl/CUGArrowType.h"
#include "gridctrl/CUGCheckBoxType.h"
#include "gridctrl/CUGDataSource.h"
#include "gridctrl/CUGDropListType.h"
#include "gridctrl/CUGEdit.h"
#include "gridctrl/CUGMaskedEdit.h"
#include "gridctrl/CUGGrid.h"
#include "gridctrl/CUGHeadings.h"
#include "gridctrl/CUGMultiSelect.h"
#include "gridctrl/CUGScrollBars.h"
#include "gridctrl/CellCompare.h"

#include <QAction>
#include <QMenu>

#include <algorithm>
#include <cmath>

CUGCtrl::CUGCtrl(QWidget* parent)
    : QWidget(parent)
    , m_normalType(std::make_unique<CUGCellType>())
    , m_dropListType(std::make_unique<CUGDropListType>())
    , m_checkBoxType(std::make_unique<CUGCheckBoxType>())
    , m_arrowType(std::make_unique<CUGArrowType>())
{
    m_dataSources.push_back(nullptr);

    m_defEditCtrl = new CUGEdit(this);
    m_defMaskedEditCtrl = new CUGMaskedEdit(this);
    m_sheets.push_back(makeSheet());
    m_gi = m_sheets.front().get();
    m_menu = new QMenu(this);
    connect(m_menu, &QMenu::triggered, this, [this](QAction* action) { OnMenuCommand(action->data().toInt()); });
    createChildWindows();
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);

    AddCellType(m_normalType.get());
    // Indexes 1 to 3 are kept for the built-in drop list, check box and
    // side-arrow types, which every grid has.
    for (int i = 1; i <= 3; ++i)
        m_cellTypes.Add(nullptr);
    InstallBuiltInCellType(1, m_dropListType.get());
    InstallBuiltInCellType(2, m_checkBoxType.get());
    InstallBuiltInCellType(3, m_arrowType.get());
}

CUGCtrl::~CUGCtrl()
{
    // The child windows call back into the control: they go while it is whole.
    const auto children = findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
    qDeleteAll(children);
}

void CUGCtrl::createChildWindows()
{
    m_CUGGrid = new CUGGrid(this);
    m_CUGTopHdg = new CUGTopHdg(this);
    m_CUGSideHdg = new CUGSideHdg(this);
    m_CUGCnrBtn = new CUGCnrBtn(this);
    m_CUGTab = new CUGTab(this);
    m_CUGVScroll = new CUGVScroll(this);
    m_CUGHScroll = new CUGHScroll(this);
    setFocusProxy(m_CUGGrid);
}

std::unique_ptr<CUGGridInfo> CUGCtrl::makeSheet()
{
    auto sheet = std::make_unique<CUGGridInfo>();
    sheet->m_builtInSource->SetGrid(this);
    sheet->m_builtInSource->AssignId(0);
    sheet->m_multiSelect = std::make_unique<CUGMultiSelect>(this);
    sheet->m_editCtrl = m_defEditCtrl;
    sheet->m_maskedEditCtrl = m_defMaskedEditCtrl;
    return sheet;
}

// ---- sheets ---------------------------------------------------------------

int CUGCtrl::SetSheetCount(int count)
{
    if (count < 1 || count > kMaxSheets)
        return 1;
    const int old = GetSheetCount();
    if (count < old) {
        m_sheets.resize(count);
    } else {
        for (int i = old; i < count; ++i) {
            m_sheets.push_back(makeSheet());
            OnSheetInit(i);
        }
    }
    if (m_currentSheet >= count)
        m_currentSheet = count - 1;
    m_gi = m_sheets[m_currentSheet].get();
    return 0;
}

int CUGCtrl::SetCurrentSheet(int index, int redraw)
{
    if (index < 0 || index >= GetSheetCount())
        return 1;
    const int tabWidth = m_gi->m_tabWidth;
    m_currentSheet = index;
    m_gi = m_sheets[index].get();
    m_gi->m_lastTopRow = -1;
    m_gi->m_lastLeftCol = -1;
    m_gi->m_tabWidth = tabWidth;
    const bool redrawFlag = m_redrawFlag;
    if (!redraw)
        m_redrawFlag = false;
    LayoutChildren();
    m_redrawFlag = redrawFlag;
    return 0;
}

// ---- counts ---------------------------------------------------------------

CUGColumnInfo CUGCtrl::makeColumn(int index) const
{
    CUGColumnInfo column;
    column.width = m_gi->m_defColWidth;
    column.dataSource = m_gi->m_defDataSource;
    column.defaultCell = std::make_unique<CUGCell>(m_gi->m_gridDefault);
    column.mapping = index;
    return column;
}

void CUGCtrl::recalcLockedColumnWidth()
{
    int width = 0;
    for (int i = 0; i < m_gi->m_numLockCols && i < m_gi->m_numberCols; ++i)
        width += m_gi->m_colInfo[i].width;
    m_gi->m_lockColWidth = width;
}

void CUGCtrl::recalcLockedRowHeight()
{
    int height = 0;
    for (int i = 0; i < m_gi->m_numLockRows && i < m_gi->m_numberRows; ++i)
        height += GetRowHeight(i);
    m_gi->m_lockRowHeight = height;
}

// ---- column mapping and defaults -------------------------------------------

int CUGCtrl::GetColumnMapping(int column) const
{
    if (column < 0 || column >= m_gi->m_numberCols)
        return column;
    return m_gi->m_colInfo[column].mapping;
}

int CUGCtrl::SetColumnMapping(int column, int dataColumn)
{
    if (column < 0 || column >= m_gi->m_numberCols)
        return 1;
    m_gi->m_colInfo[column].mapping = dataColumn;
    return 0;
}

int CUGCtrl::SetColumnDefault(int column, const CUGCell* cell)
{
    if (column < 0 || column >= m_gi->m_numberCols || !cell)
        return 1;
    cell->CopyInto(*m_gi->m_colInfo[column].defaultCell);
    return 0;
}

int CUGCtrl::GetColumnDefault(int column, CUGCell* cell) const
{
    if (column < 0 || column >= m_gi->m_numberCols || !cell)
        return 1;
    cell->CopyFrom(*m_gi->m_colInfo[column].defaultCell);
    return 0;
}

int CUGCtrl::SetGridDefault(const CUGCell* cell)
{
    if (cell) m_gi->m_gridDefault.CopyFrom(*cell);
    return 0;
}

int CUGCtrl::GetGridDefault(CUGCell* cell) const
{
    if (cell) cell->CopyFrom(m_gi->m_gridDefault);
    return 0;
}

int CUGCtrl::SetHeadingDefault(const CUGCell* cell)
{
    if (cell) m_gi->m_hdgDefault.CopyFrom(*cell);
    return 0;
}

int CUGCtrl::GetHeadingDefault(CUGCell* cell) const
{
    if (cell) cell->CopyFrom(m_gi->m_hdgDefault);
    return 0;
}

// ---- data sources ------------------------------------------------------------

int CUGCtrl::AddDataSource(CUGDataSource* source)
{
    if (!source)
        return -1;
    source->SetGrid(this);
    // The limit counts live registrations: managers that register again
    // after removing themselves reuse the freed places.
    if (m_dataSourceCount >= kMaxDataSources)
        return -1;
    for (std::size_t i = 1; i < m_dataSources.size(); ++i) {
        if (!m_dataSources[i]) {
            m_dataSources[i] = source;
            ++m_dataSourceCount;
            source->AssignId(static_cast<int>(i));
            return static_cast<int>(i);
        }
    }
    m_dataSources.push_back(source);
    ++m_dataSourceCount;
    const int index = static_cast<int>(m_dataSources.size()) - 1;
    source->AssignId(index);
    return index;
}

int CUGCtrl::RemoveDataSource(int index)
{
    if (index < 1 || index >= static_cast<int>(m_dataSources.size()) || !m_dataSources[index])
        return 1;
    m_dataSources[index] = nullptr;
    --m_dataSourceCount;
    return 0;
}

CUGDataSource* CUGCtrl::GetDataSource(int index) const
{
    if (index == 0)
        return m_gi->m_builtInSource.get();
    if (index < 0 || index >= static_cast<int>(m_dataSources.size()))
        return nullptr;
    return m_dataSources[index];
}

int CUGCtrl::SetDefaultDataSource(int index)
{
    if (index < 0 || index >= static_cast<int>(m_dataSources.size()))
        return 1;
    CUGDataSource* source = index == 0 ? m_gi->m_builtInSource.get() : m_dataSources[index];
    if (!source)
        return 1;
    m_gi->m_defDataSourceIndex = index;
    m_gi->m_defDataSource = source;
    for (auto& column : m_gi->m_colInfo)
        column.dataSource = source;
    return 0;
}

CUGDataSource* CUGCtrl::sourceForColumn(int column) const
{
    if (column >= 0 && column < m_gi->m_numberCols && m_gi->m_colInfo[column].dataSource)
        return m_gi->m_colInfo[column].dataSource;
    return m_gi->m_defDataSource;
}

int CUGCtrl::sourceColumn(int column) const
{
    return column >= 0 ? GetColumnMapping(column) : column;
}

// ---- cell types and fonts ------------------------------------------------------

int CUGCtrl::AddCellType(CUGCellType* type)
{
    if (!type)
        return -1;
    const int index = m_cellTypes.Add(type);
    if (index < 0)
        return -1;
    type->SetGrid(this);
    type->SetTypeIndex(index);
    return index;
}

int CUGCtrl::InstallBuiltInCellType(int index, CUGCellType* type)
{
    if (!type || index < 1 || index > 3)
        return 1;
    if (m_cellTypes.FillReserved(index, type) != 0)
        return 2;
    type->SetGrid(this);
    type->SetTypeIndex(index);
    return 0;
}

CUGCellType* CUGCtrl::GetCellTypeByIndex(int index) const
{
    if (index >= 1)
        if (void* type = m_cellTypes.GetAt(index))
            return static_cast<CUGCellType*>(type);
    return m_normalType.get();
}

CUGCellType* CUGCtrl::GetCellTypeObject(int column, int row)
{
    CUGCell cell;
    if (GetCellWithDefaults(column, row, &cell) != 0 || !cell.IsPropertySet(CUGCell::kCellType))
        return m_normalType.get();
    return GetCellTypeByIndex(cell.GetCellType());
}

int CUGCtrl::AddFont(int height, int width, int escapement, int orientation, int weight, bool italic,
                     bool underline, bool strikeOut, int charSet, int outPrecision, int clipPrecision,
                     int quality, int pitchAndFamily, const QString& faceName)
{
    FontDescription wanted;
    wanted.numbers = {height, width, escapement, orientation, weight, int(italic), int(underline),
                      int(strikeOut), charSet, outPrecision, clipPrecision, quality, pitchAndFamily};
    wanted.face = faceName.size() >= 32 ? QString() : faceName;
    for (std::size_t i = 0; i < m_fontDescriptions.size(); ++i) {
        if (m_fontDescriptions[i] == wanted && m_fonts.GetAt(static_cast<int>(i))) {
            m_fonts.SetEntryParam(static_cast<int>(i), m_fonts.GetEntryParam(static_cast<int>(i)) + 1);
            return static_cast<int>(i);
        }
    }
    auto font = std::make_unique<QFont>();
    if (!wanted.face.isEmpty())
        font->setFamily(wanted.face);
    // A negative height is the character height, a positive one the cell
    // height; both become the pixel size here.
    if (height != 0)
        font->setPixelSize(std::abs(height));
    if (weight > 0)
        font->setWeight(static_cast<QFont::Weight>(std::clamp(weight, 1, 1000)));
    font->setItalic(italic);
    font->setUnderline(underline);
    font->setStrikeOut(strikeOut);
    const int index = m_fonts.Add(font.get(), 0);
    if (index < 0)
        return -1;
    if (static_cast<int>(m_fontDescriptions.size()) <= index)
        m_fontDescriptions.resize(index + 1);
    m_fontDescriptions[index] = wanted;
    m_ownedFonts.push_back(std::move(font));
    return index;
}

const QFont* CUGCtrl::GetFont(int index) const
{
    return static_cast<const QFont*>(m_fonts.GetAt(index));
}

int CUGCtrl::SetDefaultFont(const QFont* font)
{
    if (!font)
        return 1;
    m_gi->m_defFont = font;
    return 0;
}

// ---- cells -------------------------------------------------------------------

int CUGCtrl::GetCell(int column, int row, CUGCell* cell)
{
    if (!cell || column >= m_gi->m_numberCols)
        return 1;
    cell->SetPropertyFlags(0);
    return sourceForColumn(column)->GetCell(sourceColumn(column), row, cell);
}

int CUGCtrl::GetCellWithDefaults(int column, int row, CUGCell* cell)
{
    if (!cell)
        return 1;
    cell->SetPropertyFlags(0);
    if (column >= 0 && row >= 0 && column < m_gi->m_numberCols)
        cell->CopyFrom(*m_gi->m_colInfo[column].defaultCell);
    else
        cell->CopyFrom(m_gi->m_hdgDefault);
    if (row >= m_gi->m_numberRows)
        return 0;
    sourceForColumn(column)->GetCell(sourceColumn(column), row, cell);
    OnCellFetch(sourceColumn(column), row, cell);
    if (CUGStyleObject* style = cell->GetStyleObject())
        style->AmendCell(*cell);
    if (const CUGCell* style = cell->GetStyleCell())
        style->AddInto(*cell);
    return 0;
}

int CUGCtrl::SetCell(int column, int row, CUGCell* cell)
{
    // The column bound excludes the count: there is no table entry there.
    if (!cell || column < -m_gi->m_numberSideHdgCols || column >= m_gi->m_numberCols
        || row < -m_gi->m_numberTopHdgRows || row > m_gi->m_numberRows)
        return 1;
    OnCellStore(column, row, cell);
    sourceForColumn(column)->SetCell(sourceColumn(column), row, cell);
    return 0;
}

QString CUGCtrl::GetCellText(int column, int row)
{
    GetCellWithDefaults(column, row, &m_textCell);
    return m_textCell.GetText();
}

namespace {

template <typename Setter>
int setOneProperty(CUGCtrl& grid, CUGCell& scratch, int column, int row, Setter set)
{
    scratch.ClearAll();
    grid.GetCell(column, row, &scratch);
    set(scratch);
    grid.SetCell(column, row, &scratch);
    return 0;
}

} // namespace

int CUGCtrl::SetCellTextAt(int column, int row, const QString& text)
{
    return setOneProperty(*this, m_scratchCell, column, row, [&](CUGCell& c) { c.SetText(text); });
}
int CUGCtrl::SetCellNumberAt(int column, int row, double number)
{
    return setOneProperty(*this, m_scratchCell, column, row, [&](CUGCell& c) { c.SetNumber(number); });
}
int CUGCtrl::SetCellLabelAt(int column, int row, const QString& label)
{
    return setOneProperty(*this, m_scratchCell, column, row, [&](CUGCell& c) { c.SetLabelText(label); });
}
int CUGCtrl::SetCellBackColorAt(int column, int row, ColorRef color)
{
    return setOneProperty(*this, m_scratchCell, column, row, [&](CUGCell& c) { c.SetBackColor(color); });
}
int CUGCtrl::SetCellAlignmentAt(int column, int row, int alignment)
{
    return setOneProperty(*this, m_scratchCell, column, row, [&](CUGCell& c) { c.SetAlignment(alignment); });
}
int CUGCtrl::SetCellBorderAt(int column, int row, int border)
{
    return setOneProperty(*this, m_scratchCell, column, row, [&](CUGCell& c) { c.SetBorderStyle(border); });
}
int CUGCtrl::SetCellTypeAt(int column, int row, int type)
{
    return setOneProperty(*this, m_scratchCell, column, row, [&](CUGCell& c) { c.SetCellType(type); });
}
int CUGCtrl::SetCellStyleAt(int column, int row, int style)
{
    return setOneProperty(*this, m_scratchCell, column, row, [&](CUGCell& c) { c.SetCellTypeStyle(style); });
}

// ---- joined cells --------------------------------------------------------------

int CUGCtrl::EnableJoinedCells(bool on)
{
    m_gi->m_enableJoins = on;
    return 0;
}

int CUGCtrl::GetJoinedBlockStart(int* column, int* row, CUGCell* cell)
{
    if (!m_gi->m_enableJoins)
        return 1;
    CUGCell local;
    CUGCell* c = cell ? cell : &local;
    GetCellWithDefaults(*column, *row, c);
    int flag = 0, dc = 0, dr = 0;
    if (c->GetJoinInfo(&flag, &dc, &dr) != 0)
        return 2;
    if (flag == 0) {
        *column += dc;
        *row += dr;
        GetCellWithDefaults(*column, *row, c);
    }
    return 0;
}

int CUGCtrl::GetJoinedBlockRange(int* column, int* row, int* endColumn, int* endRow)
{
    CUGCell cell;
    const int result = GetJoinedBlockStart(column, row, &cell);
    if (result != 0)
        return result;
    int flag = 0, dc = 0, dr = 0;
    cell.GetJoinInfo(&flag, &dc, &dr);
    *endColumn = *column + dc;
    *endRow = *row + dr;
    return 0;
}

// ---- sizes -------------------------------------------------------------------

int CUGCtrl::MoveColumn(int from, int to, bool insertBefore)
{
    const int count = m_gi->m_numberCols;
    const int target = insertBefore ? to : to + 1;
    if (from < 0 || from >= count || target < 0 || target > count)
        return 1;
    if (target == from || target == from + 1)
        return 0;
    auto& columns = m_gi->m_colInfo;
    CUGColumnInfo moved = std::move(columns[from]);
    columns.erase(columns.begin() + from);
    columns.insert(columns.begin() + (target > from ? target - 1 : target), std::move(moved));
    recalcLockedColumnWidth();
    return 0;
}

int CUGCtrl::GetColumnWidth(int column, int* width) const
{
    if (column < 0) {
        const int heading = ~column;
        if (heading >= m_gi->m_numberSideHdgCols)
            return 1;
        *width = m_gi->m_sideHdgWidths[heading];
        return 0;
    }
    if (column >= m_gi->m_numberCols)
        return 1;
    *width = m_gi->m_colInfo[column].width;
    return 0;
}

int CUGCtrl::GetColumnWidth(int column) const
{
    int width = 0;
    GetColumnWidth(column, &width);
    return width;
}

int CUGCtrl::SetColumnWidth(int column, int width)
{
    if (column < 0)
        return SetSideHeadingColumnWidth(column, width);
    if (column >= m_gi->m_numberCols)
        return 1;
    if (isVisible() && m_gi->m_paintMode) {
        for (int row = m_gi->m_topRow; row <= m_gi->m_bottomRow && row < m_gi->m_numberRows; ++row)
            GetCellTypeObject(column, row)->OnColumnWidthSet(column, row, &width);
        OnColumnWidthChange(column, &width);
    }
    m_gi->m_colInfo[column].width = std::max(0, width);
    if (column < m_gi->m_numLockCols)
        recalcLockedColumnWidth();
    return 0;
}

int CUGCtrl::GetRowHeight(int row) const
{
    if (row < 0) {
        const int heading = ~row;
        return heading < m_gi->m_numberTopHdgRows ? m_gi->m_topHdgHeights[heading] : 0;
    }
    if (row >= m_gi->m_numberRows)
        return 0;
    if (m_gi->m_uniformRowHeight || row >= static_cast<int>(m_gi->m_rowHeights.size()))
        return m_gi->m_defRowHeight;
    return m_gi->m_rowHeights[row];
}

int CUGCtrl::SetRowHeight(int row, int height)
{
    if (row < 0)
        return SetTopHeadingRowHeight(row, height);
    if (row >= m_gi->m_numberRows)
        return 1;
    if (isVisible() && m_gi->m_paintMode) {
        for (int column = m_gi->m_leftCol; column <= m_gi->m_rightCol && column < m_gi->m_numberCols; ++column)
            GetCellTypeObject(column, row)->OnRowHeightSet(column, row, &height);
        OnRowHeightChange(row, &height);
    }
    height = std::max(0, height);
    if (m_gi->m_uniformRowHeight)
        m_gi->m_defRowHeight = height;
    else
        m_gi->m_rowHeights[row] = height;
    if (row < m_gi->m_numLockRows)
        recalcLockedRowHeight();
    return 0;
}

int CUGCtrl::UseUniformRowHeights(bool on)
{
    if (on) {
        m_gi->m_rowHeights.clear();
        m_gi->m_rowHeights.shrink_to_fit();
    } else if (m_gi->m_uniformRowHeight) {
        m_gi->m_rowHeights.assign(m_gi->m_numberRows, m_gi->m_defRowHeight);
    }
    m_gi->m_uniformRowHeight = on;
    return 0;
}

int CUGCtrl::GetTopHeadingRowHeight(int row) const
{
    return GetRowHeight(row < 0 ? row : -1);
}

int CUGCtrl::GetSideHeadingColumnWidth(int column) const
{
    return GetColumnWidth(column < 0 ? column : -1);
}

int CUGCtrl::SetTopHeadingRowHeight(int row, int height)
{
    const int heading = ~row;
    if (row >= 0 || heading >= m_gi->m_numberTopHdgRows)
        return 1;
    if (height > kMaxHeadingSize)
        return 2;
    height = std::max(0, height);
    if (m_gi->m_topHdgHeights[heading] == height)
        return 0;
    m_gi->m_topHdgHeights[heading] = height;
    if (m_gi->m_numberTopHdgRows == 1)
        m_gi->m_topHdgHeight = height;
    return 0;
}

int CUGCtrl::SetSideHeadingColumnWidth(int column, int width)
{
    const int heading = ~column;
    if (column >= 0 || heading >= m_gi->m_numberSideHdgCols)
        return 1;
    if (width > kMaxHeadingSize)
        return 2;
    width = std::max(0, width);
    if (m_gi->m_sideHdgWidths[heading] == width)
        return 0;
    m_gi->m_sideHdgWidths[heading] = width;
    if (m_gi->m_numberSideHdgCols == 1)
        m_gi->m_sideHdgWidth = width;
    return 0;
}

namespace {

// Scales each size by total / sum, rounding halves up.
void scaleSizes(std::vector<int>& sizes, int total)
{
    long long sum = 0;
    for (int s : sizes)
        sum += s;
    if (sum <= 0) {
        if (sizes.size() == 1)
            sizes[0] = total;
        return;
    }
    for (int& s : sizes)
        s = static_cast<int>(std::floor(static_cast<double>(s) * total / static_cast<double>(sum) + 0.5));
}

} // namespace

int CUGCtrl::SetTopHeadingHeight(int height)
{
    if (height > kMaxHeadingSize)
        return 1;
    m_gi->m_topHdgHeight = std::max(0, height);
    scaleSizes(m_gi->m_topHdgHeights, m_gi->m_topHdgHeight);
    LayoutChildren();
    return 0;
}

int CUGCtrl::SetSideHeadingWidth(int width)
{
    if (width > kMaxHeadingSize)
        return 1;
    m_gi->m_sideHdgWidth = std::max(0, width);
    scaleSizes(m_gi->m_sideHdgWidths, m_gi->m_sideHdgWidth);
    LayoutChildren();
    return 0;
}

int CUGCtrl::SetCurrentCellHighlight(int mode)
{
    if (mode < 0 || mode > 3)
        return 1;
    m_gi->m_highlightRowFlag = mode;
    return 0;
}

int CUGCtrl::SetDefaultColumnWidth(int width)
{
    m_gi->m_defColWidth = std::max(0, width);
    return 0;
}

int CUGCtrl::SetDefaultRowHeight(int height)
{
    m_gi->m_defRowHeight = std::max(0, height);
    return 0;
}
