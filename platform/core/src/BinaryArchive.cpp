#include <platform/BinaryArchive.h>

#include <bit>
#include <cstring>
#include <istream>
#include <iterator>
#include <ostream>

namespace platform {

namespace {

constexpr std::uint16_t UnicodeMarker = 0xFFFE;
constexpr std::uint16_t NewClassTag = 0xFFFF;
constexpr std::uint16_t ClassTag = 0x8000;
constexpr std::uint16_t BigObjectTag = 0x7FFF;
constexpr std::uint32_t BigClassTag = 0x80000000u;

// Characters 0x80..0x9F of Windows-1252; the rest of the code page equals
// the first 256 code points.
constexpr char16_t Cp1252High[32] = { 0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6,
    0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178 };

char16_t fromCp1252(std::uint8_t c)
{
    if (c >= 0x80 && c < 0xA0)
        return Cp1252High[c - 0x80];
    return c;
}

} // namespace

BinaryArchive::BinaryArchive(Mode mode, std::string filePath)
    : m_mode(mode)
    , m_filePath(std::move(filePath))
{ }

BinaryArchive::BinaryArchive(BinaryArchive&&) noexcept = default;
BinaryArchive& BinaryArchive::operator=(BinaryArchive&&) noexcept = default;

BinaryArchive::~BinaryArchive()
{
    try {
        flush();
    } catch (...) {
        // Callers that care about a failed write call flush() themselves.
    }
}

BinaryArchive BinaryArchive::storing(std::ostream& out, std::string filePath)
{
    BinaryArchive ar(Mode::Store, std::move(filePath));
    ar.m_output = &out;
    return ar;
}

BinaryArchive BinaryArchive::loading(std::istream& in, std::string filePath)
{
    std::vector<std::uint8_t> bytes;
    char buffer[4096];
    while (in) {
        in.read(buffer, sizeof buffer);
        const auto got = in.gcount();
        bytes.insert(bytes.end(), buffer, buffer + got);
    }
    if (in.bad())
        throw ArchiveError(ArchiveError::Generic, filePath, "cannot read");
    return loading(std::move(bytes), std::move(filePath));
}

BinaryArchive BinaryArchive::loading(std::vector<std::uint8_t> bytes, std::string filePath)
{
    BinaryArchive ar(Mode::Load, std::move(filePath));
    ar.m_input = std::move(bytes);
    return ar;
}

void BinaryArchive::flush()
{
    if (!m_output || m_pending.empty())
        return;
    m_output->write(
        reinterpret_cast<const char*>(m_pending.data()), static_cast<std::streamsize>(m_pending.size()));
    m_output->flush();
    m_pending.clear();
    if (!*m_output)
        throw ArchiveError(ArchiveError::Generic, m_filePath, "cannot write");
}

void BinaryArchive::requireMode(Mode mode) const
{
    if (m_mode == mode)
        return;
    throw ArchiveError(mode == Mode::Store ? ArchiveError::ReadOnly : ArchiveError::WriteOnly, m_filePath);
}

void BinaryArchive::requireBytes(std::uint64_t count, std::uint64_t itemSize) const
{
    requireMode(Mode::Load);
    const std::uint64_t left = bytesLeft();
    if (itemSize != 0 && count > left / itemSize)
        throw ArchiveError(ArchiveError::EndOfFile, m_filePath);
}

void BinaryArchive::writeBytes(const void* data, std::size_t size)
{
    requireMode(Mode::Store);
    const auto* p = static_cast<const std::uint8_t*>(data);
    m_pending.insert(m_pending.end(), p, p + size);
    if (m_pending.size() >= 4096)
        flush();
}

void BinaryArchive::readBytes(void* data, std::size_t size)
{
    requireBytes(size);
    if (size != 0)
        std::memcpy(data, m_input.data() + m_readPos, size);
    m_readPos += size;
}

void BinaryArchive::writeBool(bool value)
{
    write<std::uint8_t>(value ? 1 : 0);
}

bool BinaryArchive::readBool()
{
    return read<std::uint8_t>() != 0;
}

void BinaryArchive::writeDouble(double value)
{
    write(std::bit_cast<std::uint64_t>(value));
}

double BinaryArchive::readDouble()
{
    return std::bit_cast<double>(read<std::uint64_t>());
}

void BinaryArchive::writeFloat(float value)
{
    write(std::bit_cast<std::uint32_t>(value));
}

float BinaryArchive::readFloat()
{
    return std::bit_cast<float>(read<std::uint32_t>());
}

void BinaryArchive::writeCount(std::uint32_t count)
{
    if (count < 0xFF) {
        write<std::uint8_t>(static_cast<std::uint8_t>(count));
        return;
    }
    write<std::uint8_t>(0xFF);
    if (count < 0xFFFE) {
        write<std::uint16_t>(static_cast<std::uint16_t>(count));
        return;
    }
    write<std::uint16_t>(0xFFFF);
    write<std::uint32_t>(count);
}

void BinaryArchive::writeText(std::u16string_view text)
{
    requireMode(Mode::Store);
    if (text.size() >= 0xFFFFFFFFu)
        throw ArchiveError(ArchiveError::Generic, m_filePath, "text too long");
    write<std::uint8_t>(0xFF);
    write<std::uint16_t>(UnicodeMarker);
    writeCount(static_cast<std::uint32_t>(text.size()));
    for (char16_t c : text)
        write<std::uint16_t>(c);
}

std::u16string BinaryArchive::readText()
{
    requireMode(Mode::Load);
    bool wide = false;
    std::uint32_t length = read<std::uint8_t>();
    if (length == 0xFF) {
        std::uint16_t word = read<std::uint16_t>();
        if (word == UnicodeMarker) {
            wide = true;
            length = read<std::uint8_t>();
            if (length == 0xFF)
                word = read<std::uint16_t>();
        }
        if (length == 0xFF) {
            if (word < 0xFFFE) {
                length = word;
            } else if (word == 0xFFFF) {
                length = read<std::uint32_t>();
            } else {
                throw ArchiveError(ArchiveError::Generic, m_filePath, "bad text length");
            }
        }
    }
    requireBytes(length, wide ? 2 : 1);
    std::u16string text;
    text.reserve(length);
    for (std::uint32_t i = 0; i < length; ++i)
        text.push_back(
            wide ? static_cast<char16_t>(read<std::uint16_t>()) : fromCp1252(read<std::uint8_t>()));
    return text;
}

void BinaryArchive::writeCurrency(const Currency& value)
{
    const auto count = static_cast<std::uint64_t>(value.count());
    write<std::int32_t>(value.status());
    write<std::int32_t>(static_cast<std::int32_t>(static_cast<std::uint32_t>(count >> 32)));
    write<std::uint32_t>(static_cast<std::uint32_t>(count));
}

Currency BinaryArchive::readCurrency()
{
    const auto status = read<std::int32_t>();
    const auto high = static_cast<std::uint32_t>(read<std::int32_t>());
    const auto low = read<std::uint32_t>();
    if (status < Currency::Valid || status > Currency::Null)
        throw ArchiveError(ArchiveError::Generic, m_filePath, "bad currency status");
    const auto count = static_cast<std::int64_t>((static_cast<std::uint64_t>(high) << 32) | low);
    return Currency(count, static_cast<Currency::Status>(status));
}

void BinaryArchive::writeIndexTag(std::uint32_t index, bool isClass)
{
    if (index < BigObjectTag) {
        write<std::uint16_t>(static_cast<std::uint16_t>(index | (isClass ? ClassTag : 0)));
        return;
    }
    write<std::uint16_t>(BigObjectTag);
    write<std::uint32_t>(index | (isClass ? BigClassTag : 0));
}

bool BinaryArchive::writeObjectRef(const void* object, std::string_view className, std::uint16_t schema)
{
    requireMode(Mode::Store);
    if (!object) {
        write<std::uint16_t>(0);
        return false;
    }
    if (auto it = m_storedObjects.find(object); it != m_storedObjects.end()) {
        writeIndexTag(it->second, false);
        return false;
    }
    if (auto it = m_storedClasses.find(className); it != m_storedClasses.end()) {
        writeIndexTag(it->second, true);
    } else {
        if (className.size() > 0xFFFF)
            throw ArchiveError(ArchiveError::Generic, m_filePath, "class name too long");
        write<std::uint16_t>(NewClassTag);
        write<std::uint16_t>(schema);
        write<std::uint16_t>(static_cast<std::uint16_t>(className.size()));
        writeBytes(className.data(), className.size());
        m_storedClasses.emplace(std::string(className), m_nextIndex++);
    }
    m_storedObjects.emplace(object, m_nextIndex++);
    return true;
}

BinaryArchive::ObjectRef BinaryArchive::readObjectRef()
{
    requireMode(Mode::Load);
    ObjectRef ref;
    const auto tag = read<std::uint16_t>();
    if (tag == 0)
        return ref;

    if (tag == NewClassTag) {
        ref.schema = read<std::uint16_t>();
        const auto length = read<std::uint16_t>();
        requireBytes(length);
        ref.className.resize(length);
        readBytes(ref.className.data(), length);
        m_loaded.push_back({ true, ref.className, ref.schema, nullptr });
    } else {
        const std::uint32_t value = tag == BigObjectTag
            ? read<std::uint32_t>()
            : (static_cast<std::uint32_t>(tag & ClassTag) << 16) | (tag & ~ClassTag & 0xFFFFu);
        const std::uint32_t index = value & ~BigClassTag;
        if (index == 0 || index > m_loaded.size())
            throw ArchiveError(ArchiveError::BadIndex, m_filePath);
        const LoadedEntry& entry = m_loaded[index - 1];
        if (!(value & BigClassTag)) {
            if (entry.isClass || !entry.object)
                throw ArchiveError(ArchiveError::BadIndex, m_filePath);
            ref.kind = ObjectRef::Existing;
            ref.object = entry.object;
            ref.className = entry.className;
            return ref;
        }
        if (!entry.isClass)
            throw ArchiveError(ArchiveError::BadClass, m_filePath);
        ref.className = entry.className;
        ref.schema = entry.schema;
    }
    ref.kind = ObjectRef::New;
    m_loaded.push_back({ false, ref.className, ref.schema, nullptr });
    ref.index = static_cast<std::uint32_t>(m_loaded.size());
    return ref;
}

void BinaryArchive::registerLoadedObject(std::uint32_t index, std::shared_ptr<void> object)
{
    if (index == 0 || index > m_loaded.size() || m_loaded[index - 1].isClass)
        throw ArchiveError(ArchiveError::BadIndex, m_filePath);
    m_loaded[index - 1].object = std::move(object);
}

} // namespace platform
