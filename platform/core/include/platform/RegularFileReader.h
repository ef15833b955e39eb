#pragma once
// Reading a file the program did not just write itself (a name the user
// gave, a file kept between runs) only when it is a regular file of a size
// the caller can take: a named pipe would wait for ever, a device would never
// end, and a file far larger than any the program writes would take its time
// and memory. Kind and size are checked before a byte is read, and the file
// is opened without waiting.

#include <cstdint>
#include <string>
#include <vector>

namespace platform {

class RegularFileReader
{
public:
    enum class Outcome {
        Open, // ready to read Size() bytes
        NotFound, // no file of that name
        NotRegular, // a folder, a pipe, a device or a socket
        TooLarge, // larger than the caller takes
        Failed, // the system refused; SystemError() says why
    };

    // name: the file's name as the system has it (its bytes).
    RegularFileReader(const std::string& name, std::int64_t maxBytes);
    ~RegularFileReader();
    RegularFileReader(const RegularFileReader&) = delete;
    RegularFileReader& operator=(const RegularFileReader&) = delete;

    Outcome GetOutcome() const { return m_outcome; }
    // The errno of a Failed open.
    int SystemError() const { return m_error; }
    // The file's size when it was opened.
    std::int64_t Size() const { return m_size; }
    // Reads up to size bytes: the count read (fewer only at the end of the
    // file), or -1 with errno set.
    std::int64_t Read(std::uint8_t* data, std::int64_t size);
    // The whole file, as long as it is now (a file cut shorter while it is
    // read ends where it ends); false with errno set when reading fails or
    // memory runs out.
    bool ReadAll(std::vector<std::uint8_t>& bytes);

private:
    int m_fd = -1;
    Outcome m_outcome = Outcome::NotFound;
    int m_error = 0;
    std::int64_t m_size = 0;
};

} // namespace platform
