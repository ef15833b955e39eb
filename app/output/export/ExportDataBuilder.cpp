#include "output/export/ExportDataBuilder.h"

#include "output/export/ExportSource.h"

#include "foundation/SheetDimensions.h"
#include "foundation/UserPrefsBase.h"
#include "model/CMilledPart.h"
#include "model/CPricingScheme.h"
#include "model/CSheetGoodEx.h"
#include "model/ISGSC.h"
#include "model/ProjectSettings.h"
#include "model/SizeCostRowOps.h"
#include "model/ThicknessBasedOptTarget.h"
#include "optimization/OptimizationTarget.h"

namespace iDeviceExport {

namespace {

template <class Key>
std::uint64_t Lookup(const std::map<Key, std::uint64_t>& table, const Key& key)
{
    const auto it = table.find(key);
    return it == table.end() ? 0 : it->second;
}

XSizeCost SizeCostRecord(const ISGSC& row, std::uint64_t materialIdentity)
{
    const SheetDimensions sheet = row.GetSheetDimensions();
    XSizeCost record;
    record.ID = row.GetIdentity();
    record.MatID = materialIdentity;
    record.EncActualT = row.GetThickness().GetUnits();
    record.EncActualW = sheet.GetWidth().GetUnits();
    record.EncL = sheet.GetLength().GetUnits();
    record.UnitCost = row.GetUnitCost().AsReal();
    const CSheetGoodPS* scheme = row.GetPricingScheme();
    record.Units = scheme ? scheme->GetUnitCode() : 0;
    record.Inv = row.IsUnlimited() ? 0.0 : static_cast<double>(row.GetInventory());
    record.Unlimited = row.IsUnlimited();
    record.CBM = row.CanBuyMore();
    record.OC = row.IsOffCut();
    record.EncLRTrim = sheet.GetLeftRightTrim().GetUnits();
    record.EncTBTrim = sheet.GetTopBottomTrim().GetUnits();
    if (const CVendorPtr vendor = row.GetVendor())
        record.Vendor = GetRefNameOrDeleted(*vendor);
    record.Bin = row.GetBin();
    record.Notes = row.GetSpecialNotes();
    return record;
}

// The package holds whole sheets, and the line items answer in pro-rated
// quantities while "Pro-Rate Costs" is on: it is off for the build and on
// again afterwards, also when the build fails. When it is off already, the
// store is not touched (each change of a preference rewrites its file).
class WholeSheetsScope
{
public:
    WholeSheetsScope()
    {
        UserPrefsBase* prefs = GetUserPrefs();
        m_wasOn = prefs && prefs->GetFlag(PrefId::ProRateCosts);
        if (m_wasOn)
            prefs->SetFlag(PrefId::ProRateCosts, false);
    }
    ~WholeSheetsScope()
    {
        if (UserPrefsBase* prefs = GetUserPrefs(); m_wasOn && prefs)
            prefs->SetFlag(PrefId::ProRateCosts, true);
    }
    WholeSheetsScope(const WholeSheetsScope&) = delete;
    WholeSheetsScope& operator=(const WholeSheetsScope&) = delete;

private:
    bool m_wasOn = false;
};

} // namespace

ExportDataBuilder::ExportDataBuilder(const IExportSource& source, ExportPackage& package)
    : m_source(source), m_package(package)
{ }

void ExportDataBuilder::Build()
{
    const WholeSheetsScope wholeSheets;
    AddTargets();
    AddBillOfMaterials();
    AddDiagrams();
    AddParts();
    AddComponents();
    AddProjectSettings();
}

void ExportDataBuilder::AddTargets()
{
    for (const auto& target : m_source.GetTargetList()) {
        OptTgtDTO record;
        record.ID = target->GetIdentity();
        if (const auto criteria = target->GetCriteria()) {
            if (const auto material = criteria->GetMaterial())
                record.MaterialID = material->GetMaterialIdentity();
            record.EncStockThick = criteria->GetThickness().GetUnits();
            record.DisplayName = criteria->GetDisplayText();
        }
        m_package.OptTargets.push_back(record);
        for (const CMilledPart* part : target->GetParts())
            m_partTargets[part] = record.ID;
    }
}

void ExportDataBuilder::AddBillOfMaterials()
{
    for (const ExportMaterialBill& bill : m_source.GetSheetGoodsBills()) {
        if (!bill.hasEntries)
            continue;
        if (bill.material)
            AddMaterialWithSizes(*bill.material);
        const std::uint64_t materialIdentity = bill.material ? bill.material->GetMaterialIdentity() : 0;
        for (const ExportResultSet& results : bill.results) {
            if (results.stacks.empty())
                continue;
            for (const StackPtr& stack : results.stacks)
                m_stackTargets[stack->GetIdentity()] = results.targetIdentity;
            for (const ExportLineItem& line : results.lineItems) {
                XBomLineItemDTO record;
                record.ID = line.identity;
                record.StockSpec = {kSheetGoodMatType, materialIdentity, line.sizeCostIdentity};
                record.Qty = line.quantityNeeded;
                record.QtyFromInv = line.quantityInStock;
                record.OptTgtID = results.targetIdentity;
                record.CostPrice[0] = line.totalCost;
                m_package.BomLineItems.push_back(record);
            }
        }
    }
}

void ExportDataBuilder::AddDiagrams()
{
    for (const StackPtr& stack : m_source.GetAllDiagramsInOrder())
        m_package.DiagramStacks.push_back({stack, Lookup(m_stackTargets, stack->GetIdentity())});
}

void ExportDataBuilder::AddParts()
{
    for (const CMilledPart* part : m_source.GetParts()) {
        XPart record;
        record.Ord = static_cast<std::uint32_t>(part->GetID().GetNumber());
        record.OptTgtID = Lookup(m_partTargets, part);
        record.UserID = part->GetID().GetText();
        record.Description = part->GetDescription();
        record.ExtQty = part->GetCopies();
        record.Copies = part->GetCopies();
        record.NestedCompQty = 1;
        record.Info = part->GetUserInfo();
        record.T = part->GetThickness().GetUnits();
        record.FinishedW = record.RoughW = part->GetWidth().GetUnits();
        record.FinishedL = record.RoughL = part->GetLength().GetUnits();
        record.SkipReason = static_cast<std::int32_t>(part->GetSkipInfo().GetReason());
        const auto material = part->GetMaterial();
        record.MatID = material ? material->GetMaterialIdentity() : 0;
        record.CR = true;
        record.SkipCount = part->GetUnplacedCopies();
        record.Notes = part->GetSpecialNotesText();
        if (material)
            AddMaterialWithSizes(*material);
        m_package.Parts.push_back(record);
    }
}

void ExportDataBuilder::AddComponents()
{
    XComponent component;
    component.Name = QStringLiteral("(Current Project)");
    component.Qty = 1;
    m_package.Components.push_back(component);
}

void ExportDataBuilder::AddProjectSettings()
{
    const ProjectSettings& project = m_source.GetProjectSettings();
    const OptimizationSettings& optimization = project.GetOptimizationSettings();
    XProjectSettings& settings = m_package.Settings;
    settings.Name = project.GetProjectName();
    settings.Notes = project.GetNotes();
    settings.PrimaryObj = static_cast<std::int32_t>(optimization.objective);
    settings.PackingStratPrimary
        = static_cast<std::int32_t>(optimization.GetWordByCode(OptimizationSettings::OptionWord1Code));
    settings.PackingStratSecondary
        = static_cast<std::int32_t>(optimization.GetWordByCode(OptimizationSettings::OptionWord2Code));
    settings.PackaingStratOther
        = static_cast<std::int32_t>(optimization.GetWordByCode(OptimizationSettings::PackingCode));
    settings.UseOffCutsFirst = optimization.useOffCutsFirst;
    settings.UseInvFirst = optimization.useInventoryFirst;
}

void ExportDataBuilder::AddMaterialWithSizes(const IOptimizableMaterial& material)
{
    if (material.GetKind() != IOptimizableMaterial::kKindSheetGood)
        return;
    if (const auto* sheetGood = dynamic_cast<const CSheetGoodEx*>(&material))
        AddSheetGood(*sheetGood);
}

void ExportDataBuilder::AddSheetGood(const CSheetGoodEx& material)
{
    const std::uint64_t identity = material.GetMaterialIdentity();
    if (!m_addedMaterials.insert(identity).second)
        return;
    const CSawSetupEx& saw = material.GetSawSetup();
    XMaterialWithSizes record;
    record.ID = identity;
    record.MatType = kSheetGoodMatType;
    record.Name = material.GetName();
    record.HasGrain = material.GetGrainInfo().GetHasGrain();
    record.ForcePartRot = material.GetGrainInfo().GetGrainDirection();
    record.EncKerf = saw.GetKerf().GetUnits();
    record.EncPartPad = saw.GetPadding().GetUnits();
    record.FCD = saw.GetFirstCutMode();
    record.PrefStyle = saw.GetLayoutStyle();
    for (const auto& row : material.GetSizeCosts())
        record.SizeCosts.push_back(SizeCostRecord(*row, identity));
    m_package.MaterialsWithSizes.push_back(record);
}

} // namespace iDeviceExport
