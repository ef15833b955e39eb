#include "model/CMilledPart.h"

#include <platform/ArchiveError.h>

#include "foundation/ArchiveWrapper.h"
#include "foundation/DimensionFormatSettings.h"
#include "foundation/IdentityMapper.h"
#include "foundation/SchemaVersion.h"
#include "model/CSheetGoodEx.h"
#include "model/MaterialCommands.h"
#include "model/MaterialFactory.h"
#include "model/ModelTexts.h"

#include <algorithm>

namespace {
std::uint32_t ClampedDifference(std::uint64_t from, std::uint64_t minus)
{
    return from > minus ? static_cast<std::uint32_t>(from - minus) : 0;
}

// 19 mm in metric styles, 3/4 inch otherwise.
CDimension DefaultThickness()
{
    return CDimension::FromInches(IsMetricDimensionStyle() ? 0.7480314960629921 : 0.75);
}
} // namespace

// ---------------------------------------------------------------- CPartEx

void CPartEx::AssignBase(const CPartEx& other)
{
    m_id = other.m_id;
    m_description = other.m_description;
    m_copies = other.m_copies;
    m_specialNotes = other.m_specialNotes;
    m_userInfo = other.m_userInfo;
    m_locked = false;
}

bool CPartEx::IsEqual(const CPartEx& other) const
{
    return CPartID::HasEqualText(m_id, other.m_id) && m_description == other.m_description;
}

void CPartEx::Serialize(ArchiveWrapper& ar, const std::shared_ptr<IdentityMapper>&)
{
    if (ar.IsStoring()) {
        ar << kSchema << m_description << static_cast<std::int32_t>(m_copies) << m_specialNotes << m_userInfo
           << m_locked;
    } else {
        ReadOrThrowInRange(ar, kSchema, kSchema);
        std::int32_t copies = 0;
        ar >> m_description >> copies >> m_specialNotes >> m_userInfo >> m_locked;
        // A negative count would read as billions of copies for the optimizer.
        if (copies < 0)
            throw platform::ArchiveError(platform::ArchiveError::BadSchema, ar.GetFilePath().toStdString());
        m_copies = static_cast<std::uint32_t>(copies);
    }
    m_id.Serialize(ar);
}

// ---------------------------------------------------------------- CMilledPart

CMilledPart::CMilledPart()
    : m_thickness(DefaultThickness())
    , m_width(CDimension::FromInches(1.0))
    , m_length(CDimension::FromInches(1.0))
    , m_material(GetDefaultMaterial())
{ }

CMilledPart::CMilledPart(const CPartID& id)
    : CMilledPart()
{
    GetIDForEdit() = id;
}

CMilledPart::CMilledPart(const CMilledPart& other)
    : CPartEx(CPartID(1))
{
    Assign(other);
}

CMilledPart& CMilledPart::operator=(const CMilledPart& other)
{
    Assign(other);
    return *this;
}

CMilledPart::~CMilledPart() = default;

void CMilledPart::Assign(const CMilledPart& other)
{
    if (&other == this)
        return;
    CPartEx::AssignBase(other);
    m_thickness = other.m_thickness;
    m_width = other.m_width;
    m_length = other.m_length;
    m_material = other.m_material;
    m_optimizerPlaced = other.m_optimizerPlaced;
    m_handPlaced = other.m_handPlaced;
    m_draggedOff = other.m_draggedOff;
}

void CMilledPart::SetMaterial(std::shared_ptr<CSheetGoodEx> material)
{
    m_material = material ? std::move(material) : GetDefaultMaterial();
}

bool CMilledPart::OptimizationDataChanged(const CMilledPart& other) const
{
    return GetCopies() != other.GetCopies() || !CDimension::ApproxEqual(m_thickness, other.m_thickness)
        || !CDimension::ApproxEqual(m_width, other.m_width)
        || !CDimension::ApproxEqual(m_length, other.m_length) || m_material != other.m_material;
}

