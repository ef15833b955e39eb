#include <shareguard/CheckoutDescriptor.h>

#include <platform/ArchiveError.h>
#include <platform/BinaryArchive.h>

#include <gtest/gtest.h>

#include <ctime>
#include <sstream>
#include <string>
#include <vector>

namespace shareguard {
namespace {

using namespace std::string_literals;

std::string Stored(const CheckoutDescriptor& descriptor)
{
    std::ostringstream out;
    platform::BinaryArchive archive = platform::BinaryArchive::storing(out);
    descriptor.Store(archive);
    archive.flush();
    return out.str();
}

void LoadFrom(const std::string& bytes, CheckoutDescriptor& descriptor)
{
    platform::BinaryArchive archive
        = platform::BinaryArchive::loading(std::vector<std::uint8_t>(bytes.begin(), bytes.end()), "test.cko");
    descriptor.Load(archive);
}

std::int64_t TimeStampAt(const std::string& bytes, std::size_t offset)
{
    std::uint64_t value = 0;
    for (std::size_t i = 0; i < 8; ++i)
        value |= static_cast<std::uint64_t>(static_cast<unsigned char>(bytes[offset + i])) << (8 * i);
    return static_cast<std::int64_t>(value);
}

const CheckoutDescriptor kAnn(u"Ann \u00D8", u"{AB}", u"PC7", u"");

TEST(CheckoutDescriptorTest, SidecarBytesFollowTheLayout)
{
    const std::int64_t before = std::time(nullptr);
    const std::string bytes = Stored(kAnn);
    const std::int64_t after = std::time(nullptr);

    const std::string head = "\x01\x00\x00\x00"s // version 1
                             "\xFF\xFE\xFF\x05"
                             "A\0n\0n\0 \0\xD8\0"s // user name
                             "\xFF\xFE\xFF\x04"
                             "{\0A\0B\0}\0"s; // UID
    const std::string tail = "\xFF\xFE\xFF\x03"
                             "P\0C\0"
                             "7\0"s // PC serial number
                             "\xFF\xFE\xFF\x00"s; // POP
    ASSERT_EQ(bytes.size(), head.size() + 8 + tail.size());
    EXPECT_EQ(bytes.substr(0, head.size()), head);
    EXPECT_EQ(bytes.substr(head.size() + 8), tail);
    // The time of storing, not the descriptor's own time stamp (0).
    const std::int64_t stamp = TimeStampAt(bytes, head.size());
    EXPECT_GE(stamp, before);
    EXPECT_LE(stamp, after);
}

TEST(CheckoutDescriptorTest, LoadsWhatWasStored)
{
    const std::int64_t before = std::time(nullptr);
    CheckoutDescriptor loaded;
    LoadFrom(Stored(kAnn), loaded);
    EXPECT_EQ(loaded.GetUserName(), kAnn.GetUserName());
    EXPECT_EQ(loaded.GetUID(), kAnn.GetUID());
    EXPECT_EQ(loaded.GetPCSerialNumber(), kAnn.GetPCSerialNumber());
    EXPECT_EQ(loaded.GetPOP(), kAnn.GetPOP());
    EXPECT_GE(loaded.GetTimeStamp(), before);
}

TEST(CheckoutDescriptorTest, RefusesOtherVersions)
{
    for (std::uint8_t version : { 0, 2, 255 }) {
        SCOPED_TRACE(int(version));
        std::string bytes = Stored(kAnn);
        bytes[0] = static_cast<char>(version);
        CheckoutDescriptor loaded = kAnn;
        try {
            LoadFrom(bytes, loaded);
            ADD_FAILURE() << "loaded a refused version";
        } catch (const platform::ArchiveError& error) {
            EXPECT_EQ(error.cause(), platform::ArchiveError::BadSchema);
        }
        EXPECT_EQ(loaded.GetUID(), kAnn.GetUID());
    }
}

TEST(CheckoutDescriptorTest, TruncatedSidecarChangesNothing)
{
    const std::string bytes = Stored(CheckoutDescriptor(u"Bob", u"{B}", u"PC", u"pop"));
    for (std::size_t length = 0; length < bytes.size(); ++length) {
        SCOPED_TRACE(length);
        CheckoutDescriptor loaded = kAnn;
        EXPECT_THROW(LoadFrom(bytes.substr(0, length), loaded), platform::ArchiveError);
        EXPECT_EQ(loaded.GetUserName(), kAnn.GetUserName());
        EXPECT_EQ(loaded.GetUID(), kAnn.GetUID());
        EXPECT_EQ(loaded.GetTimeStamp(), 0);
        EXPECT_EQ(loaded.GetPCSerialNumber(), kAnn.GetPCSerialNumber());
    }
}

} // namespace
} // namespace shareguard
