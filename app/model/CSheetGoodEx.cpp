#include "model/CSheetGoodEx.h"

#include "foundation/ArchiveWrapper.h"
#include "foundation/CUserPrefs.h"
#include "foundation/DimensionFormatPrefs.h"
#include "foundation/IdentityMapper.h"
#include "foundation/IdentityPreamble.h"
#include "foundation/SchemaVersion.h"
#include "foundation/UserPrefsBase.h"
#include "model/CMaterials.h"
#include "model/CPartID.h"
#include "model/LibraryFolderHook.h"
#include "model/MaterialCommands.h"
#include "model/MaterialFactory.h"
#include "model/MaterialsBase.h"
#include "model/ModelTexts.h"
#include "model/OptimizationTargetHooks.h"
#include "model/SizeCostFactory.h"
#include "model/ThicknessBasedOptTarget.h"

#include <platform/ArchiveError.h>
#include <platform/BinaryArchive.h>

namespace {

SheetGoodList* LibraryList()
{
    MaterialsBase* library = GetMaterialsLibrary();
    return library ? &library->GetMaterials() : nullptr;
}
} // namespace

CSheetGoodEx::CSheetGoodEx() = default;

CSheetGoodEx::CSheetGoodEx(const QString& name)
    : CMilledMaterial(name)
{ }

CSheetGoodEx::CSheetGoodEx(const CSheetGoodEx& other)
    : CMilledMaterial()
    , IOptimizableMaterial()
    , std::enable_shared_from_this<CSheetGoodEx>()
{
    AssignMaterial(other);
}

CSheetGoodEx::~CSheetGoodEx() = default;

std::shared_ptr<CSheetGoodEx> CSheetGoodEx::CloneSheetGood() const
{
    auto copy = std::make_shared<CSheetGoodEx>();
    copy->AssignMaterial(*this);
    return copy;
}

std::shared_ptr<CSheetGoodEx> CSheetGoodEx::CloneSheetGoodWithSizeCosts() const
{
    auto copy = CloneSheetGood();
    copy->m_rows.reserve(m_rows.size());
    for (const auto& row : m_rows)
        copy->m_rows.push_back(row->CloneWithVendorCopy());
    return copy;
}

std::shared_ptr<CMaterialEx> CSheetGoodEx::CloneWithSizeCosts() const
{
    return CloneSheetGoodWithSizeCosts();
}

void CSheetGoodEx::AssignMaterial(const CSheetGoodEx& other)
{
    if (&other == this)
        return;
    CMaterialEx::Assign(other);
    GetSawSetupForEdit().AssignFrom(other.GetSawSetup());
    m_grain.AssignFrom(other.m_grain);
}

std::shared_ptr<CSheetGoodEx> CSheetGoodEx::FindLibraryTwinByName() const
{
    if (const SheetGoodList* list = LibraryList())
        for (const auto& material : *list)
            if (material->GetStoredName().compare(GetStoredName(), Qt::CaseInsensitive) == 0)
                return material;
    return {};
}

std::shared_ptr<CSheetGoodEx> CSheetGoodEx::FindLibraryTwinByPinnableID() const
{
    if (!IsPinnableIDSet())
        return {};
    if (const SheetGoodList* list = LibraryList())
        for (const auto& material : *list)
            if (material->GetID().IsEqual(GetID()))
                return material;
    return {};
}

std::shared_ptr<CMaterialEx> CSheetGoodEx::FindLibraryCopyByName() const
{
    return FindLibraryTwinByName();
}

std::shared_ptr<CMaterialEx> CSheetGoodEx::FindLibraryCopyByPinnableID() const
{
    return FindLibraryTwinByPinnableID();
}

QString CSheetGoodEx::MakeUniqueName(const QString& baseName) const
{
    const SheetGoodList* list = LibraryList();
    return list ? ::MakeUniqueName(*list, this, baseName) : baseName;
}

QString CSheetGoodEx::GetMaterialNameList() const
{
    const MaterialsBase* library = GetMaterialsLibrary();
    return library ? library->GetMaterialNameList() : QString();
}

QString CSheetGoodEx::GetTypeName() const
{
    return UiText(kStrSheetGood);
}

std::shared_ptr<OptTargetCriteria> CSheetGoodEx::CreateOptimizationTarget(
    const CDimension& thickness, const CDimension&, const CDimension&)
{
    return ::CreateOptimizationTarget(shared_from_this(), thickness);
}