std::uint64_t CMilledPart::GetChangeMask(const CPartEx& otherPart) const
{
    const auto* other = dynamic_cast<const CMilledPart*>(&otherPart);
    if (!other)
        return 0;
    std::uint64_t mask = 0;
    if (GetDescription() != other->GetDescription() || GetUserInfo() != other->GetUserInfo())
        mask |= 0x1;
    if (OptimizationDataChanged(*other))
        mask |= 0x8;
    if (mask)
        mask |= 0x1;
    return mask;
}

std::uint64_t CMilledPart::GetDetailMask(const CPartEx& otherPart) const
{
    const auto* other = dynamic_cast<const CMilledPart*>(&otherPart);
    if (!other)
        return 0;
    std::uint64_t mask = 0;
    if (CPartID::IsNotEqual(GetID(), other->GetID()) || GetDescription() != other->GetDescription()
        || GetUserInfo() != other->GetUserInfo())
        mask = 0x400;
    if (OptimizationDataChanged(*other))
        mask |= 0x1;
    else if (!CDimension::ApproxEqual(m_width, other->m_width)
        || !CDimension::ApproxEqual(m_length, other->m_length))
        mask = 0x400;
    return mask;
}

bool CMilledPart::IsEqual(const CPartEx& otherPart) const
{
    const auto* other = dynamic_cast<const CMilledPart*>(&otherPart);
    return other && CPartEx::IsEqual(*other) && CDimension::ApproxEqual(m_thickness, other->m_thickness)
        && CDimension::ApproxEqual(m_width, other->m_width)
        && CDimension::ApproxEqual(m_length, other->m_length) && m_material == other->m_material;
}

QString CMilledPart::GetTypeName() const
{
    return UiText(kStrPart);
}

bool CMilledPart::IsLargerThan(const CMilledPart& other) const
{
    const std::int64_t mine = std::int64_t { m_width.GetUnits() } * m_length.GetUnits();
    const std::int64_t theirs = std::int64_t { other.m_width.GetUnits() } * other.m_length.GetUnits();
    return mine > theirs;
}

std::shared_ptr<CSheetGoodEx> CMilledPart::GetMaterialInUse() const
{
    return m_material->IsPlaceholder() ? GetDefaultMaterial() : m_material;
}

QString CMilledPart::GetMaterialName() const
{
    return GetMaterialInUse()->GetName();
}

int CMilledPart::GetMaterialKind() const
{
    return static_cast<int>(m_material->GetTypeCode());
}

QString CMilledPart::GetMaterialCellText() const
{
    return m_material->GetMaterialNameList();
}

bool CMilledPart::HasGrainConstraint() const
{
    if (CDimension::ApproxEqual(m_width, m_length))
        return false;
    if (m_material->GetMaterialTypeCode() == 0)
        return false;
    // Has-grain is the flag that reaches the optimizer; the other grain flags
    // only affect drawing.
    return m_material->GetGrainInfo().GetHasGrain();
}

std::shared_ptr<OptTargetCriteria> CMilledPart::CreateOptimizationTarget() const
{
    return GetMaterialInUse()->CreateOptimizationTarget(m_thickness, m_width, m_length);
}

std::uint32_t CMilledPart::GetCopiesForOptimizer() const
{
    return ClampedDifference(GetCopies(), std::uint64_t { m_draggedOff } + m_handPlaced);
}

std::uint32_t CMilledPart::GetUnplacedCopies() const
{
    return ClampedDifference(GetCopies(), std::uint64_t { m_handPlaced } + m_optimizerPlaced);
}

bool CMilledPart::IsEntirelyUnplaced() const
{
    const std::uint32_t unplaced = GetUnplacedCopies();
    return unplaced != 0 && GetCopies() != 0 && unplaced == GetCopies();
}

void CMilledPart::MoveToHandPlaced(std::uint32_t n)
{
    m_handPlaced += n;
    m_optimizerPlaced = ClampedDifference(m_optimizerPlaced, n);
}

