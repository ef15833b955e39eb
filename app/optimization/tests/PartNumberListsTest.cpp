#include "OptimizationTestSupport.h"

#include "foundation/IdentityMapper.h"
#include "foundation/RealArchive.h"
#include "optimization/PartNumberLists.h"

#include <platform/ArchiveError.h>
#include <platform/BinaryArchive.h>

#include <gtest/gtest.h>

#include <sstream>

namespace {

std::string Store(const std::vector<CMilledPart*>& parts)
{
    std::ostringstream out;
    platform::BinaryArchive archive = platform::BinaryArchive::storing(out, "project.kwxe");
    RealArchive ar(archive);
    StorePartNumbers(parts, ar);
    archive.flush();
    return out.str();
}

std::vector<std::int32_t> Load(const std::string& text)
{
    const std::vector<std::uint8_t> bytes(text.begin(), text.end());
    platform::BinaryArchive archive = platform::BinaryArchive::loading(bytes, "project.kwxe");
    RealArchive ar(archive);
    std::vector<std::int32_t> numbers;
    LoadPartNumbers(ar, numbers);
    return numbers;
}

} // namespace

TEST(PartNumberLists, PartsAreStoredByNumberAndFoundAgainInTheProject)
{
    auto seven = MakePart(7, 1, 1, 1);
    auto three = MakePart(3, 1, 1, 1);
    const std::string bytes = Store({seven.get(), three.get(), seven.get()});
    EXPECT_EQ(bytes.size(), 16u) << "a count and three numbers, 32 bits each";
    const std::vector<std::int32_t> numbers = Load(bytes);
    EXPECT_EQ(numbers, (std::vector<std::int32_t> {7, 3, 7}));

    auto project = std::make_shared<ProjectPartList>(ProjectPartList {three.get(), seven.get()});
    auto mapper = std::make_shared<IdentityMapper>(project);
    std::vector<CMilledPart*> found;
    EXPECT_TRUE(ResolvePartNumbers(numbers, mapper, found));
    EXPECT_EQ(found, (std::vector<CMilledPart*> {seven.get(), three.get(), seven.get()}));

    found.clear();
    EXPECT_FALSE(ResolvePartNumbers({3, 9, 7}, mapper, found)) << "part 9 is gone";
    EXPECT_EQ(found, std::vector<CMilledPart*> {three.get()}) << "the parts found before stay";
    EXPECT_EQ(FindPartByNumberInContext(7, std::make_shared<IdentityMapper>()), nullptr) << "no project";

    // A truncated list and a negative count are refused by the archive.
    EXPECT_THROW(Load(bytes.substr(0, 10)), platform::ArchiveError);
    std::string negative = bytes;
    negative[3] = '\x80';
    EXPECT_THROW(Load(negative), platform::ArchiveError);
}
