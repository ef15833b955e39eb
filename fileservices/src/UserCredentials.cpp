#include <shareguard/UserCredentials.h>

#include "Guid_p.h"

#include <utility>

namespace shareguard {

namespace {

constexpr std::size_t kMaxUserNameLength = 30;

bool IsWhiteSpace(char16_t c)
{
    return c == u' ' || (c >= u'\t' && c <= u'\r') || c == u'\u00A0' || c == u'\u3000' || c == u'\u2028'
        || c == u'\u2029' || (c >= u'\u2000' && c <= u'\u200A') || c == u'\u1680' || c == u'\u202F'
        || c == u'\u205F' || c == u'\u0085';
}

std::u16string Trimmed(const std::u16string& text)
{
    std::size_t begin = 0;
    std::size_t end = text.size();
    while (begin < end && IsWhiteSpace(text[begin]))
        ++begin;
    while (end > begin && IsWhiteSpace(text[end - 1]))
        --end;
    return text.substr(begin, end - begin);
}

// Characters that file names shared with Windows machines may not hold.
bool IsAllowedInFileName(char16_t c)
{
    if (c < 0x20)
        return false;
    switch (c) {
    case u'<':
    case u'>':
    case u':':
    case u'"':
    case u'/':
    case u'\\':
    case u'|':
    case u'?':
    case u'*':
        return false;
    default:
        return true;
    }
}

std::u16string CleanedUsername(const std::u16string& text)
{
    std::u16string name;
    for (char16_t c : Trimmed(text))
        if (c != u'\t' && c != u'\n' && c != u'\r')
            name += c;
    if (name.size() > kMaxUserNameLength) {
        std::size_t keep = kMaxUserNameLength;
        // Never keep half of a character outside the basic plane.
        if (name[keep - 1] >= 0xD800 && name[keep - 1] <= 0xDBFF)
            --keep;
        name.resize(keep);
    }
    name = Trimmed(name);
    return name.empty() ? u"user" : name;
}

std::u16string SafeUsername(const std::u16string& text)
{
    std::u16string safe;
    for (char16_t c : text) {
        if (c == u' ')
            safe += u'_';
        else if (IsAllowedInFileName(c))
            safe += c;
    }
    return safe.empty() ? u"user" : safe;
}

} // namespace

UserCredentials::UserCredentials(const std::u16string& userName, std::u16string uid)
    : m_userName(GetValidUsername(userName))
    , m_safeUserName(GetValidSafeUsername(m_userName))
    , m_uid(std::move(uid))
{ }

UserCredentials UserCredentials::FromUsername(const std::u16string& userName)
{
    std::u16string uid;
    try {
        uid = detail::NewGuidText();
        if (uid.empty())
            uid = GetValidSafeUsername(GetValidUsername(userName));
    } catch (...) {
        uid.clear(); // out of memory: an empty UID, which no GUID matches
    }
    return UserCredentials(userName, std::move(uid));
}

// Out of memory, the name cleaners answer the placeholder of an empty name.
std::u16string UserCredentials::GetValidUsername(const std::u16string& text)
{
    try {
        return CleanedUsername(text);
    } catch (...) {
        return u"user";
    }
}

std::u16string UserCredentials::GetValidSafeUsername(const std::u16string& text)
{
    try {
        return SafeUsername(text);
    } catch (...) {
        return u"user";
    }
}

CheckoutDescriptor UserCredentials::GetCheckoutDescriptor(
    const std::u16string& pcSerialNumber, const std::u16string& pop) const
{
    try {
        return CheckoutDescriptor(m_userName, m_uid, pcSerialNumber, pop);
    } catch (...) {
        return CheckoutDescriptor(); // out of memory: names nobody
    }
}

bool UserCredentials::DoesDescriptorMatch(const CheckoutDescriptor& descriptor) const
{
    return descriptor.GetUID() == m_uid;
}

} // namespace shareguard