void CMilledPart::MoveFromHandPlaced(std::uint32_t n)
{
    const std::uint32_t moved = std::min(n, m_handPlaced);
    m_handPlaced -= moved;
    m_optimizerPlaced += moved;
}

void CMilledPart::RemoveHandPlacedCopies(std::uint32_t n)
{
    m_handPlaced = ClampedDifference(m_handPlaced, n);
}

CSkippedPartInfo CMilledPart::GetSkipInfo() const
{
    if (m_draggedOff != 0)
        return CSkippedPartInfo(CSkippedPartInfo::ManualEdit);
    return m_skipInfo;
}

void CMilledPart::SetSkipReason(std::uint32_t reason)
{
    if (reason == CSkippedPartInfo::ManualEdit || GetCopies() == 0)
        return;
    m_skipInfo.SetReason(reason);
}

double CMilledPart::GetArea() const
{
    return m_width.GetInches() * m_length.GetInches();
}

double CMilledPart::GetPerimeter() const
{
    return 2 * m_width.GetInches() + 2 * m_length.GetInches();
}

double CMilledPart::GetPaddedArea(double pad) const
{
    return (m_width.GetInches() + pad) * (m_length.GetInches() + pad);
}

PartStats CMilledPart::GetPartStats() const
{
    PartStats stats;
    stats.copies = GetCopies();
    stats.unplacedCopies = GetUnplacedCopies();
    stats.totalArea = GetArea() * GetCopies();
    stats.totalPerimeter = GetPerimeter() * GetCopies();
    return stats;
}

QString CMilledPart::FormatPlacedOfCopies() const
{
    return UiHeaderText(kStrPlacedOfCopies).arg(GetPlacedCopies()).arg(GetCopies());
}

QString CMilledPart::FormatUnplacedOfCopies() const
{
    return UiText(kStrPlacedOfCopies).arg(GetUnplacedCopies()).arg(GetCopies());
}

void CMilledPart::ResolveReferences(const std::shared_ptr<IdentityMapper>& mapper)
{
    if (!m_material || m_material->IsDefaultMaterial())
        return;
    if (m_material->IsRemappedOnLockProject()) {
        std::shared_ptr<IManagedIdentity> identity = m_material;
        if (auto resolved = std::dynamic_pointer_cast<CSheetGoodEx>(mapper->Resolve(identity)))
            m_material = resolved;
    } else {
        ApplyResolvedReference(*m_material, m_material);
    }
}

void CMilledPart::RelinkMaterialToLibrary()
{
    SetMaterial(HasHandPlacedCopies() ? ResolvePartMaterial(m_material) : ResolveMaterialByName(m_material));
}

void CMilledPart::Serialize(ArchiveWrapper& ar, const std::shared_ptr<IdentityMapper>& mapper)
{
    CPartEx::Serialize(ar, mapper);
    if (ar.IsStoring()) {
        ar << kSchema;
    } else {
        ReadOrThrowInRange(ar, kSchema, kSchema);
    }
    m_thickness.Serialize(ar);
    m_width.Serialize(ar);
    m_length.Serialize(ar);
    m_skipInfo.Serialize(ar);
    mapper->SerializeObject(ar, m_material, MakeMaterialIdentity);
    if (ar.IsStoring()) {
        ar << m_optimizerPlaced << m_draggedOff;
        return;
    }
    ar >> m_optimizerPlaced >> m_draggedOff;
    // A reference to nothing or to another kind of object: the part keeps
    // the default material instead of an empty link.
    if (!m_material)
        m_material = GetDefaultMaterial();
    m_handPlaced = 0;
    // Skip reasons survive a save only in a locked project.
    if (!IsLocked())
        m_skipInfo.ClearReason();
}

CPartEx* CreateMilledPart(int typeTag)
{
    return typeTag == CMilledPart::kTypeTag ? new CMilledPart() : nullptr;
}
