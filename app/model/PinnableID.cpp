#include "model/PinnableID.h"

#include "foundation/ArchiveWrapper.h"

void PinnableID::EnsureAssigned()
{
    m_stamp.Generate();
}

void PinnableID::Clear()
{
    m_stamp.Clear();
    OnPinnableIDCleared();
}

void PinnableID::Serialize(ArchiveWrapper& ar)
{
    m_stamp.Serialize(ar);
}
