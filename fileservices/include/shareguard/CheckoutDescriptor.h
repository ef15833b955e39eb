#pragma once

#include <shareguard/IFileServicesData.h>
#include <shareguard_export.h>

#include <cstdint>
#include <string>

namespace shareguard {

// The content of the sidecar file that marks a master as checked out: who
// holds it and since when. The PC serial number and POP are the caller's
// texts, not interpreted here.
//
// Stored form (little-endian): 32-bit version 1, user name, UID, 64-bit
// time stamp (seconds since 1970, the time of storing), PC serial number,
// POP; each text as the archive's Unicode text.
class SHAREGUARD_EXPORT CheckoutDescriptor : public IFileServicesData
{
public:
    CheckoutDescriptor();
    CheckoutDescriptor(
        std::u16string userName, std::u16string uid, std::u16string pcSerialNumber, std::u16string pop);
    // Never throw: out of memory, a copy is empty and an assignment changes nothing.
    CheckoutDescriptor(const CheckoutDescriptor& other);
    CheckoutDescriptor& operator=(const CheckoutDescriptor& other);
    ~CheckoutDescriptor() override;

    const std::u16string& GetUserName() const { return m_userName; }
    const std::u16string& GetUID() const { return m_uid; }
    std::int64_t GetTimeStamp() const { return m_timeStamp; }
    const std::u16string& GetPCSerialNumber() const { return m_pcSerialNumber; }
    const std::u16string& GetPOP() const { return m_pop; }

    // Writes the current time, not the time stamp held here.
    void Store(platform::BinaryArchive& archive) const override;
    // Refuses a version of 0 or above 1; changes nothing unless every field was read.
    void Load(platform::BinaryArchive& archive) override;

private:
    std::u16string m_userName;
    std::u16string m_uid;
    std::int64_t m_timeStamp = 0;
    std::u16string m_pcSerialNumber;
    std::u16string m_pop;
};

} // namespace shareguard
