#include "model/MaterialCommands.h"

#include "model/MaterialRowCommands.h"

#include "foundation/UpdateMasks.h"
#include "foundation/UserPrefsBase.h"
#include "model/MaterialFactory.h"
#include "model/ModelTexts.h"
#include "model/ModelUiHook.h"
#include "model/OptimizableSizeCostUpdateInfo.h"
#include "model/OptimizationTargetHooks.h"
#include "model/SizeCostCompare.h"
#include "model/SizeCostFactory.h"

#include <algorithm>

template <class Material>
bool MaterialUpdateInfo<Material>::AffectsTarget(std::shared_ptr<OptimizationTarget> target) const
{
    if (!target || !m_material)
        return false;
    const auto criteria = GetTargetCriteria(*target);
    return criteria
        && GetCriteriaMaterial(*criteria) == static_cast<const IOptimizableMaterial*>(m_material.get());
}

template <class Material>
bool MaterialUpdateInfo<Material>::AffectsMaterial(std::shared_ptr<IOptimizableMaterial> material) const
{
    return material && material.get() == static_cast<const IOptimizableMaterial*>(m_material.get())
        && m_flags[5];
}

template class MaterialUpdateInfo<CSheetGoodEx>;

namespace {
SheetGoodList* LibraryList()
{
    MaterialsBase* library = GetMaterialsLibrary();
    return library ? &library->GetMaterials() : nullptr;
}

void RebuildNames()
{
    if (MaterialsBase* library = GetMaterialsLibrary())
        library->RebuildMaterialNameList();
}

const CSheetGoodEx* FindOtherByName(const SheetGoodList& list, const CSheetGoodEx* self, const QString& name)
{
    for (const auto& material : list)
        if (material.get() != self && material->GetName().compare(name, Qt::CaseInsensitive) == 0)
            return material.get();
    return nullptr;
}
} // namespace

// ---------------------------------------------------------------- new material

CMaterialNew<CSheetGoodEx, CSheetGoodEx>::CMaterialNew(std::shared_ptr<CSheetGoodEx> material)
    : MaterialCmd(material->GetChangeMask(), 0, std::make_shared<SheetGoodUpdateInfo>(0, material))
    , m_material(std::move(material))
{ }

QString CMaterialNew<CSheetGoodEx, CSheetGoodEx>::GetName() const
{
    return UiText(kStrNewMaterial);
}

void CMaterialNew<CSheetGoodEx, CSheetGoodEx>::Append()
{
    if (SheetGoodList* list = LibraryList()) {
        list->push_back(m_material);
        RebuildNames();
    }
    if (GetUpdateHint().GetChangeFlags() & UpdateMask::Change0040) {
        auto rows = GetUpdateHint().GetSheetGoodRowsForEdit();
        rows->SetRows({ m_material });
    }
}

void CMaterialNew<CSheetGoodEx, CSheetGoodEx>::Execute()
{
    MaterialCmd::Execute();
    m_material->ResetPinnableIDs();
    Append();
}

void CMaterialNew<CSheetGoodEx, CSheetGoodEx>::Undo()
{
    MaterialCmd::Undo();
    // Parts that still refer to the material show the default name meanwhile.
    m_material->SetPlaceholder(true);
    if (SheetGoodList* list = LibraryList()) {
        std::erase(*list, m_material);
        RebuildNames();
    }
}

void CMaterialNew<CSheetGoodEx, CSheetGoodEx>::Redo()
{
    MaterialCmd::Redo();
    m_material->SetPlaceholder(false);
    Append();
}

// ---------------------------------------------------------------- new row

CMaterialSCNew<CSheetGoodEx, ISGSC>::CMaterialSCNew(
    std::shared_ptr<CSheetGoodEx> material, std::shared_ptr<ISGSC> row)
    : MaterialCmd(72, 1, std::make_shared<OptimizableSizeCostUpdateInfo>(material, row, 1))
    , m_material(std::move(material))
    , m_row(std::move(row))
{ }

QString CMaterialSCNew<CSheetGoodEx, ISGSC>::GetName() const
{
    return UiText(kStrNewSizeCost);
}

void CMaterialSCNew<CSheetGoodEx, ISGSC>::Append()
{
    m_material->GetSizeCosts().push_back(m_row);
    auto rows = GetUpdateHint().GetSizeCostRowsForEdit();
    rows->SetRowsGiven(true);
    rows->SetRows({ m_row });
}

