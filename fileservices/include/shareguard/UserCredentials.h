#pragma once

#include <shareguard/CheckoutDescriptor.h>
#include <shareguard_export.h>

#include <string>

namespace shareguard {

// The current user as the check-out sees it: a cleaned user name, a form of
// it usable in file names, and a unique id that the sidecar records. Nothing
// here throws: out of memory, a name falls back to "user", a new UID to an
// empty one and a descriptor to an empty one.
class SHAREGUARD_EXPORT UserCredentials
{
public:
    UserCredentials(const std::u16string& userName, std::u16string uid);

    // Credentials with a new GUID ("{XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX}")
    // as the UID; the safe user name when no GUID can be made.
    static UserCredentials FromUsername(const std::u16string& userName);

    // Trimmed, without TAB, CR and LF, at most 30 characters; "user" when empty.
    static std::u16string GetValidUsername(const std::u16string& text);
    // Spaces become "_", characters not allowed in file names are dropped;
    // "user" when empty.
    static std::u16string GetValidSafeUsername(const std::u16string& text);

    const std::u16string& GetUsername() const { return m_userName; }
    const std::u16string& GetSafeUsername() const { return m_safeUserName; }
    const std::u16string& GetUID() const { return m_uid; }

    CheckoutDescriptor GetCheckoutDescriptor(
        const std::u16string& pcSerialNumber, const std::u16string& pop) const;
    // The UIDs are equal (case-sensitive).
    bool DoesDescriptorMatch(const CheckoutDescriptor& descriptor) const;

private:
    std::u16string m_userName;
    std::u16string m_safeUserName;
    std::u16string m_uid;
};

} // namespace shareguard
