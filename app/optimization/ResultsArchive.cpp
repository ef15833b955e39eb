// The stored forms of targets, results, bill-of-materials lines and the
// bills, and how their references are made canonical once a whole project is
// read.
#include "foundation/ArchiveWrapper.h"
#include "foundation/IdentityMapper.h"
#include "foundation/SchemaVersion.h"
#include "model/CSheetGoodEx.h"
#include "model/ISGSC.h"
#include "model/MaterialFactory.h"
#include "model/SharedMaterialRef.h"
#include "model/ThicknessBasedOptTarget.h"
#include "optimization/ArchiveRecords.h"
#include "optimization/DiagramIndex.h"
#include "optimization/NamedSheetGoodBOM.h"
#include "optimization/OptTargetsMgr.h"
#include "optimization/OptimizationResults.h"
#include "optimization/PartNumberLists.h"
#include "optimization/PinnedUsage.h"
#include "optimization/SGBOMLineItem.h"
#include "optimization/TopLevelBOM.h"

#include <stdexcept>

namespace {

constexpr std::int32_t kRecordVersion = 1;
constexpr std::int32_t kTargetsSchema = 2;
// Version, the target reference and two empty lists.
constexpr std::uint32_t kResultsBytes = 4 + kReferenceBytes + 4 + 4;
// The three version words, the totals' version and an empty material reference.
constexpr std::uint32_t kMaterialBOMBytes = 4 * 4 + kReferenceBytes;

// Line items are read by type code; only the sheet-good line (code 1) is
// ever written, and any other code cannot be read.
std::shared_ptr<IManagedIdentity> MakeLineItemIdentity(std::uint32_t typeCode)
{
    return typeCode == SGBOMLineItem::kTypeCode ? CreateBOMLineItem(typeCode) : nullptr;
}

template <class T>
void StoreRefList(ArchiveWrapper& ar, const std::vector<std::shared_ptr<T>>& list,
    const std::shared_ptr<IdentityMapper>& mapper)
{
    ar.Write(static_cast<std::int32_t>(list.size()));
    for (std::shared_ptr<T> item : list)
        mapper->SerializeRef(ar, item);
}

std::uint32_t ReadReferenceCount(ArchiveWrapper& ar)
{
    return static_cast<std::uint32_t>(ReadListCount(ar, kReferenceBytes));
}

// Each of count entries a fresh object of the known class read by reference.
template <class T>
std::vector<std::shared_ptr<T>> LoadRefList(
    ArchiveWrapper& ar, std::uint32_t count, const std::shared_ptr<IdentityMapper>& mapper)
{
    std::vector<std::shared_ptr<T>> list;
    for (std::uint32_t i = 0; i < count; ++i) {
        auto item = std::make_shared<T>();
        mapper->SerializeRef(ar, item);
        RequireLoaded(ar, item);
        list.push_back(std::move(item));
    }
    return list;
}

} // namespace

// Targets -----------------------------------------------------------------------------------

void OptTargetBase::Serialize(ArchiveWrapper& ar, const std::shared_ptr<IdentityMapper>& mapper)
{
    SerializeSchemaWord(ar, kRecordVersion);
    if (ar.IsStoring()) {
        ar.Write(IsOptimized());
        StorePartNumbers(m_parts, ar);
        return;
    }
    bool optimized = false;
    ar.Read(optimized);
    std::vector<std::int32_t> numbers;
    LoadPartNumbers(ar, numbers);
    PartList parts;
    if (ar.GetDocument() && !ResolvePartNumbers(numbers, mapper, parts))
        ThrowBadSchema(ar);
    m_parts = std::move(parts);
    SetOptimized(optimized);
}

void OptimizationTarget::Serialize(ArchiveWrapper& ar, const std::shared_ptr<IdentityMapper>& mapper)
{
    OptTargetBase::Serialize(ar, mapper);
    SerializeSchemaWord(ar, kRecordVersion);
    mapper->SerializeObject(ar, m_criteria, MakeCriteriaFromTypeCode);
    if (ar.IsStoring()) {
        ar.Write(static_cast<std::int32_t>(m_stock.size()));
        for (std::shared_ptr<IOptimizableSize> size : m_stock)
            mapper->SerializeObject(ar, size, MakeSizeCostIdentity);
        StoreRefList(ar, m_pinned, mapper);
        return;
    }
    RequireLoaded(ar, m_criteria);
    const std::int32_t stockCount = ReadListCount(ar, kReferenceBytes);
    std::vector<std::shared_ptr<IOptimizableSize>> stock;
    for (std::int32_t i = 0; i < stockCount; ++i) {
        std::shared_ptr<IOptimizableSize> size;
        mapper->SerializeObject(ar, size, MakeSizeCostIdentity);
        RequireLoaded(ar, size);
        stock.push_back(std::move(size));
    }
    m_stock = std::move(stock);
    m_pinned = LoadRefList<IdenticalDiagramStack>(ar, ReadReferenceCount(ar), mapper);
}