void CMaterialSCNew<CSheetGoodEx, ISGSC>::Execute()
{
    MaterialCmd::Execute();
    Append();
}

void CMaterialSCNew<CSheetGoodEx, ISGSC>::Undo()
{
    MaterialCmd::Undo();
    DetachSizeCostRow(*m_material, m_row);
}

void CMaterialSCNew<CSheetGoodEx, ISGSC>::Redo()
{
    MaterialCmd::Redo();
    AttachSizeCostRow(*m_material, m_row);
    auto rows = GetUpdateHint().GetSizeCostRowsForEdit();
    rows->SetRowsGiven(true);
    rows->SetRows({ m_row });
}

// ---------------------------------------------------------------- edit

namespace {
std::shared_ptr<SheetGoodUpdateInfo> EditInfo(
    const std::shared_ptr<CSheetGoodEx>& material, const CSheetGoodEx& newValues, bool updateInBOM)
{
    const bool flags[6]
        = { CuttingDataDiffers(*material, newValues), false, false, false, false, updateInBOM };
    return std::make_shared<SheetGoodUpdateInfo>(material, flags);
}
} // namespace

CMaterialEdit<CSheetGoodEx, CSheetGoodEx>::CMaterialEdit(std::shared_ptr<CSheetGoodEx> material,
    std::shared_ptr<CSheetGoodEx> newValues, std::uint64_t changeMask, std::uint64_t detailMask,
    bool updateInBOM)
    : MaterialCmd(changeMask, detailMask, EditInfo(material, *newValues, updateInBOM))
    , m_material(std::move(material))
    , m_newValues(std::move(newValues))
    , m_oldValues(m_material->CloneSheetGood())
{ }

QString CMaterialEdit<CSheetGoodEx, CSheetGoodEx>::GetName() const
{
    return UiText(kStrEditMaterial);
}

void CMaterialEdit<CSheetGoodEx, CSheetGoodEx>::Execute()
{
    MaterialCmd::Execute();
    m_material->AssignMaterial(*m_newValues);
    RebuildNames();
}

void CMaterialEdit<CSheetGoodEx, CSheetGoodEx>::Undo()
{
    MaterialCmd::Undo();
    m_material->AssignMaterial(*m_oldValues);
    RebuildNames();
}

void CMaterialEdit<CSheetGoodEx, CSheetGoodEx>::Redo()
{
    MaterialCmd::Redo();
    m_material->AssignMaterial(*m_newValues);
    RebuildNames();
}

// ---------------------------------------------------------------- grain edit

namespace {
std::shared_ptr<SheetGoodUpdateInfo> GrainInfoUpdate(
    const std::shared_ptr<CSheetGoodEx>& material, const GrainInfo& newFlags)
{
    const bool flags[6]
        = { GrainCuttingDiffers(material->GetGrainInfo(), newFlags), false, false, false, false, false };
    return std::make_shared<SheetGoodUpdateInfo>(material, flags);
}
} // namespace

MaterialDataEdit<CSheetGoodEx, GrainInfo>::MaterialDataEdit(
    std::shared_ptr<CSheetGoodEx> material, const GrainInfo& newFlags)
    : MaterialCmd(GrainChangeMask(material->GetGrainInfo(), newFlags),
        static_cast<std::uint64_t>(GrainChangeCode(material->GetGrainInfo(), newFlags)),
        GrainInfoUpdate(material, newFlags))
    , m_material(std::move(material))
    , m_newFlags(newFlags)
    , m_oldFlags(m_material->GetGrainInfo())
{ }

QString MaterialDataEdit<CSheetGoodEx, GrainInfo>::GetName() const
{
    return UiText(kStrEditGrain);
}

void MaterialDataEdit<CSheetGoodEx, GrainInfo>::Execute()
{
    MaterialCmd::Execute();
    m_material->GetGrainInfoForEdit().AssignFrom(m_newFlags);
}

void MaterialDataEdit<CSheetGoodEx, GrainInfo>::Undo()
{
    MaterialCmd::Undo();
    m_material->GetGrainInfoForEdit().AssignFrom(m_oldFlags);
}

void MaterialDataEdit<CSheetGoodEx, GrainInfo>::Redo()
{
    MaterialCmd::Redo();
    m_material->GetGrainInfoForEdit().AssignFrom(m_newFlags);
}

// ---------------------------------------------------------------- names

