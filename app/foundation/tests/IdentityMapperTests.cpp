#include "foundation/IdentityMapper.h"
#include "foundation/IdentityPreamble.h"
#include "foundation/RealArchive.h"

#include <platform/BinaryArchive.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <set>
#include <sstream>
#include <thread>
#include <vector>

using platform::ArchiveError;
using platform::BinaryArchive;

namespace {

// A shared record with one word of data; type code 7.
class Vendor : public ManagedIdentityNotRemappedOnLockProject
{
public:
    explicit Vendor(std::int32_t initial = 0)
        : value(initial)
    { }
    void Serialize(ArchiveWrapper& ar, const std::shared_ptr<IdentityMapper>&) override
    {
        if (ar.IsStoring())
            ar << value;
        else
            ar >> value;
    }
    std::uint32_t GetTypeCode() const override { return 7; }
    void ReceiveResolvedReference(std::shared_ptr<IManagedIdentity> object) override { received = object; }

    std::int32_t value;
    std::shared_ptr<IManagedIdentity> received;
};

// Copied when a project is locked.
class Material : public ManagedIdentityRemappedOnLockProject
{
public:
    void Serialize(ArchiveWrapper&, const std::shared_ptr<IdentityMapper>&) override { }
    std::shared_ptr<IManagedIdentity> MakeLockProjectCopy(const std::shared_ptr<IdentityMapper>&) override
    {
        ++copies;
        return std::make_shared<Material>();
    }
    int copies = 0;
};

std::vector<std::uint8_t> StoreWith(const std::function<void(ArchiveWrapper&)>& writer)
{
    std::ostringstream out;
    auto ar = BinaryArchive::storing(out, "ids.kwxe");
    RealArchive wrapper(ar);
    writer(wrapper);
    ar.flush();
    const std::string s = out.str();
    return { s.begin(), s.end() };
}

void LoadWith(const std::vector<std::uint8_t>& bytes, const std::function<void(ArchiveWrapper&)>& reader)
{
    auto ar = BinaryArchive::loading(bytes, "ids.kwxe");
    RealArchive wrapper(ar);
    reader(wrapper);
}

std::vector<std::uint8_t> Reference(bool known, std::uint64_t identity)
{
    std::vector<std::uint8_t> bytes { static_cast<std::uint8_t>(known) };
    for (int i = 0; i < 8; ++i)
        bytes.push_back(static_cast<std::uint8_t>(identity >> (8 * i)));
    return bytes;
}

std::vector<std::uint8_t> Tail(const std::vector<std::uint8_t>& bytes, size_t count)
{
    return { bytes.end() - static_cast<std::ptrdiff_t>(count), bytes.end() };
}

class IdentityMapperTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        SetDefaultSheetGoodProvider([this] { return defaultSheetGood; });
    }
    void TearDown() override { SetDefaultSheetGoodProvider(nullptr); }

    std::shared_ptr<Material> defaultSheetGood = std::make_shared<Material>();
};

constexpr size_t PreambleBytes = 6 * 8;

} // namespace

TEST_F(IdentityMapperTest, SharedObjectWrittenOnceThenNineByteReferences)
{
    auto vendor = std::make_shared<Vendor>(42);
    const auto bytes = StoreWith([&](ArchiveWrapper& ar) {
        auto mapper = IdentityMapper::ConstructFromArchive(ar);
        for (int i = 0; i < 3; ++i)
            mapper->SerializeRef(ar, vendor);
    });
    ASSERT_EQ(bytes.size(), PreambleBytes + (9 + 4) + 9 + 9);
    auto first = Reference(false, vendor->GetIdentity());
    first.insert(first.end(), { 42, 0, 0, 0 });
    EXPECT_EQ(
        std::vector<std::uint8_t>(bytes.begin() + PreambleBytes, bytes.begin() + PreambleBytes + 13), first);
    EXPECT_EQ(Tail(bytes, 9), Reference(true, vendor->GetIdentity()));

    std::vector<std::shared_ptr<Vendor>> loaded(3);
    LoadWith(bytes, [&](ArchiveWrapper& ar) {
        auto mapper = IdentityMapper::ConstructFromArchive(ar);
        for (auto& ref : loaded) {
            ref = std::make_shared<Vendor>(); // the caller's fresh object
            mapper->SerializeRef(ar, ref);
        }
    });
    ASSERT_TRUE(loaded[0]);
    EXPECT_EQ(loaded[0]->value, 42);
    EXPECT_EQ(loaded[1], loaded[0]);
    EXPECT_EQ(loaded[2], loaded[0]);
    EXPECT_NE(loaded[0], vendor);
}