void OptimizationTarget::ResolveReferences(const std::shared_ptr<IdentityMapper>& mapper)
{
    if (m_criteria && !m_criteria->IsDefaultMaterial()) {
        if (m_criteria->IsRemappedOnLockProject()) {
            ResolveCanonicalRef(*mapper, m_criteria);
        } else {
            std::shared_ptr<IOptimizableMaterial> material = m_criteria->GetMaterial();
            ResolveSharedMaterialRef(mapper, material);
            if (material != m_criteria->GetMaterial())
                ApplyResolvedReference(*m_criteria, std::dynamic_pointer_cast<IManagedIdentity>(material));
        }
    }
    for (const StackPtr& stack : m_pinned)
        stack->ResolveReferences(mapper);
}

void OptTargetsMgr::Serialize(
    ArchiveWrapper& ar, bool locked, const std::shared_ptr<IdentityMapper>& mapper, PinnedUsage& usage)
{
    if (ar.IsStoring()) {
        ar.Write(static_cast<std::uint32_t>(kTargetsSchema));
        OptTargetList stored;
        for (const auto& target : GetTargetList())
            if (locked || target->HasPinnedLayouts())
                stored.push_back(target);
        ar.Write(static_cast<std::uint32_t>(stored.size()));
        for (std::shared_ptr<OptTargetBase> target : stored)
            mapper->SerializeRef(ar, target);
        return;
    }
    ReadOrThrowInRange(ar, kTargetsSchema, kTargetsSchema);
    const std::uint32_t count = ReadUnsignedListCount(ar, kReferenceBytes);
    std::vector<OptimizationTargetPtr> loaded;
    for (std::uint32_t i = 0; i < count; ++i) {
        auto target = std::make_shared<OptimizationTarget>();
        mapper->SerializeRef(ar, target);
        RequireLoaded(ar, target);
        loaded.push_back(std::move(target));
    }
    for (const OptimizationTargetPtr& target : loaded) {
        AppendLoadedTarget(target);
        if (target->HasPinnedLayouts())
            target->RestorePinnedLayouts(usage);
    }
}

// Results and lines -------------------------------------------------------------------------

void OptimizationResults::Serialize(ArchiveWrapper& ar, const std::shared_ptr<IdentityMapper>& mapper)
{
    SerializeSchemaWord(ar, kRecordVersion);
    mapper->SerializeRef(ar, m_target);
    if (ar.IsStoring()) {
        StoreRefList(ar, m_stacks, mapper);
        ar.Write(static_cast<std::int32_t>(m_lineItems.size()));
        for (OptimizedLineItemPtr item : m_lineItems)
            mapper->SerializeObject(ar, item, MakeLineItemIdentity);
        return;
    }
    RequireLoaded(ar, m_target);
    m_stacks = LoadRefList<IdenticalDiagramStack>(ar, ReadReferenceCount(ar), mapper);
    Renumber();
    const std::int32_t lineCount = ReadListCount(ar, kReferenceBytes);
    OptimizedLineItemList items;
    for (std::int32_t i = 0; i < lineCount; ++i) {
        OptimizedLineItemPtr item;
        mapper->SerializeObject(ar, item, MakeLineItemIdentity);
        RequireLoaded(ar, item);
        items.push_back(std::move(item));
    }
    m_lineItems = std::move(items);
}

// The target and the stacks are the objects the file shares by identity
// already; only the stacks' stock needs the canonical material and row.
void OptimizationResults::ResolveReferences(const std::shared_ptr<IdentityMapper>& mapper)
{
    for (const StackPtr& stack : m_stacks)
        stack->ResolveReferences(mapper);
}

void SGBOMLineItem::Serialize(ArchiveWrapper& ar, const std::shared_ptr<IdentityMapper>& mapper)
{
    SerializeSchemaWord(ar, kRecordVersion);
    mapper->SerializeRef(ar, m_row);
    if (ar.IsStoring()) {
        ar << m_proRatedNeeded << m_proRatedFromStock << static_cast<std::int32_t>(m_sheetsFromStock);
        StoreRefList(ar, m_layouts, mapper);
        return;
    }
    RequireLoaded(ar, m_row);
    std::int32_t sheetsFromStock = 0;
    ar >> m_proRatedNeeded >> m_proRatedFromStock >> sheetsFromStock;
    m_sheetsFromStock = static_cast<std::uint32_t>(sheetsFromStock);
    m_layouts = LoadRefList<IdenticalDiagramStack>(ar, ReadReferenceCount(ar), mapper);
}

