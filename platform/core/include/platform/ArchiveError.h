#pragma once

#include <stdexcept>
#include <string>

namespace platform {

// The error of a stored file: every read past the end, damaged count, refused
// version or mode mismatch ends here. The cause numbers are the ones the
// stored-file readers and the open-error messages of the program expect.
class ArchiveError : public std::runtime_error
{
public:
    enum Cause : int {
        None = 0,
        Generic = 1,
        ReadOnly = 2, // written to while loading
        EndOfFile = 3, // read past the end, or a count larger than what is left
        WriteOnly = 4, // read from while storing
        BadIndex = 5, // object reference to nothing read so far
        BadClass = 6, // object of an unknown or unexpected class
        BadSchema = 7 // version the reader refuses
    };

    ArchiveError(Cause cause, std::string fileName);
    ArchiveError(Cause cause, std::string fileName, const std::string& detail);

    Cause cause() const noexcept { return m_cause; }
    const std::string& fileName() const noexcept { return m_fileName; }

private:
    Cause m_cause;
    std::string m_fileName;
};

} // namespace platform