TEST_F(IdentityMapperTest, StoredIdentitiesMayCollideWithTheRunningOnes)
{
    // Build a file whose identities are those of objects alive in this run.
    auto a = std::make_shared<Vendor>(1);
    auto b = std::make_shared<Vendor>(2);
    const auto bytes = StoreWith([&](ArchiveWrapper& ar) {
        auto mapper = IdentityMapper::ConstructFromArchive(ar);
        mapper->SerializeRef(ar, a);
        mapper->SerializeRef(ar, b);
        mapper->SerializeRef(ar, a);
    });
    auto x = std::make_shared<Vendor>();
    auto y = std::make_shared<Vendor>();
    auto z = std::make_shared<Vendor>();
    LoadWith(bytes, [&](ArchiveWrapper& ar) {
        auto mapper = IdentityMapper::ConstructFromArchive(ar);
        mapper->SerializeRef(ar, x);
        mapper->SerializeRef(ar, y);
        mapper->SerializeRef(ar, z);
    });
    EXPECT_EQ(x->value, 1);
    EXPECT_EQ(y->value, 2);
    EXPECT_EQ(z, x);
    EXPECT_NE(x->GetIdentity(), a->GetIdentity()); // loaded objects keep their own identities
}

TEST_F(IdentityMapperTest, PolymorphicObjectCarriesTypeCode)
{
    std::shared_ptr<IManagedIdentity> vendor = std::make_shared<Vendor>(5);
    const auto bytes = StoreWith([&](ArchiveWrapper& ar) {
        auto mapper = IdentityMapper::ConstructFromArchive(ar);
        mapper->SerializeObject(ar, vendor, nullptr);
        mapper->SerializeObject(ar, vendor, nullptr);
    });
    ASSERT_EQ(bytes.size(), PreambleBytes + 9 + 4 + 4 + 9);
    EXPECT_EQ(bytes[PreambleBytes + 9], 7); // type code before the data

    std::vector<std::uint32_t> asked;
    const IdentityMapper::Factory factory = [&](std::uint32_t code) -> std::shared_ptr<IManagedIdentity> {
        asked.push_back(code);
        return code == 7 ? std::make_shared<Vendor>() : nullptr;
    };
    std::shared_ptr<Vendor> first, second;
    LoadWith(bytes, [&](ArchiveWrapper& ar) {
        auto mapper = IdentityMapper::ConstructFromArchive(ar);
        mapper->SerializeObject(ar, first, factory);
        mapper->SerializeObject(ar, second, factory);
    });
    EXPECT_EQ(asked, std::vector<std::uint32_t> { 7 });
    ASSERT_TRUE(first);
    EXPECT_EQ(first->value, 5);
    EXPECT_EQ(second, first);
}

TEST_F(IdentityMapperTest, UnknownTypeCodeIsRefusedCleanly)
{
    std::shared_ptr<IManagedIdentity> vendor = std::make_shared<Vendor>(5);
    const auto bytes = StoreWith([&](ArchiveWrapper& ar) {
        IdentityMapper::ConstructFromArchive(ar)->SerializeObject(ar, vendor, nullptr);
    });
    std::shared_ptr<Vendor> loaded;
    try {
        LoadWith(bytes, [&](ArchiveWrapper& ar) {
            IdentityMapper::ConstructFromArchive(ar)->SerializeObject(
                ar, loaded, [](std::uint32_t) { return std::shared_ptr<IManagedIdentity>(); });
        });
        FAIL() << "an object nobody can make was accepted";
    } catch (const ArchiveError& e) {
        EXPECT_EQ(e.cause(), ArchiveError::BadClass);
    }
}

TEST_F(IdentityMapperTest, TruncatedReferenceIsAnArchiveError)
{
    auto vendor = std::make_shared<Vendor>(1);
    auto bytes = StoreWith(
        [&](ArchiveWrapper& ar) { IdentityMapper::ConstructFromArchive(ar)->SerializeRef(ar, vendor); });
    bytes.resize(bytes.size() - 6);
    auto fresh = std::make_shared<Vendor>();
    EXPECT_THROW(
        LoadWith(bytes,
            [&](ArchiveWrapper& ar) { IdentityMapper::ConstructFromArchive(ar)->SerializeRef(ar, fresh); }),
        ArchiveError);
}

TEST_F(IdentityMapperTest, EmptyAndUnmappedReferencesReadAsEmpty)
{
    std::shared_ptr<Vendor> none;
    const auto bytes = StoreWith(
        [&](ArchiveWrapper& ar) { IdentityMapper::ConstructFromArchive(ar)->SerializeRef(ar, none); });
    EXPECT_EQ(Tail(bytes, 9), Reference(true, 0));

    auto dangling = Reference(true, 12345);
    std::vector<std::uint8_t> file(bytes.begin(), bytes.begin() + PreambleBytes);
    file.insert(file.end(), dangling.begin(), dangling.end());
    auto ref = std::make_shared<Vendor>();
    LoadWith(
        file, [&](ArchiveWrapper& ar) { IdentityMapper::ConstructFromArchive(ar)->SerializeRef(ar, ref); });
    EXPECT_FALSE(ref);
}

