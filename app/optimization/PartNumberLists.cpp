#include "optimization/PartNumberLists.h"

#include "foundation/ArchiveWrapper.h"
#include "foundation/IdentityMapper.h"
#include "foundation/SchemaVersion.h"
#include "model/CMilledPart.h"

#include <algorithm>

namespace {
const ProjectPartList* PartsOf(const std::shared_ptr<IdentityMapper>& mapper)
{
    return mapper ? static_cast<const ProjectPartList*>(mapper->GetContext().get()) : nullptr;
}
} // namespace

void StorePartNumbers(const std::vector<CMilledPart*>& parts, ArchiveWrapper& ar)
{
    ar.Write(static_cast<std::int32_t>(parts.size()));
    for (const CMilledPart* part : parts)
        ar.Write(part->GetID().GetNumber());
}

void LoadPartNumbers(ArchiveWrapper& ar, std::vector<std::int32_t>& numbers)
{
    std::int32_t count = 0;
    ar.Read(count);
    if (count < 0)
        ThrowBadSchema(ar);
    // Each number is read before it is kept: a damaged count ends with the
    // archive's error at the end of the data, not with a huge allocation.
    for (std::int32_t i = 0; i < count; ++i) {
        std::int32_t number = 0;
        ar.Read(number);
        numbers.push_back(number);
    }
}

bool ResolvePartNumbers(const std::vector<std::int32_t>& numbers, const std::shared_ptr<IdentityMapper>& mapper,
                        std::vector<CMilledPart*>& parts)
{
    for (std::int32_t number : numbers) {
        CMilledPart* part = FindPartByNumberInContext(number, mapper);
        if (!part)
            return false;
        parts.push_back(part);
    }
    return true;
}

CMilledPart* FindPartByNumber(const std::vector<CMilledPart*>& parts, std::int32_t number)
{
    const auto it = std::find_if(parts.begin(), parts.end(),
                                 [number](const CMilledPart* part) { return part && part->GetID().GetNumber() == number; });
    return it != parts.end() ? *it : nullptr;
}

CMilledPart* FindPartByNumberInContext(std::int32_t number, const std::shared_ptr<IdentityMapper>& mapper)
{
    const ProjectPartList* parts = PartsOf(mapper);
    return parts ? FindPartByNumber(*parts, number) : nullptr;
}
