#include "ModelTestSupport.h"

#include "foundation/IdentityMapper.h"
#include "foundation/RealArchive.h"
#include "model/CMilledPart.h"

#include <platform/ArchiveError.h>
#include <platform/BinaryArchive.h>

#include <sstream>

namespace {

using PartList = std::vector<std::unique_ptr<CMilledPart>>;

// Parts written and read as the project file does: one identity mapper over
// the whole list, each part after its type tag.
std::string StoreParts(const PartList& parts)
{
    std::ostringstream out;
    auto archive = platform::BinaryArchive::storing(out, "parts.kwxe");
    RealArchive ar(archive);
    auto mapper = IdentityMapper::ConstructFromArchive(ar);
    ar << static_cast<std::int32_t>(parts.size());
    for (const auto& part : parts) {
        ar << std::int32_t { part->GetTypeTag() };
        part->Serialize(ar, mapper);
    }
    archive.flush();
    return out.str();
}

PartList LoadParts(const std::string& bytes)
{
    auto archive = platform::BinaryArchive::loading(
        std::vector<std::uint8_t>(bytes.begin(), bytes.end()), "parts.kwxe");
    RealArchive ar(archive);
    auto mapper = IdentityMapper::ConstructFromArchive(ar);
    std::int32_t count = 0;
    ar >> count;
    PartList parts;
    for (std::int32_t i = 0; i < count; ++i) {
        std::int32_t tag = 0;
        ar >> tag;
        std::unique_ptr<CMilledPart> part(static_cast<CMilledPart*>(CreateMilledPart(tag)));
        if (!part)
            throw platform::ArchiveError(platform::ArchiveError::BadClass, "parts.kwxe");
        part->Serialize(ar, mapper);
        parts.push_back(std::move(part));
    }
    return parts;
}

class CMilledPartTest : public LibraryTest
{
};

TEST_F(CMilledPartTest, NewPartHasTheDefaults)
{
    CMilledPart part;
    EXPECT_EQ(part.GetID().GetText(), QStringLiteral("0001"));
    EXPECT_EQ(part.GetCopies(), 1u);
    EXPECT_NEAR(part.GetThickness().GetInches(), 0.75, 1e-4);
    EXPECT_NEAR(part.GetWidth().GetInches(), 1.0, 1e-9);
    EXPECT_EQ(part.GetMaterial(), GetDefaultMaterial());
    EXPECT_FALSE(part.GetSkipInfo().IsSkipped());
}

TEST_F(CMilledPartTest, CountsNeverWrapBelowZero)
{
    struct Case
    {
        std::uint32_t copies, optimizerPlaced, handPlaced, draggedOff;
        std::uint32_t forOptimizer, unplaced;
        std::uint32_t reason;
    };
    const Case cases[] = {
        { 5, 2, 1, 0, 4, 2, 0 },
        { 5, 2, 1, 2, 2, 2, CSkippedPartInfo::ManualEdit },
        // More placed or dragged off than copies (copies lowered after a run).
        { 2, 3, 1, 0, 1, 0, 0 },
        { 1, 0, 2, 3, 0, 0, CSkippedPartInfo::ManualEdit },
        { 0, 1, 0, 0, 0, 0, 0 },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.copies << " copies");
        CMilledPart part;
        part.SetCopies(c.copies);
        part.SetOptimizerPlacedCopies(c.optimizerPlaced);
        part.AddHandPlacedCopies(c.handPlaced);
        part.SetDraggedOffCopies(c.draggedOff);
        EXPECT_EQ(part.GetCopiesForOptimizer(), c.forOptimizer);
        EXPECT_EQ(part.GetUnplacedCopies(), c.unplaced);
        EXPECT_EQ(part.HasUnplacedCopies(), c.unplaced != 0);
        EXPECT_EQ(part.GetSkipInfo().GetReason(), c.reason);
    }
    CMilledPart part;
    part.SetOptimizerPlacedCopies(1);
    part.MoveToHandPlaced(3);
    EXPECT_EQ(part.GetOptimizerPlacedCopies(), 0u);
    EXPECT_EQ(part.GetHandPlacedCopies(), 3u);
}

TEST_F(CMilledPartTest, SkipReasonIgnoresManualEditAndPartsWithoutCopies)
{
    CMilledPart part;
    part.SetSkipReason(CSkippedPartInfo::ManualEdit);
    EXPECT_FALSE(part.GetSkippedPartInfo().IsSkipped());
    part.SetSkipReason(CSkippedPartInfo::NoStockSize);
    EXPECT_EQ(part.GetSkippedPartInfo().GetReason(), CSkippedPartInfo::NoStockSize);
    part.SetCopies(0);
    part.SetSkipReason(CSkippedPartInfo::NoInventory);
    EXPECT_EQ(part.GetSkippedPartInfo().GetReason(), CSkippedPartInfo::NoStockSize);
}

// Has-grain is the flag that reaches the optimizer; "long side horizontal"
// and the grain direction only affect drawing.
TEST_F(CMilledPartTest, HasGrainConstraintFollowsHasGrain)
{
    auto material = std::make_shared<CSheetGoodEx>(QStringLiteral("Oak"));
    CMilledPart part;
    part.SetMaterial(material);
    part.SetWidth(CDimension::FromInches(10));
    part.SetLength(CDimension::FromInches(20));

    struct Case
    {
        bool hasGrain, longSideHorizontal;
        bool expected;
    };
    for (const Case& c : { Case { true, true, true }, Case { true, false, true }, Case { false, true, false },
             Case { false, false, false } }) {
        SCOPED_TRACE(testing::Message() << c.hasGrain << c.longSideHorizontal);
        material->GetGrainInfoForEdit().SetHasGrain(c.hasGrain);
        material->GetGrainInfoForEdit().SetLongSideHorizontal(c.longSideHorizontal);
        EXPECT_EQ(part.HasGrainConstraint(), c.expected);
    }
    material->GetGrainInfoForEdit().SetHasGrain(true);
    part.SetLength(CDimension::FromInches(10));
    EXPECT_FALSE(part.HasGrainConstraint()); // square
}