TEST_F(IdentityMapperTest, PreambleNamesTheDefaultSheetGoodAndMapsItBack)
{
    std::shared_ptr<Material> material = defaultSheetGood;
    const auto bytes = StoreWith(
        [&](ArchiveWrapper& ar) { IdentityMapper::ConstructFromArchive(ar)->SerializeRef(ar, material); });
    ASSERT_EQ(bytes.size(), PreambleBytes + 9);
    std::vector<std::uint8_t> preamble(PreambleBytes, 0);
    for (int i = 0; i < 8; ++i)
        preamble[16 + i] = static_cast<std::uint8_t>(defaultSheetGood->GetIdentity() >> (8 * i));
    EXPECT_EQ(std::vector<std::uint8_t>(bytes.begin(), bytes.begin() + PreambleBytes), preamble);
    EXPECT_EQ(Tail(bytes, 9), Reference(true, defaultSheetGood->GetIdentity()));

    // Another run: its default sheet good has another identity.
    auto running = std::make_shared<Material>();
    SetDefaultSheetGoodProvider([&] { return running; });
    std::shared_ptr<Material> loaded = std::make_shared<Material>();
    LoadWith(bytes,
        [&](ArchiveWrapper& ar) { IdentityMapper::ConstructFromArchive(ar)->SerializeRef(ar, loaded); });
    EXPECT_EQ(loaded, running);
}

TEST_F(IdentityMapperTest, EmptyReferenceStaysEmptyWhenThePreambleNamesNoDefaultSheetGood)
{
    SetDefaultSheetGoodProvider(nullptr); // the writer knew no default sheet good
    std::shared_ptr<Material> none;
    const auto bytes = StoreWith(
        [&](ArchiveWrapper& ar) { IdentityMapper::ConstructFromArchive(ar)->SerializeRef(ar, none); });
    ASSERT_EQ(bytes.size(), PreambleBytes + 9);

    SetDefaultSheetGoodProvider([this] { return defaultSheetGood; });
    std::shared_ptr<Material> loaded = std::make_shared<Material>();
    LoadWith(bytes,
        [&](ArchiveWrapper& ar) { IdentityMapper::ConstructFromArchive(ar)->SerializeRef(ar, loaded); });
    EXPECT_FALSE(loaded);
}

TEST_F(IdentityMapperTest, ResolveMakesOneCopyPerIdentity)
{
    auto mapper = std::make_shared<IdentityMapper>();
    auto material = std::make_shared<Material>();
    auto first = mapper->Resolve(material);
    auto second = mapper->Resolve(material);
    EXPECT_EQ(material->copies, 1);
    EXPECT_EQ(first, second);
    EXPECT_NE(first, std::static_pointer_cast<IManagedIdentity>(material));
    EXPECT_EQ(mapper->Find(material->GetIdentity()), first);

    Vendor receiver;
    ApplyResolvedReference(receiver, first);
    EXPECT_EQ(receiver.received, first);
}

// A mapper no shared pointer owns has no self to hand the objects it reads
// or writes: the store fails with the archive error instead.
TEST_F(IdentityMapperTest, MapperWithoutOwnerRaisesTheArchiveError)
{
    auto vendor = std::make_shared<Vendor>(5);
    EXPECT_THROW(StoreWith([&](ArchiveWrapper& ar) {
        IdentityMapper onStack;
        onStack.SerializeRef(ar, vendor);
    }),
        ArchiveError);
    auto material = std::make_shared<Material>();
    IdentityMapper onStack;
    EXPECT_THROW(onStack.Resolve(material), ArchiveError);
}

TEST(ManagedIdentity, IdentitiesNeverRepeatAcrossThreads)
{
    constexpr int Threads = 8;
    constexpr int PerThread = 5000;
    std::vector<std::vector<std::uint64_t>> taken(Threads);
    std::vector<std::thread> workers;
    for (int t = 0; t < Threads; ++t)
        workers.emplace_back([&taken, t] {
            for (int i = 0; i < PerThread; ++i)
                taken[static_cast<size_t>(t)].push_back(TakeManagedIdentity());
        });
    for (auto& w : workers)
        w.join();
    std::set<std::uint64_t> all;
    for (const auto& list : taken)
        all.insert(list.begin(), list.end());
    EXPECT_EQ(all.size(), size_t { Threads * PerThread });
    EXPECT_GE(*all.begin(), 1u);
}

TEST(ManagedIdentity, CopyKeepsAndAssignmentNeverChangesTheIdentity)
{
    Vendor a(1), b(2);
    Vendor copy(a);
    EXPECT_EQ(copy.GetIdentity(), a.GetIdentity());
    const auto before = b.GetIdentity();
    b = a;
    EXPECT_EQ(b.GetIdentity(), before);
    EXPECT_EQ(b.value, 1);
    EXPECT_LT(a.GetIdentity(), Vendor().GetIdentity());
}