QString MakeUniqueName(const SheetGoodList& list, const CSheetGoodEx* material, const QString& wanted)
{
    QString result = wanted;
    for (int n = 1; FindOtherByName(list, material, result); ++n)
        result = wanted + QStringLiteral(" (%1)").arg(n);
    return result;
}

std::shared_ptr<CSheetGoodEx> AddNewMaterial()
{
    auto material = std::make_shared<CSheetGoodEx>(UiText(kStrNewMaterialName));
    if (const SheetGoodList* list = LibraryList())
        material->SetName(MakeUniqueName(*list, material.get(), material->GetStoredName()));
    RunMaterialCommand(std::make_shared<SheetGoodNewCmd>(material));
    return material;
}

std::shared_ptr<CSheetGoodEx> AddNewMaterialWithRow()
{
    auto material = AddNewMaterial();
    auto row = MakeSheetGoodSizeCost();
    const UserPrefsBase* prefs = GetUserPrefs();
    const bool metric = prefs && prefs->IsMetricDimensions();
    SheetDimensions sheet = row->GetSheetDimensions();
    sheet.SetWidth(metric ? CDimension::FromInches(1200 / 25.4) : CDimension::FromInches(48));
    sheet.SetLength(metric ? CDimension::FromInches(2400 / 25.4) : CDimension::FromInches(96));
    row->SetSheetDimensions(sheet);
    RunMaterialCommand(std::make_shared<SheetGoodRowNewCmd>(material, row));
    return material;
}

std::shared_ptr<CommandBase> MakeRenameCommand(
    const std::shared_ptr<CSheetGoodEx>& material, const SheetGoodList& list, const QString& newName)
{
    if (FindOtherByName(list, material.get(), newName)) {
        ShowModelMessage(newName + QLatin1Char(' ') + UiText(kStrMaterialNameTaken));
        return {};
    }
    auto newValues = material->CloneSheetGood();
    newValues->SetName(newName);
    return std::make_shared<SheetGoodEditCmd>(material, newValues, SheetGoodChangeMask(*material, *newValues),
        static_cast<std::uint64_t>(SheetGoodChangeCode(*material, *newValues)), false);
}

// ---------------------------------------------------------------- matching

std::shared_ptr<CSheetGoodEx> FindLibraryTwin(const std::shared_ptr<CSheetGoodEx>& material)
{
    auto candidate = material->FindLibraryTwinByPinnableID();
    if (!candidate)
        candidate = material->FindLibraryTwinByName();
    if (candidate && HaveSameCuttingData(*candidate, *material))
        return candidate;
    return {};
}

namespace {
void JoinLibrary(const std::shared_ptr<CSheetGoodEx>& material)
{
    if (auto command = material->CreateNewCommand())
        RunUnrecordedMaterialCommand(command);
    material->EnsureAssigned();
}
} // namespace

std::shared_ptr<CSheetGoodEx> ResolvePartMaterial(const std::shared_ptr<CSheetGoodEx>& material)
{
    if (!material)
        return material;
    if (auto twin = FindLibraryTwin(material))
        return twin;
    material->SetName(material->MakeUniqueName(material->GetName()));
    JoinLibrary(material);
    return material;
}

std::shared_ptr<CSheetGoodEx> ResolveMaterialByName(const std::shared_ptr<CSheetGoodEx>& material)
{
    if (!material || material->IsDefaultMaterial())
        return material;
    const QString name = material->GetName().trimmed();
    if (name.isEmpty() || name == QStringLiteral("Not Specified"))
        return GetDefaultMaterial();
    if (auto copy = material->FindLibraryTwinByName())
        return copy;
    JoinLibrary(material);
    return material;
}

std::shared_ptr<IOptimizableSize> FindLibrarySizeCost(
    const std::shared_ptr<CSheetGoodEx>& material, const std::shared_ptr<ISGSC>& row)
{
    if (auto same = material->FindSizeCostByPinnableID(row->GetID()); same && SameSize(*same, *row))
        return same;
    return material->FindMatchingSizeCost(*row);
}

std::shared_ptr<ISGSC> ResolveSizeCostRow(
    const std::shared_ptr<CSheetGoodEx>& material, const std::shared_ptr<ISGSC>& row)
{
    if (auto found = FindLibrarySizeCost(material, row))
        return material->FindSizeCost(found.get());
    material->AddSizeCostUnrecorded(row);
    row->EnsureAssigned();
    return row;
}