bool CSheetGoodEx::UsesFancyAnnotation() const
{
    const UserPrefsBase* prefs = GetUserPrefs();
    return prefs && prefs->GetFlag(2113);
}

std::shared_ptr<CommandBase> CSheetGoodEx::CreateGrainEdit(const GrainInfo& newFlags)
{
    return std::make_shared<SheetGoodGrainEditCmd>(shared_from_this(), newFlags);
}

std::shared_ptr<CommandBase> CSheetGoodEx::CreateNewCommand()
{
    return std::make_shared<SheetGoodNewCmd>(shared_from_this());
}

std::shared_ptr<CommandBase> CSheetGoodEx::CreateEditCommand(const std::shared_ptr<CMaterialEx>& edited)
{
    auto newValues = std::dynamic_pointer_cast<CSheetGoodEx>(edited);
    if (!newValues)
        return {};
    return std::make_shared<SheetGoodEditCmd>(shared_from_this(), newValues,
        SheetGoodChangeMask(*this, *newValues),
        static_cast<std::uint64_t>(SheetGoodChangeCode(*this, *newValues)),
        LayoutStyleDiffers(GetSawSetup(), newValues->GetSawSetup()));
}

void CSheetGoodEx::ResetPinnableIDs()
{
    PinnableID::Clear();
    // A material that joins the library also takes the library's vendors.
    for (const auto& row : m_rows)
        row->ResetPinnableID();
}

void CSheetGoodEx::OnPinnableIDCleared()
{
    // Only the stamps: re-linking vendors belongs to ResetPinnableIDs, not to
    // every clearing of the material's stamp.
    for (const auto& row : m_rows)
        static_cast<PinnableID&>(*row).Clear();
}

std::vector<std::shared_ptr<IOptimizableSize>> CSheetGoodEx::GetStockSizes(
    const OptTargetCriteria& criteria, const StockUsageMap& usage) const
{
    std::vector<std::shared_ptr<IOptimizableSize>> offered;
    for (const auto& row : m_rows)
        if (IsOfferedStockSize(*row, usage, criteria))
            offered.push_back(row);
    return offered;
}

bool CSheetGoodEx::IsUnspecified() const
{
    return IsPlaceholder() || GetStoredName() == UiText(kStrNotSpecified);
}

std::shared_ptr<MaterialBOMBase> CSheetGoodEx::CreateBOM()
{
    return CreateMaterialBOM(shared_from_this());
}

std::shared_ptr<BOMLineItemBase> CSheetGoodEx::CreateBOMLineItem(const std::shared_ptr<ISGSC>& row) const
{
    return CreateBOMLineItemForRow(row);
}

std::shared_ptr<ISGSC> CSheetGoodEx::FindSizeCost(const IOptimizableSize* handle) const
{
    for (const auto& row : m_rows)
        if (static_cast<const IOptimizableSize*>(row.get()) == handle)
            return row;
    return {};
}

std::shared_ptr<IOptimizableSize> CSheetGoodEx::FindMatchingSizeCost(const ISGSC& other) const
{
    for (const auto& row : m_rows)
        if (row->Matches(other))
            return row;
    return {};
}

void CSheetGoodEx::AddSizeCostUnrecorded(const std::shared_ptr<ISGSC>& row)
{
    RunUnrecordedMaterialCommand(std::make_shared<SheetGoodRowNewCmd>(shared_from_this(), row));
}

std::shared_ptr<ISGSC> CSheetGoodEx::FindSizeCostByPinnableID(const UniqueStamp& stamp) const
{
    if (!stamp.IsSet())
        return {};
    for (const auto& row : m_rows)
        if (row->GetID().IsEqual(stamp))
            return row;
    return {};
}

bool CSheetGoodEx::IsDefaultMaterial() const
{
    return this == GetDefaultMaterial().get();
}

std::shared_ptr<IManagedIdentity> CSheetGoodEx::MakeLockProjectCopy(
    const std::shared_ptr<IdentityMapper>& mapper)
{
    auto copy = CloneSheetGood();
    copy->SetID(GetID());
    for (const auto& row : m_rows) {
        auto resolved = std::dynamic_pointer_cast<ISGSC>(mapper->Resolve(row));
        if (resolved)
            copy->m_rows.push_back(resolved);
    }
    return copy;
}

