#include "foundation/RealArchive.h"

#include <platform/BinaryArchive.h>

RealArchive::RealArchive(platform::BinaryArchive& archive, IDoc* document)
    : m_archive(archive)
    , m_document(document)
{ }

std::uint32_t RealArchive::GetDataVersion() const
{
    return m_archive.objectSchema() | 0x80000000u;
}

QString RealArchive::GetFilePath() const
{
    return QString::fromStdString(m_archive.filePath());
}

bool RealArchive::IsLoading() const
{
    return m_archive.isLoading();
}

bool RealArchive::IsStoring() const
{
    return m_archive.isStoring();
}

RealArchive& RealArchive::Write(const platform::Currency& value)
{
    m_archive.writeCurrency(value);
    return *this;
}

RealArchive& RealArchive::Write(const QString& value)
{
    m_archive.writeText(std::u16string_view(
        reinterpret_cast<const char16_t*>(value.utf16()), static_cast<std::size_t>(value.size())));
    return *this;
}

RealArchive& RealArchive::Write(bool value)
{
    m_archive.writeBool(value);
    return *this;
}

RealArchive& RealArchive::Write(double value)
{
    m_archive.writeDouble(value);
    return *this;
}

RealArchive& RealArchive::Write(float value)
{
    m_archive.writeFloat(value);
    return *this;
}

#define KWL_INTEGER_IO(T)                                                                                    \
    RealArchive& RealArchive::Write(T value)                                                                 \
    {                                                                                                        \
        m_archive.write<T>(value);                                                                           \
        return *this;                                                                                        \
    }                                                                                                        \
    RealArchive& RealArchive::Read(T& value)                                                                 \
    {                                                                                                        \
        value = m_archive.read<T>();                                                                         \
        return *this;                                                                                        \
    }

KWL_INTEGER_IO(std::int32_t)
KWL_INTEGER_IO(std::int16_t)
KWL_INTEGER_IO(std::int8_t)
KWL_INTEGER_IO(std::uint16_t)
KWL_INTEGER_IO(std::uint32_t)
KWL_INTEGER_IO(std::int64_t)
KWL_INTEGER_IO(std::uint64_t)
KWL_INTEGER_IO(std::uint8_t)
#undef KWL_INTEGER_IO

RealArchive& RealArchive::Read(platform::Currency& value)
{
    value = m_archive.readCurrency();
    return *this;
}

RealArchive& RealArchive::Read(QString& value)
{
    value = QString::fromStdU16String(m_archive.readText());
    return *this;
}

RealArchive& RealArchive::Read(bool& value)
{
    value = m_archive.readBool();
    return *this;
}

RealArchive& RealArchive::Read(double& value)
{
    value = m_archive.readDouble();
    return *this;
}

RealArchive& RealArchive::Read(float& value)
{
    value = m_archive.readFloat();
    return *this;
}
