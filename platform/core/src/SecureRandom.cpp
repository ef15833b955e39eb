#include <platform/SecureRandom.h>

#include <sys/random.h>

#include <cerrno>
#include <random>

namespace platform {

std::uint32_t SecureRandom32()
{
    std::uint32_t word = 0;
    for (;;) {
        const ssize_t got = getrandom(&word, sizeof word, 0);
        if (got == static_cast<ssize_t>(sizeof word))
            return word;
        if (got < 0 && errno != EINTR)
            break;
    }
    // Kernels without getrandom: the library's device reads /dev/urandom.
    std::random_device device;
    return static_cast<std::uint32_t>(device());
}

} // namespace platform
