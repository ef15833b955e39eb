#pragma once
// An archive that forwards to the program's archive and lets a test watch or
// damage what passes: where identities are written, which 32-bit words are
// read (and which of them are list counts, checked against the bytes left),
// and one read word replaced by another value.

#include "foundation/RealArchive.h"

#include <platform/BinaryArchive.h>

#include <cstdint>
#include <optional>
#include <sstream>
#include <vector>

class ArchiveProbe final : public ArchiveWrapper
{
public:
    struct WordRead
    {
        std::size_t bytesLeft = 0; // before the word was read
        std::int64_t value = 0;
        bool isCount = false;
    };

    // Storing: out is the stream the archive writes to.
    ArchiveProbe(platform::BinaryArchive& archive, IDoc* document, std::ostringstream* out = nullptr)
        : m_archive(archive)
        , m_real(archive, document)
        , m_out(out)
    { }

    // Loading: the word-th 32-bit read answers this value instead.
    void DamageWord(std::size_t word, std::uint32_t value) { m_damage = { word, value }; }
    bool ReadAfterDamage() const { return m_readAfterDamage; }
    const std::vector<WordRead>& WordReads() const { return m_words; }
    // Storing: byte offsets of the 64-bit words (identities).
    const std::vector<std::size_t>& Wide() const { return m_wide; }

    bool IsAvailable() const override { return true; }
    platform::BinaryArchive& GetArchive() override
    {
        // The list counts are checked against the bytes left right after they are read.
        if (m_justReadWord && !m_words.empty())
            m_words.back().isCount = true;
        return m_archive;
    }
    std::uint32_t GetDataVersion() const override { return m_real.GetDataVersion(); }
    QString GetFilePath() const override { return m_real.GetFilePath(); }
    bool IsSkipping() const override { return false; }
    void BeginSection(const char*, std::uint32_t) override { }
    void EndSection(const char*) override { }
    IDoc* GetDocument() const override { return m_real.GetDocument(); }
    bool IsLoading() const override { return m_real.IsLoading(); }
    bool IsStoring() const override { return m_real.IsStoring(); }

    ArchiveWrapper& Write(const platform::Currency& v) override { return Put(v); }
    ArchiveWrapper& Write(const QString& v) override { return Put(v); }
    ArchiveWrapper& Write(bool v) override { return Put(v); }
    ArchiveWrapper& Write(std::int32_t v) override { return Put(v); }
    ArchiveWrapper& Write(std::int16_t v) override { return Put(v); }
    ArchiveWrapper& Write(std::int8_t v) override { return Put(v); }
    ArchiveWrapper& Write(std::uint16_t v) override { return Put(v); }
    ArchiveWrapper& Write(std::uint32_t v) override { return Put(v); }
    ArchiveWrapper& Write(std::int64_t v) override { return Put(v); }
    ArchiveWrapper& Write(std::uint64_t v) override
    {
        m_archive.flush();
        m_wide.push_back(static_cast<std::size_t>(m_out->tellp()));
        return Put(v);
    }
    ArchiveWrapper& Write(double v) override { return Put(v); }
    ArchiveWrapper& Write(float v) override { return Put(v); }
    ArchiveWrapper& Write(std::uint8_t v) override { return Put(v); }

    ArchiveWrapper& Read(platform::Currency& v) override { return Get(v); }
    ArchiveWrapper& Read(QString& v) override { return Get(v); }
    ArchiveWrapper& Read(bool& v) override { return Get(v); }
    ArchiveWrapper& Read(std::int32_t& v) override { return GetWord(v); }
    ArchiveWrapper& Read(std::int16_t& v) override { return Get(v); }
    ArchiveWrapper& Read(std::int8_t& v) override { return Get(v); }
    ArchiveWrapper& Read(std::uint16_t& v) override { return Get(v); }
    ArchiveWrapper& Read(std::uint32_t& v) override { return GetWord(v); }
    ArchiveWrapper& Read(std::int64_t& v) override { return Get(v); }
    ArchiveWrapper& Read(std::uint64_t& v) override { return Get(v); }
    ArchiveWrapper& Read(double& v) override { return Get(v); }
    ArchiveWrapper& Read(float& v) override { return Get(v); }
    ArchiveWrapper& Read(std::uint8_t& v) override { return Get(v); }

private:
    template <class T> ArchiveWrapper& Put(const T& v)
    {
        m_real.Write(v);
        return *this;
    }
    template <class T> ArchiveWrapper& Get(T& v)
    {
        m_justReadWord = false;
        m_readAfterDamage = m_readAfterDamage || m_damaged;
        m_real.Read(v);
        return *this;
    }
    template <class T> ArchiveWrapper& GetWord(T& v)
    {
        m_readAfterDamage = m_readAfterDamage || m_damaged;
        const std::size_t bytesLeft = m_archive.bytesLeft();
        m_real.Read(v);
        if (m_damage && m_damage->first == m_words.size()) {
            v = static_cast<T>(m_damage->second);
            m_damaged = true;
        }
        m_words.push_back({ bytesLeft, static_cast<std::int64_t>(v), false });
        m_justReadWord = true;
        return *this;
    }

    platform::BinaryArchive& m_archive;
    RealArchive m_real;
    std::ostringstream* m_out;
    std::optional<std::pair<std::size_t, std::uint32_t>> m_damage;
    bool m_damaged = false;
    bool m_readAfterDamage = false;
    bool m_justReadWord = false;
    std::vector<WordRead> m_words;
    std::vector<std::size_t> m_wide;
};
