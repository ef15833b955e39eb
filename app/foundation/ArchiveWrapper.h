#pragma once

#include <platform/Currency.h>

#include <QString>

#include <cstdint>

class IDoc;
namespace platform {
class BinaryArchive;
}

// The interface through which every persisted object reads and writes
// itself, so that serialization code does not depend on one archive. Write
// and Read are overloaded by argument type and return the wrapper for
// chaining; every failure is a platform::ArchiveError.
class ArchiveWrapper
{
public:
    virtual ~ArchiveWrapper() = default;

    virtual bool IsAvailable() const = 0;
    virtual platform::BinaryArchive& GetArchive() = 0;
    // The file's format generation with the high bit set; all ones when the
    // loader set none, so that readers take their newest form.
    virtual std::uint32_t GetDataVersion() const = 0;
    virtual QString GetFilePath() const = 0;
    // True asks serializers to write or read nothing but their section markers.
    virtual bool IsSkipping() const = 0;
    virtual void BeginSection(const char* name, std::uint32_t version) = 0;
    virtual void EndSection(const char* name) = 0;
    virtual IDoc* GetDocument() const = 0;
    virtual bool IsLoading() const = 0;
    virtual bool IsStoring() const = 0;

    virtual ArchiveWrapper& Write(const platform::Currency& value) = 0;
    virtual ArchiveWrapper& Write(const QString& value) = 0;
    virtual ArchiveWrapper& Write(bool value) = 0;
    virtual ArchiveWrapper& Write(std::int32_t value) = 0;
    virtual ArchiveWrapper& Write(std::int16_t value) = 0;
    virtual ArchiveWrapper& Write(std::int8_t value) = 0;
    virtual ArchiveWrapper& Write(std::uint16_t value) = 0;
    virtual ArchiveWrapper& Write(std::uint32_t value) = 0;
    virtual ArchiveWrapper& Write(std::int64_t value) = 0;
    virtual ArchiveWrapper& Write(std::uint64_t value) = 0;
    virtual ArchiveWrapper& Write(double value) = 0;
    virtual ArchiveWrapper& Write(float value) = 0;
    virtual ArchiveWrapper& Write(std::uint8_t value) = 0;
    // A character literal would silently become a bool: write a QString.
    ArchiveWrapper& Write(const char*) = delete;

    virtual ArchiveWrapper& Read(platform::Currency& value) = 0;
    // Accepts the Unicode and the older single-byte text forms.
    virtual ArchiveWrapper& Read(QString& value) = 0;
    // Any byte other than 0 is true.
    virtual ArchiveWrapper& Read(bool& value) = 0;
    virtual ArchiveWrapper& Read(std::int32_t& value) = 0;
    virtual ArchiveWrapper& Read(std::int16_t& value) = 0;
    virtual ArchiveWrapper& Read(std::int8_t& value) = 0;
    virtual ArchiveWrapper& Read(std::uint16_t& value) = 0;
    virtual ArchiveWrapper& Read(std::uint32_t& value) = 0;
    virtual ArchiveWrapper& Read(std::int64_t& value) = 0;
    virtual ArchiveWrapper& Read(std::uint64_t& value) = 0;
    virtual ArchiveWrapper& Read(double& value) = 0;
    virtual ArchiveWrapper& Read(float& value) = 0;
    virtual ArchiveWrapper& Read(std::uint8_t& value) = 0;

    template <typename T> ArchiveWrapper& operator<<(const T& value) { return Write(value); }
    template <typename T> ArchiveWrapper& operator>>(T& value) { return Read(value); }
};