void CSheetGoodEx::Serialize(ArchiveWrapper& ar, const std::shared_ptr<IdentityMapper>& mapper)
{
    CMaterialEx::Serialize(ar, mapper);
    if (ar.IsStoring()) {
        ar << kVersion << static_cast<std::int32_t>(m_rows.size());
        for (const auto& row : m_rows) {
            ar << static_cast<std::int32_t>(row->GetTypeCode());
            std::shared_ptr<ISGSC> ref = row;
            mapper->SerializeRef(ar, ref);
        }
    } else {
        ReadOrThrow(ar, kVersion);
        std::int32_t count = 0;
        ar >> count;
        if (count < 0)
            ThrowBadSchema(ar);
        // Each row takes at least a type code and a reference.
        ar.GetArchive().requireBytes(static_cast<std::uint64_t>(count), 4 + 9);
        std::vector<std::shared_ptr<ISGSC>> rows;
        rows.reserve(static_cast<std::size_t>(count));
        for (std::int32_t i = 0; i < count; ++i) {
            std::int32_t typeCode = 0;
            ar >> typeCode;
            std::shared_ptr<ISGSC> row = MakeSheetGoodSizeCost();
            mapper->SerializeRef(ar, row);
            if (!row)
                throw platform::ArchiveError(
                    platform::ArchiveError::BadIndex, ar.GetFilePath().toStdString());
            rows.push_back(std::move(row));
        }
        m_rows = std::move(rows);
    }
    m_grain.Serialize(ar);
    GetSawSetupForEdit().Serialize(ar);
    PinnableID::Serialize(ar);
}

bool CuttingDataDiffers(const CSheetGoodEx& a, const CSheetGoodEx& b)
{
    return SawCuttingDiffers(a.GetSawSetup(), b.GetSawSetup())
        || GrainCuttingDiffers(a.GetGrainInfo(), b.GetGrainInfo());
}

std::uint64_t SheetGoodChangeMask(const CSheetGoodEx& oldMaterial, const CSheetGoodEx& newMaterial)
{
    std::uint64_t mask = oldMaterial.GetStoredName() != newMaterial.GetStoredName() ? 521 : 0;
    return mask | SawSetupChangeMask(oldMaterial.GetSawSetup(), newMaterial.GetSawSetup())
        | GrainChangeMask(oldMaterial.GetGrainInfo(), newMaterial.GetGrainInfo());
}

int SheetGoodChangeCode(const CSheetGoodEx& oldMaterial, const CSheetGoodEx& newMaterial)
{
    int code = oldMaterial.GetStoredName() != newMaterial.GetStoredName() ? 128 : 0;
    return code | SawSetupChangeCode(oldMaterial.GetSawSetup(), newMaterial.GetSawSetup())
        | GrainChangeCode(oldMaterial.GetGrainInfo(), newMaterial.GetGrainInfo());
}

std::shared_ptr<CSheetGoodEx> GetDefaultMaterial()
{
    static const std::shared_ptr<CSheetGoodEx> material
        = std::make_shared<CSheetGoodEx>(QStringLiteral("Not Specified"));
    return material;
}

void UseLiteralDefaultMaterialName()
{
    GetDefaultMaterial()->SetName(QStringLiteral("Not Specified"));
}

void UseLocalizedDefaultMaterialName()
{
    const QString localized = UiText(kStrNotSpecified);
    GetDefaultMaterial()->SetName(localized.isEmpty() ? QStringLiteral("Not Specified") : localized);
}

void RegisterSheetGoodServices()
{
    static const bool registered = [] {
        // The first start copies the shipped library into the user's folder.
        SetDefaultMaterialsInstaller([](const QString& folder) { InstallMaterialFiles(folder); });
        SetPartNumberStyleReceiver(
            [](int style) { CPartID::SetPartIDDisplayMode(static_cast<std::uint16_t>(style)); });
        RegisterMaterialKind(CSheetGoodEx::kKind, [] { return std::make_shared<CSheetGoodEx>(); });
        RegisterThicknessTargetServices();
        InstallLibraryFolderHook();
        // Every file names the default material under the identity it had
        // when written; reading maps it to this program's object.
        SetDefaultSheetGoodProvider(
            []() -> std::shared_ptr<IManagedIdentity> { return GetDefaultMaterial(); });
        return true;
    }();
    (void)registered;
}
