#pragma once

#include "foundation/ArchiveWrapper.h"

// ArchiveWrapper over the program's binary archive. The archive (and the file
// behind it) stay owned by the creator and must outlive the wrapper.
class RealArchive final : public ArchiveWrapper
{
public:
    explicit RealArchive(platform::BinaryArchive& archive, IDoc* document = nullptr);

    bool IsAvailable() const override { return true; }
    platform::BinaryArchive& GetArchive() override { return m_archive; }
    std::uint32_t GetDataVersion() const override;
    QString GetFilePath() const override;
    bool IsSkipping() const override { return false; }
    void BeginSection(const char*, std::uint32_t) override { }
    void EndSection(const char*) override { }
    IDoc* GetDocument() const override { return m_document; }
    bool IsLoading() const override;
    bool IsStoring() const override;

    RealArchive& Write(const platform::Currency& value) override;
    RealArchive& Write(const QString& value) override;
    RealArchive& Write(bool value) override;
    RealArchive& Write(std::int32_t value) override;
    RealArchive& Write(std::int16_t value) override;
    RealArchive& Write(std::int8_t value) override;
    RealArchive& Write(std::uint16_t value) override;
    RealArchive& Write(std::uint32_t value) override;
    RealArchive& Write(std::int64_t value) override;
    RealArchive& Write(std::uint64_t value) override;
    RealArchive& Write(double value) override;
    RealArchive& Write(float value) override;
    RealArchive& Write(std::uint8_t value) override;
    RealArchive& Write(const char*) = delete;

    RealArchive& Read(platform::Currency& value) override;
    RealArchive& Read(QString& value) override;
    RealArchive& Read(bool& value) override;
    RealArchive& Read(std::int32_t& value) override;
    RealArchive& Read(std::int16_t& value) override;
    RealArchive& Read(std::int8_t& value) override;
    RealArchive& Read(std::uint16_t& value) override;
    RealArchive& Read(std::uint32_t& value) override;
    RealArchive& Read(std::int64_t& value) override;
    RealArchive& Read(std::uint64_t& value) override;
    RealArchive& Read(double& value) override;
    RealArchive& Read(float& value) override;
    RealArchive& Read(std::uint8_t& value) override;

private:
    platform::BinaryArchive& m_archive;
    IDoc* m_document;
};