void SGBOMLineItem::ResolveReferences(const std::shared_ptr<IdentityMapper>& mapper)
{
    ResolveCanonicalRef(*mapper, m_row);
}

// Bills ---------------------------------------------------------------------------------------

void MaterialBOMBase::Serialize(ArchiveWrapper& ar, const std::shared_ptr<IdentityMapper>&)
{
    SerializeSchemaWord(ar, kRecordVersion);
    m_totals->Serialize(ar);
}

void IOptimizedMaterialBOM::Serialize(ArchiveWrapper& ar, const std::shared_ptr<IdentityMapper>& mapper)
{
    MaterialBOMBase::Serialize(ar, mapper);
    SerializeSchemaWord(ar, kRecordVersion);
}

void NamedSheetGoodBOM::Serialize(ArchiveWrapper& ar, const std::shared_ptr<IdentityMapper>& mapper)
{
    IOptimizedMaterialBOM::Serialize(ar, mapper);
    SerializeSchemaWord(ar, kRecordVersion);
    std::shared_ptr<IOptimizableMaterial> material = m_material;
    SerializeSharedMaterialRef(ar, material, mapper, MakeMaterialIdentity);
    if (ar.IsStoring()) {
        ar.Write(static_cast<std::uint32_t>(m_lineItems.size()));
        for (std::shared_ptr<SGBOMLineItem> line : m_lineItems)
            mapper->SerializeRef(ar, line);
        ar.Write(static_cast<std::uint32_t>(m_results.size()));
        for (const OptimizationResultsPtr& entry : m_results)
            entry->Serialize(ar, mapper);
        return;
    }
    auto sheetGood = std::dynamic_pointer_cast<CSheetGoodEx>(material);
    RequireLoaded(ar, sheetGood);
    m_material = std::move(sheetGood);
    m_lineItems = LoadRefList<SGBOMLineItem>(ar, ReadUnsignedListCount(ar, kReferenceBytes), mapper);
    const std::uint32_t resultsCount = ReadUnsignedListCount(ar, kResultsBytes);
    ResultsList results;
    for (std::uint32_t i = 0; i < resultsCount; ++i) {
        auto entry = std::make_shared<OptimizationResults>();
        entry->Serialize(ar, mapper);
        results.push_back(std::move(entry));
    }
    m_results = std::move(results);
}

void NamedSheetGoodBOM::ResolveReferences(const std::shared_ptr<IdentityMapper>& mapper)
{
    std::shared_ptr<IOptimizableMaterial> material = m_material;
    ResolveSharedMaterialRef(mapper, material);
    if (auto sheetGood = std::dynamic_pointer_cast<CSheetGoodEx>(material))
        m_material = std::move(sheetGood);
    for (const OptimizationResultsPtr& entry : m_results)
        entry->ResolveReferences(mapper);
    for (const auto& line : m_lineItems)
        line->ResolveReferences(mapper);
}

void IOptimizedTopLevelBOM::Serialize(ArchiveWrapper&)
{
    throw std::logic_error("the project's bill of materials is stored with the file's identity mapper");
}

void IOptimizedTopLevelBOM::Serialize(ArchiveWrapper& ar, const std::shared_ptr<IdentityMapper>&)
{
    BOMBase::Serialize(ar);
    SerializeSchemaWord(ar, kRecordVersion);
}

void SheetGoodsBOM::Serialize(ArchiveWrapper& ar, const std::shared_ptr<IdentityMapper>& mapper)
{
    IOptimizedTopLevelBOM::Serialize(ar, mapper);
    SerializeSchemaWord(ar, kRecordVersion);
    if (ar.IsStoring()) {
        ar.Write(static_cast<std::int32_t>(m_boms.size()));
        for (const auto& bom : m_boms)
            bom->Serialize(ar, mapper);
        return;
    }
    const std::int32_t count = ReadListCount(ar, kMaterialBOMBytes);
    for (std::int32_t i = 0; i < count; ++i) {
        auto bom = std::make_shared<NamedSheetGoodBOM>();
        bom->Serialize(ar, mapper);
        m_boms.push_back(std::move(bom));
    }
}
