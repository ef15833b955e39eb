#include "grids/SheetGoodBOMPane.h"

#include "foundation/ArchiveWrapper.h"
#include "foundation/ResourceBase.h"
#include "foundation/SchemaVersion.h"
#include "foundation/UIResources.h"
#include "foundation/UserPrefsBase.h"
#include "gridctrl/CUGRowMode.h"
#include "grids/GridPaintBlocker.h"
#include "grids/GridTextAccess.h"
#include "grids/GridsStrings.h"
#include "grids/SheetGoodBOMGridMgr.h"

#include <QWidget>

namespace {
constexpr int kPrefGridLines = 2036;
constexpr int kPrefFitMode = 3085;
constexpr int kShowNormal = 5;

const QFont* GridFont()
{
    const auto resources = GetUIResourcesBase();
    return resources ? &resources->GetGridFont() : nullptr;
}
} // namespace

SheetGoodBOMPane::SheetGoodBOMPane(IBOMPaneOwner& owner, QWidget* parent)
    : m_owner(owner)
    , m_grid(std::make_shared<CUGRowMode>())
{
    m_grid->CreateGrid(0, platform::Rect(0, 0, 0, 0), parent, kGridId);
    m_manager = std::make_shared<SheetGoodBOMGridMgr>(*m_grid, m_owner.GetSheetGoodsBOM());
    m_manager->Setup(GridFont());
}

SheetGoodBOMPane::~SheetGoodBOMPane()
{
    m_manager.reset();
    m_grid.reset();
}

void SheetGoodBOMPane::Hide()
{
    m_grid->hide();
}

void SheetGoodBOMPane::MoveTo(const QRect& rect)
{
    m_grid->setGeometry(rect);
    m_grid->update();
    m_manager->FitColumns();
}

void SheetGoodBOMPane::Refresh()
{
    CGridPaintBlocker blocker(m_grid.get());
    m_manager->DeleteAllRows();
    if (m_owner.LoadBOMData(1))
        m_manager->Refill();
    else
        m_grid->RedrawAll();
}

bool SheetGoodBOMPane::Reload()
{
    if (!m_owner.LoadBOMData(-1))
        return false;
    m_manager->Refill();
    return true;
}

void SheetGoodBOMPane::RebuildGrid()
{
    m_manager->Setup(GridFont());
    m_manager->Refill();
}

void SheetGoodBOMPane::ApplyGridLinesPref()
{
    const UserPrefsBase* prefs = GetUserPrefs();
    m_grid->SetGridLines(prefs && prefs->GetFlag(kPrefGridLines));
    m_grid->update();
}

void SheetGoodBOMPane::ApplyFitModePref()
{
    const UserPrefsBase* prefs = GetUserPrefs();
    m_manager->SetFitMode(prefs ? prefs->GetInt(kPrefFitMode) : 0);
}

void SheetGoodBOMPane::Invalidate()
{
    m_grid->update();
}

void SheetGoodBOMPane::Show(int showCommand)
{
    m_grid->setVisible(showCommand != 0);
    if (showCommand == kShowNormal)
        Refresh();
}

void SheetGoodBOMPane::Focus()
{
    m_grid->setFocus();
}

bool SheetGoodBOMPane::HasRows() const
{
    return m_grid->GetRowCount() > 0;
}

void SheetGoodBOMPane::SerializeGridState(ArchiveWrapper& ar)
{
    if (ar.IsStoring()) {
        ar.Write(static_cast<std::int32_t>(kGridStateVersion));
    } else {
        std::int32_t version = 0;
        ar.Read(version);
        if (version != kGridStateVersion)
            ThrowBadSchema(ar);
    }
    m_grid->SerializeColumnMapping(ar);
}

void SheetGoodBOMPane::GetRowsForCopy(ParseFieldRows& rows)
{
    rows.clear();
    Refresh();
    AppendSingleFieldRow(
        rows, LoadUIString(kStrBOMTitle) + QStringLiteral(": ") + LoadUIString(kStrBOMSheetGoods));
    GridTextAccess(*m_grid).ReadRowsAsParseFields(rows);
}
