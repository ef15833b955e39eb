#include <shareguard/CheckoutDescriptor.h>

#include <platform/ArchiveError.h>
#include <platform/BinaryArchive.h>

#include <ctime>
#include <utility>

namespace shareguard {

namespace {
constexpr std::uint32_t kVersion = 1;
}

CheckoutDescriptor::CheckoutDescriptor() = default;

CheckoutDescriptor::CheckoutDescriptor(
    std::u16string userName, std::u16string uid, std::u16string pcSerialNumber, std::u16string pop)
    : m_userName(std::move(userName))
    , m_uid(std::move(uid))
    , m_pcSerialNumber(std::move(pcSerialNumber))
    , m_pop(std::move(pop))
{ }

// Copies never throw: out of memory, a copy is empty (it names nobody) and an
// assignment leaves the target as it was.
CheckoutDescriptor::CheckoutDescriptor(const CheckoutDescriptor& other)
    : IFileServicesData()
{
    *this = other;
}

CheckoutDescriptor& CheckoutDescriptor::operator=(const CheckoutDescriptor& other)
{
    if (this == &other)
        return *this;
    try {
        std::u16string userName = other.m_userName;
        std::u16string uid = other.m_uid;
        std::u16string pcSerialNumber = other.m_pcSerialNumber;
        std::u16string pop = other.m_pop;
        m_userName = std::move(userName);
        m_uid = std::move(uid);
        m_timeStamp = other.m_timeStamp;
        m_pcSerialNumber = std::move(pcSerialNumber);
        m_pop = std::move(pop);
    } catch (...) { }
    return *this;
}
CheckoutDescriptor::~CheckoutDescriptor() = default;

void CheckoutDescriptor::Store(platform::BinaryArchive& archive) const
{
    archive.write<std::uint32_t>(kVersion);
    archive.writeText(m_userName);
    archive.writeText(m_uid);
    archive.write<std::int64_t>(static_cast<std::int64_t>(std::time(nullptr)));
    archive.writeText(m_pcSerialNumber);
    archive.writeText(m_pop);
}

void CheckoutDescriptor::Load(platform::BinaryArchive& archive)
{
    const auto version = archive.read<std::uint32_t>();
    if (version == 0 || version > kVersion)
        throw platform::ArchiveError(platform::ArchiveError::BadSchema, archive.filePath());
    // Read everything first: a damaged sidecar leaves this descriptor as it was.
    std::u16string userName = archive.readText();
    std::u16string uid = archive.readText();
    const auto timeStamp = archive.read<std::int64_t>();
    std::u16string pcSerialNumber = archive.readText();
    std::u16string pop = archive.readText();

    m_userName = std::move(userName);
    m_uid = std::move(uid);
    m_timeStamp = timeStamp;
    m_pcSerialNumber = std::move(pcSerialNumber);
    m_pop = std::move(pop);
}

} // namespace shareguard
