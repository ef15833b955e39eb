#include "model/CMaterialEx.h"

#include "foundation/ArchiveWrapper.h"
#include "foundation/SchemaVersion.h"
#include "model/FormatGeneration.h"

void CMaterialEx::Assign(const CMaterialEx& other)
{
    m_name = other.m_name;
    m_placeholder = other.m_placeholder;
}

bool CMaterialEx::IsLess(const CMaterialEx& other) const
{
    return m_name.compare(other.m_name, Qt::CaseInsensitive) < 0;
}

QString CMaterialEx::GetName() const
{
    return m_placeholder != 0 ? QString() : m_name;
}

const GrainInfo& CMaterialEx::GetGrainInfo() const
{
    static const GrainInfo defaultGrain;
    return defaultGrain;
}

const CSawSetupEx& CMaterialEx::GetSawSetup() const
{
    static const CSawSetupEx defaultSetup;
    return defaultSetup;
}

void CMaterialEx::Serialize(ArchiveWrapper& ar, const std::shared_ptr<IdentityMapper>&)
{
    if (ar.IsStoring()) {
        ar.Write(std::int32_t{1}).Write(m_name).Write(m_placeholder);
        return;
    }
    ReadOrThrow(ar, 1);
    ar.Read(m_name).Read(m_placeholder);
}

void CMaterialEx::SerializeLegacy(ArchiveWrapper& ar)
{
    if (ar.IsStoring()) {
        ar.Write(std::int32_t{0}).Write(m_name).Write(m_placeholder);
        return;
    }
    // The version word came with generation 11.
    if (FormatGeneration(ar) >= 0xB) {
        std::int32_t version = 0;
        ar.Read(version);
        if (version > 0)
            ThrowBadSchema(ar);
    }
    ar.Read(m_name).Read(m_placeholder);
}
