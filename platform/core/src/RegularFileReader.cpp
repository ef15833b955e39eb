#include <platform/RegularFileReader.h>

#include <cerrno>
#include <fcntl.h>
#include <new>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {

namespace {

RegularFileReader::Outcome KindAndSize(const struct stat& status, std::int64_t maxBytes)
{
    using Outcome = RegularFileReader::Outcome;
    if (!S_ISREG(status.st_mode))
        return Outcome::NotRegular;
    return status.st_size > maxBytes ? Outcome::TooLarge : Outcome::Open;
}

} // namespace

RegularFileReader::RegularFileReader(const std::string& name, std::int64_t maxBytes)
{
    struct stat status
    {
    };
    if (name.empty() || name.find('\0') != std::string::npos)
        return;
    if (::stat(name.c_str(), &status) != 0) {
        if (errno != ENOENT && errno != ENOTDIR) {
            m_outcome = Outcome::Failed;
            m_error = errno;
        }
        return;
    }
    m_size = status.st_size;
    m_outcome = KindAndSize(status, maxBytes);
    if (m_outcome != Outcome::Open)
        return;
    // Not waiting: should the name have become a pipe since, opening it must
    // not wait for a writer.
    m_fd = ::open(name.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK);
    if (m_fd < 0) {
        m_outcome = errno == ENOENT ? Outcome::NotFound : Outcome::Failed;
        m_error = errno;
        return;
    }
    // What was opened is checked again: the name may name another file now.
    if (::fstat(m_fd, &status) != 0) {
        m_outcome = Outcome::Failed;
        m_error = errno;
        return;
    }
    m_size = status.st_size;
    m_outcome = KindAndSize(status, maxBytes);
}

RegularFileReader::~RegularFileReader()
{
    if (m_fd >= 0)
        ::close(m_fd);
}

std::int64_t RegularFileReader::Read(std::uint8_t* data, std::int64_t size)
{
    if (m_outcome != Outcome::Open) {
        errno = EBADF;
        return -1;
    }
    std::int64_t done = 0;
    while (done < size) {
        const ssize_t got = ::read(m_fd, data + done, static_cast<std::size_t>(size - done));
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            return -1;
        if (got == 0)
            break;
        done += got;
    }
    return done;
}

bool RegularFileReader::ReadAll(std::vector<std::uint8_t>& bytes)
{
    try {
        bytes.resize(static_cast<std::size_t>(m_size));
    } catch (const std::bad_alloc&) {
        errno = ENOMEM;
        return false;
    }
    const std::int64_t got = Read(bytes.data(), m_size);
    if (got < 0)
        return false;
    bytes.resize(static_cast<std::size_t>(got));
    return true;
}

} // namespace platform
