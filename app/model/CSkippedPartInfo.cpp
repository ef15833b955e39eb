#include "model/CSkippedPartInfo.h"

#include "foundation/ArchiveWrapper.h"
#include "foundation/SchemaVersion.h"
#include "model/ModelTexts.h"

namespace {
struct ReasonTexts
{
    int brief;
    int description;
};

// Ids of the brief text and the description per reason code; 0 and 6 have none.
constexpr ReasonTexts kTexts[] = {
    { 0, 0 },
    { kStrSkipBriefUndetermined, kStrSkipUndetermined },
    { kStrSkipBriefNoMaterial, kStrSkipNoMaterial },
    { kStrSkipBriefNoStockSize, kStrSkipNoStockSize },
    { kStrSkipBriefNoStockThickness, kStrSkipNoStockThickness },
    { kStrSkipBriefNoStockWL, kStrSkipNoStockWL },
    { 0, 0 },
    { kStrSkipBriefNoInventory, kStrSkipNoInventory },
    { kStrSkipBriefManualEdit, kStrSkipManualEdit },
};

ReasonTexts TextsOf(std::uint32_t reason)
{
    return reason < std::size(kTexts) ? kTexts[reason] : ReasonTexts { 0, 0 };
}
} // namespace

QString CSkippedPartInfo::GetReasonText() const
{
    const int id = TextsOf(m_reason).brief;
    return id ? UiText(id) : QString();
}

QString CSkippedPartInfo::GetReasonDescription() const
{
    const int id = TextsOf(m_reason).description;
    return id ? UiText(id) : QString();
}

void CSkippedPartInfo::Serialize(ArchiveWrapper& ar)
{
    if (ar.IsStoring()) {
        ar << std::int32_t { 0 } << m_reason;
        return;
    }
    std::int32_t version = 0;
    ar >> version;
    if (version != 0)
        ThrowBadSchema(ar);
    ar >> m_reason;
}
