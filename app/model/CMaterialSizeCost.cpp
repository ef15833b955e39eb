#include "model/CMaterialSizeCost.h"

#include "foundation/ArchiveWrapper.h"
#include "foundation/IdentityMapper.h"
#include "foundation/SchemaVersion.h"
#include "model/MaterialsBase.h"
#include "model/ModelStrings.h"

#include <platform/ArchiveError.h>

CMaterialSizeCost::CMaterialSizeCost()
    : m_vendor(std::make_shared<CVendor>())
{
}

CMaterialSizeCost::CMaterialSizeCost(const CDimension& thickness, const CMoney& unitCost)
    : m_thickness(thickness)
    , m_unitCost(unitCost)
    , m_vendor(std::make_shared<CVendor>())
{
}

CMaterialSizeCost::CMaterialSizeCost(const CMaterialSizeCost& other)
{
    CMaterialSizeCost::Assign(other);
}

CMaterialSizeCost& CMaterialSizeCost::operator=(const CMaterialSizeCost& other)
{
    CMaterialSizeCost::Assign(other);
    return *this;
}

void CMaterialSizeCost::Assign(const CMaterialSizeCost& other)
{
    if (&other == this)
        return;
    m_thickness = other.m_thickness;
    m_unitCost = other.m_unitCost;
    m_unlimited = other.m_unlimited;
    m_offCut = other.m_offCut;
    m_canBuyMore = other.m_canBuyMore;
    m_vendor = other.m_vendor;
    m_specialNotes = other.m_specialNotes;
    m_bin = other.m_bin;
    m_modeWord = 0;
}

void CMaterialSizeCost::AssignWithVendorCopy(const CMaterialSizeCost& other)
{
    if (&other == this)
        return;
    CMaterialSizeCost::Assign(other);
    m_vendor = other.m_vendor ? std::make_shared<CVendor>(*other.m_vendor) : nullptr;
}

bool CMaterialSizeCost::HasSameThickness(const CMaterialSizeCost& other) const
{
    return CDimension::ApproxEqual(m_thickness, other.m_thickness);
}

QString CMaterialSizeCost::GetTypeName() const
{
    return UiText(kStrSizeCostInfo);
}

void CMaterialSizeCost::RelinkVendorToLibrary()
{
    MaterialsBase* library = GetMaterialsLibrary();
    if (!library)
        return;
    // A deleted vendor's displayed name is only a marker: a row whose vendor
    // was deleted goes to the vendor without a name instead of making a live
    // vendor of that marker.
    const QString name = m_vendor && !m_vendor->IsDeleted() ? m_vendor->GetName() : QString();
    if (CVendorPtr vendor = library->FindOrAddVendor(name))
        m_vendor = vendor;
}

void CMaterialSizeCost::Serialize(ArchiveWrapper& ar, const std::shared_ptr<IdentityMapper>& mapper)
{
    if (!mapper)
        throw platform::ArchiveError(platform::ArchiveError::Generic, ar.GetFilePath().toStdString(),
                                     "size/cost row without identity map");
    if (ar.IsStoring()) {
        ar.Write(std::int32_t{3});
        m_thickness.Serialize(ar);
        ar.Write(m_unitCost.GetCurrency());
        ar.Write(m_unlimited).Write(m_modeWord).Write(m_offCut).Write(m_canBuyMore);
        ar.Write(m_specialNotes).Write(m_bin);
    } else {
        ReadOrThrowInRange(ar, 3, 3);
        m_thickness.Serialize(ar);
        platform::Currency cost;
        ar.Read(cost);
        m_unitCost.SetCurrency(cost);
        ar.Read(m_unlimited).Read(m_modeWord).Read(m_offCut).Read(m_canBuyMore);
        ar.Read(m_specialNotes).Read(m_bin);
        // The vendor reads into an object of its own, or becomes the vendor
        // read before under the same identity.
        m_vendor = std::make_shared<CVendor>();
    }
    if (ar.IsStoring()) {
        // A row without a vendor is written with a vendor of its own, so
        // that the file never holds a reference a load has to refuse.
        CVendorPtr vendor = m_vendor ? m_vendor : std::make_shared<CVendor>();
        mapper->SerializeRef(ar, vendor);
        return;
    }
    mapper->SerializeRef(ar, m_vendor);
    // A reference to nothing read so far, or to an object of another class:
    // every later use of the row expects a vendor.
    if (!m_vendor)
        throw platform::ArchiveError(platform::ArchiveError::BadIndex, ar.GetFilePath().toStdString());
}
