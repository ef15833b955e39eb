#include "Guid_p.h"

#include <platform/SecureRandom.h>

#include <cstdint>

namespace shareguard::detail {

std::u16string NewGuidText()
{
    std::uint8_t bytes[16];
    try {
        for (std::size_t i = 0; i < sizeof bytes; i += 4) {
            const std::uint32_t word = platform::SecureRandom32();
            for (std::size_t k = 0; k < 4; ++k)
                bytes[i + k] = static_cast<std::uint8_t>(word >> (8 * k));
        }
    } catch (...) {
        return {}; // no random source at all
    }
    bytes[6] = static_cast<std::uint8_t>((bytes[6] & 0x0F) | 0x40); // version 4
    bytes[8] = static_cast<std::uint8_t>((bytes[8] & 0x3F) | 0x80); // RFC 4122 variant

    static const char16_t digits[] = u"0123456789ABCDEF";
    std::u16string text = u"{";
    for (std::size_t i = 0; i < sizeof bytes; ++i) {
        if (i == 4 || i == 6 || i == 8 || i == 10)
            text += u'-';
        text += digits[bytes[i] >> 4];
        text += digits[bytes[i] & 0x0F];
    }
    text += u'}';
    return text;
}

} // namespace shareguard::detail
