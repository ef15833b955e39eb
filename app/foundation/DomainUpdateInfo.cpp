#include "foundation/DomainUpdateInfo.h"

DomainUpdateInfo::~DomainUpdateInfo() = default;

bool DomainUpdateInfo::UpdatesMaterialInBOM() const
{
    return false;
}

bool DomainUpdateInfo::Query5(std::shared_ptr<IManagedIdentity>) const
{
    return false;
}

bool DomainUpdateInfo::AffectsMaterial(std::shared_ptr<IOptimizableMaterial>) const
{
    return false;
}

bool DomainUpdateInfo::Query13() const
{
    return false;
}

bool DomainUpdateInfo::NeedsRebuild() const
{
    return false;
}