TEST_F(CMilledPartTest, ChangeAndDetailMasks)
{
    CMilledPart original;
    auto edit = [&](auto change) {
        CMilledPart edited(original);
        change(edited);
        return std::pair { edited.GetChangeMask(original), edited.GetDetailMask(original) };
    };
    EXPECT_EQ(edit([](CMilledPart& p) { p.SetSpecialNotes(QStringLiteral("n")); }),
        (std::pair<std::uint64_t, std::uint64_t> { 0, 0 }));
    EXPECT_EQ(edit([](CMilledPart& p) { p.SetDescription(QStringLiteral("d")); }),
        (std::pair<std::uint64_t, std::uint64_t> { 0x1, 0x400 }));
    EXPECT_EQ(edit([](CMilledPart& p) { p.SetLength(CDimension::FromInches(5)); }),
        (std::pair<std::uint64_t, std::uint64_t> { 0x9, 0x1 }));
}

TEST_F(CMilledPartTest, PartsStoreAndLoadWithTheirMaterialLinks)
{
    auto oak = AddSheetGood(QStringLiteral("Oak"));
    auto pine = AddSheetGood(QStringLiteral("Pine"));
    PartList parts;
    for (int i = 1; i <= 4; ++i) {
        auto part = std::make_unique<CMilledPart>(CPartID(i));
        part->SetDescription(QStringLiteral("part %1").arg(i));
        part->SetCopies(static_cast<std::uint32_t>(i + 1));
        part->SetWidth(CDimension::FromInches(10 + i));
        part->SetLength(CDimension::FromInches(20 + i));
        part->SetOptimizerPlacedCopies(1);
        part->AddHandPlacedCopies(1);
        part->SetSkipReason(CSkippedPartInfo::NoInventory);
        parts.push_back(std::move(part));
    }
    parts[0]->SetMaterial(oak);
    parts[1]->SetMaterial(pine);
    parts[2]->SetMaterial(oak);
    // parts[3] keeps the default material.
    parts[1]->SetLocked(true);

    PartList loaded = LoadParts(StoreParts(parts));
    ASSERT_EQ(loaded.size(), parts.size());
    for (std::size_t i = 0; i < parts.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(loaded[i]->GetID().GetText(), parts[i]->GetID().GetText());
        EXPECT_EQ(loaded[i]->GetDescription(), parts[i]->GetDescription());
        EXPECT_EQ(loaded[i]->GetCopies(), parts[i]->GetCopies());
        EXPECT_EQ(loaded[i]->GetWidth().GetUnits(), parts[i]->GetWidth().GetUnits());
        EXPECT_EQ(loaded[i]->GetMaterialName(), parts[i]->GetMaterialName());
        EXPECT_EQ(loaded[i]->GetOptimizerPlacedCopies(), 1u);
        // Hand placement is never restored; skip reasons only when locked.
        EXPECT_EQ(loaded[i]->GetHandPlacedCopies(), 0u);
        EXPECT_EQ(loaded[i]->GetSkippedPartInfo().IsSkipped(), i == 1);
    }
    // One material object per stored material, shared by its parts; the
    // default material is the program's own object.
    EXPECT_EQ(loaded[0]->GetMaterial(), loaded[2]->GetMaterial());
    EXPECT_NE(loaded[0]->GetMaterial(), loaded[1]->GetMaterial());
    EXPECT_EQ(loaded[3]->GetMaterial(), GetDefaultMaterial());

    // Relinking by name finds the library's objects again.
    for (auto& part : loaded)
        part->RelinkMaterialToLibrary();
    EXPECT_EQ(loaded[0]->GetMaterial(), oak);
    EXPECT_EQ(loaded[1]->GetMaterial(), pine);
    EXPECT_EQ(loaded[3]->GetMaterial(), GetDefaultMaterial());
}

TEST_F(CMilledPartTest, DamagedPartRecordsAreRefused)
{
    PartList parts;
    parts.push_back(std::make_unique<CMilledPart>());
    const std::string good = StoreParts(parts);
    for (std::size_t size = 0; size < good.size(); ++size) {
        SCOPED_TRACE(size);
        EXPECT_THROW(LoadParts(good.substr(0, size)), platform::ArchiveError);
    }
}

// A negative stored count would reach the optimizer as billions of copies.
TEST_F(CMilledPartTest, NegativeStoredCountIsRefused)
{
    PartList parts;
    parts.push_back(std::make_unique<CMilledPart>());
    parts.front()->SetCopies(0x12345678);
    std::string bytes = StoreParts(parts);
    const std::size_t at = bytes.find("\x78\x56\x34\x12");
    ASSERT_NE(at, std::string::npos);
    EXPECT_EQ(LoadParts(bytes).front()->GetCopies(), 0x12345678u);
    bytes.replace(at, 4, "\xFF\xFF\xFF\xFF");
    EXPECT_THROW(LoadParts(bytes), platform::ArchiveError);
}

} // namespace
