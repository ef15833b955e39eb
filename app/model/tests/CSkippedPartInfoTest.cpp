#include "model/CSkippedPartInfo.h"

#include "foundation/RealArchive.h"

#include <platform/ArchiveError.h>
#include <platform/BinaryArchive.h>

#include <gtest/gtest.h>

#include <sstream>

namespace {

std::string Bytes(std::initializer_list<std::uint8_t> bytes)
{
    return std::string(bytes.begin(), bytes.end());
}

CSkippedPartInfo Load(const std::string& bytes)
{
    auto archive = platform::BinaryArchive::loading(
        std::vector<std::uint8_t>(bytes.begin(), bytes.end()), "project.kwxe");
    RealArchive ar(archive);
    CSkippedPartInfo info;
    info.Serialize(ar);
    return info;
}

TEST(CSkippedPartInfoTest, RecordIsVersionThenReason)
{
    std::ostringstream out;
    {
        auto archive = platform::BinaryArchive::storing(out);
        RealArchive ar(archive);
        CSkippedPartInfo info(CSkippedPartInfo::NoStockWL);
        info.Serialize(ar);
        archive.flush();
    }
    EXPECT_EQ(out.str(), Bytes({ 0, 0, 0, 0, 5, 0, 0, 0 }));
    EXPECT_EQ(Load(out.str()).GetReason(), 5u);
    // Codes outside the table stay stored.
    EXPECT_EQ(Load(Bytes({ 0, 0, 0, 0, 42, 0, 0, 0 })).GetReason(), 42u);
}

TEST(CSkippedPartInfoTest, OtherVersionsAreRefused)
{
    try {
        Load(Bytes({ 1, 0, 0, 0, 5, 0, 0, 0 }));
        FAIL() << "version 1 accepted";
    } catch (const platform::ArchiveError& error) {
        EXPECT_EQ(error.cause(), platform::ArchiveError::BadSchema);
        EXPECT_EQ(error.fileName(), "project.kwxe");
    }
}

TEST(CSkippedPartInfoTest, ReasonsWithoutTextsAnswerEmpty)
{
    for (std::uint32_t reason : { 0u, 6u, 9u }) {
        SCOPED_TRACE(reason);
        CSkippedPartInfo info(reason);
        EXPECT_TRUE(info.GetReasonText().isEmpty());
        EXPECT_TRUE(info.GetReasonDescription().isEmpty());
    }
    EXPECT_FALSE(CSkippedPartInfo().IsSkipped());
}

} // namespace
