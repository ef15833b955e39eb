#pragma once

#include <platform/ArchiveError.h>
#include <platform/Currency.h>

#include <cstddef>
#include <cstdint>
#include <iosfwd>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <type_traits>
#include <vector>

namespace platform {

// The little-endian binary archive of the stored files: no padding, no field
// names. One archive either stores (bytes go to an output stream) or loads
// (the whole input is taken in first, so every count read from it can be
// checked against the bytes that are left before anything is allocated).
// Every failure is an ArchiveError.
class BinaryArchive
{
public:
    enum class Mode { Store, Load };

    static BinaryArchive storing(std::ostream& out, std::string filePath = {});
    static BinaryArchive loading(std::istream& in, std::string filePath = {});
    static BinaryArchive loading(std::vector<std::uint8_t> bytes, std::string filePath = {});

    BinaryArchive(BinaryArchive&&) noexcept;
    BinaryArchive& operator=(BinaryArchive&&) noexcept;
    ~BinaryArchive();

    bool isLoading() const { return m_mode == Mode::Load; }
    bool isStoring() const { return m_mode == Mode::Store; }
    const std::string& filePath() const { return m_filePath; }

    // The schema of the object being read; all ones until a loader sets it.
    std::uint32_t objectSchema() const { return m_objectSchema; }
    void setObjectSchema(std::uint32_t schema) { m_objectSchema = schema; }

    // Bytes still to be read (loading).
    std::size_t bytesLeft() const { return m_input.size() - m_readPos; }
    // Fails with EndOfFile unless count items of itemSize bytes can still be
    // read; call it before allocating for a count taken from the file.
    void requireBytes(std::uint64_t count, std::uint64_t itemSize = 1) const;

    template <typename T>
    requires(std::is_integral_v<T> && !std::is_same_v<T, bool>) void write(T value)
    {
        using U = std::make_unsigned_t<T>;
        std::uint8_t bytes[sizeof(T)];
        U u = static_cast<U>(value);
        for (std::size_t i = 0; i < sizeof(T); ++i)
            bytes[i] = static_cast<std::uint8_t>(u >> (8 * i));
        writeBytes(bytes, sizeof(T));
    }

    template <typename T>
    requires(std::is_integral_v<T> && !std::is_same_v<T, bool>) T read()
    {
        using U = std::make_unsigned_t<T>;
        std::uint8_t bytes[sizeof(T)];
        readBytes(bytes, sizeof(T));
        U u = 0;
        for (std::size_t i = 0; i < sizeof(T); ++i)
            u = static_cast<U>(u | static_cast<U>(static_cast<U>(bytes[i]) << (8 * i)));
        return static_cast<T>(u);
    }

    void writeBool(bool value);
    bool readBool(); // any byte other than 0 is true

    void writeDouble(double value);
    double readDouble();
    void writeFloat(float value);
    float readFloat();

    // Text: the byte 0xFF and the 16-bit marker 0xFFFE, the length in
    // characters (one byte below 255; else 0xFF and 16 bits below 0xFFFE;
    // else 0xFFFF and 32 bits), then the UTF-16 code units.
    void writeText(std::u16string_view text);
    // Reads the form above and the older one without the marker, whose
    // characters are single bytes of the Windows-1252 code page.
    std::u16string readText();

    void writeCurrency(const Currency& value);
    Currency readCurrency();

    void writeBytes(const void* data, std::size_t size);
    void readBytes(void* data, std::size_t size);

    // Object references, numbered with their classes from 1 in the order of
    // first appearance: tag 0 for none; 0xFFFF, the 16-bit class schema and
    // the class name for the first object of a class; 0x8000 + n for a
    // further object of class n; n for an object already written; numbers
    // of 0x7FFF and above as 0x7FFF and 32 bits (high bit set for a class).
    //
    // Storing: writes the reference and answers true when the object is new
    // here, so that its own data must follow. `object` only identifies it.
    bool writeObjectRef(const void* object, std::string_view className, std::uint16_t schema);

    struct ObjectRef
    {
        enum Kind { Null, Existing, New } kind = Null;
        std::shared_ptr<void> object; // Existing
        std::string className; // Existing and New
        std::uint16_t schema = 0; // New: the schema its class was written with
        std::uint32_t index = 0; // New: the number reserved for the object
    };
    // Loading: reads one reference. For New, the caller checks the class
    // name and schema, creates the object and hands it to
    // registerLoadedObject before reading its data (so that the data may
    // refer back to it).
    ObjectRef readObjectRef();
    void registerLoadedObject(std::uint32_t index, std::shared_ptr<void> object);

    // Storing: the bytes go to the output stream; fails with Generic when it
    // cannot be written. Done on destruction too (errors then ignored).
    void flush();

private:
    BinaryArchive(Mode mode, std::string filePath);
    void requireMode(Mode mode) const;
    void writeCount(std::uint32_t count);
    std::uint32_t readCountAfterByte(std::uint8_t first);
    void writeIndexTag(std::uint32_t index, bool isClass);

    struct LoadedEntry
    {
        bool isClass = false;
        std::string className;
        std::uint16_t schema = 0;
        std::shared_ptr<void> object;
    };

    Mode m_mode;
    std::string m_filePath;
    std::uint32_t m_objectSchema = 0xFFFFFFFFu;

    std::ostream* m_output = nullptr;
    std::vector<std::uint8_t> m_pending; // stored bytes not yet flushed

    std::vector<std::uint8_t> m_input;
    std::size_t m_readPos = 0;

    // One numbering for classes and objects, from 1.
    std::uint32_t m_nextIndex = 1;
    std::map<const void*, std::uint32_t> m_storedObjects;
    std::map<std::string, std::uint32_t, std::less<>> m_storedClasses;
    std::vector<LoadedEntry> m_loaded; // index - 1
};

} // namespace platform
