// The records of drawn parts, diagrams, stacks and results, byte by byte
// where the layout matters, and the references a record cannot do without.
#include "ArchiveTestUtil.h"
#include "TargetTestFixture.h"

#include "foundation/IdentityMapper.h"
#include "optimization/PartNumberLists.h"
#include "optimization/SGBOMLineItem.h"

#include <platform/ArchiveError.h>

#include <cstring>

namespace {

void Append(Bytes& bytes, const void* data, std::size_t size)
{
    const auto* p = static_cast<const std::uint8_t*>(data);
    bytes.insert(bytes.end(), p, p + size);
}

class DiagramArchiveTest : public TargetTest
{
protected:
    std::shared_ptr<IdentityMapper> Mapper(std::vector<CMilledPart*> parts)
    {
        return std::make_shared<IdentityMapper>(std::make_shared<ProjectPartList>(std::move(parts)));
    }
};

TEST_F(DiagramArchiveTest, DrawnPartIsStoredTopLeftBottomRight)
{
    auto part = MakePart(7, 1, 1, 1);
    DrawnPart drawn(part.get(), true, platform::Rect(10, 20, 30, 40));
    const Bytes bytes = StoreBytes([&](ArchiveWrapper& ar) { drawn.Serialize(ar, Mapper({})); });
    const Bytes expected { 1, 0, 0, 0, 7, 0, 0, 0, 20, 0, 0, 0, 10, 0, 0, 0, 40, 0, 0, 0, 30, 0, 0, 0, 1 };
    EXPECT_EQ(bytes, expected);

    DrawnPart loaded;
    LoadBytes(bytes, [&](ArchiveWrapper& ar) { loaded.Serialize(ar, Mapper({ part.get() })); });
    EXPECT_EQ(loaded, drawn);
    LoadBytes(bytes, [&](ArchiveWrapper& ar) { loaded.Serialize(ar, Mapper({})); });
    EXPECT_EQ(loaded.GetPart(), nullptr) << "a part the project lacks";
}

TEST_F(DiagramArchiveTest, DrawnPartsOfMissingPartsAreDroppedAndLeaveTheStatistics)
{
    auto material = AddMaterial(QStringLiteral("Birch"));
    auto row = AddRow(*material, 0.75, 48, 96);
    auto kept = MakePart(1, 10, 20, 1, material);
    auto gone = MakePart(9, 30, 40, 1, material);
    const StockSpec stock { material, row, 0 };
    StackPtr stack
        = MakeStack(stock, { Drawn(kept.get(), 0, 0, 10, 20), Drawn(gone.get(), 12, 0, 30, 40) }, 1);
    const Bytes bytes = StoreBytes([&](ArchiveWrapper& ar) { Mapper({})->SerializeRef(ar, stack); });

    auto loaded = std::make_shared<IdenticalDiagramStack>();
    LoadBytes(bytes, [&](ArchiveWrapper& ar) { Mapper({ kept.get() })->SerializeRef(ar, loaded); });
    ASSERT_EQ(loaded->GetCurrentParts().size(), 1u);
    EXPECT_EQ(loaded->GetCurrentParts()[0]->GetPart(), kept.get());
    EXPECT_EQ(loaded->GetDiagram()->GetFixedStats().GetPartsArea(), kept->GetArea());
}

TEST_F(DiagramArchiveTest, OlderCutStatisticsReadAsFourInvalidValues)
{
    Bytes bytes;
    const std::int32_t versions[] = { 1, 1 };
    const std::uint32_t cuts = 5;
    const double length = 2.5;
    const bool valid = true;
    Append(bytes, &versions[0], 4); // the record's version 1
    Append(bytes, &versions[1], 4);
    Append(bytes, &valid, 1);
    Append(bytes, &cuts, 4);
    Append(bytes, &versions[1], 4);
    Append(bytes, &valid, 1);
    Append(bytes, &length, 8);
    GeometryBasedStats stats;
    LoadBytes(bytes, [&](ArchiveWrapper& ar) { stats.Serialize(ar); });
    for (bool padded : { true, false }) {
        EXPECT_FALSE(stats.GetCuts(padded).valid);
        EXPECT_FALSE(stats.GetCutLength(padded).valid);
    }
}

// A reference the record needs that names nothing, and a line of a type no
// program writes, end the load with the archive's error.
TEST_F(DiagramArchiveTest, RecordsRefuseMissingObjectsAndUnknownLineTypes)
{
    auto material = AddMaterial(QStringLiteral("Birch"));
    auto row = AddRow(*material, 0.75, 48, 96);
    auto part = MakePart(1, 10, 20, 1, material);
    StackPtr stack = MakeStack(StockSpec { material, row, 0 }, { Drawn(part.get(), 0, 0, 10, 20) }, 1);
    auto target = std::make_shared<OptimizationTarget>();
    auto line = std::make_shared<SGBOMLineItem>(row);
    OptimizationResults results(target, {}, { line });
    // The target and the material's objects are known to both sides.
    auto mapper = [&] {
        auto m = Mapper({ part.get() });
        m->Register(target);
        m->Register(material);
        m->Register(row);
        return m;
    };

    const Bytes stackBytes = StoreBytes([&](ArchiveWrapper& ar) { mapper()->SerializeRef(ar, stack); });
    const Bytes resultsBytes = StoreBytes([&](ArchiveWrapper& ar) { results.Serialize(ar, mapper()); });
    struct Case
    {
        const char* what;
        const Bytes& bytes;
        std::size_t offset; // of a byte, or of a 32-bit word when word is set
        std::uint32_t value;
        bool word;
        platform::ArchiveError::Cause cause;
    };
    const Case cases[] = {
        // Version 4, count 4, style 4, pinned 1, then the diagram's reference.
        { "stack without its diagram", stackBytes, 9 + 13, 1, false, platform::ArchiveError::BadIndex },
        // Version 4, then the target's reference (known, identity 0: no object).
        { "results without their target", resultsBytes, 4 + 1, 0, true, platform::ArchiveError::BadIndex },
        // ... the target (9), no stacks (4), one line (4), its reference (9), its type code.
        { "line of type 2", resultsBytes, 4 + 9 + 4 + 4 + 9, 2, true, platform::ArchiveError::BadClass },
    };
    for (const Case& c : cases) {
        Bytes damaged = c.bytes;
        if (c.word)
            std::memcpy(&damaged[c.offset], &c.value, 4);
        else
            damaged[c.offset] = static_cast<std::uint8_t>(c.value);
        try {
            LoadBytes(damaged, [&](ArchiveWrapper& ar) {
                if (&c.bytes == &stackBytes) {
                    auto loaded = std::make_shared<IdenticalDiagramStack>();
                    mapper()->SerializeRef(ar, loaded);
                } else {
                    OptimizationResults loaded;
                    loaded.Serialize(ar, mapper());
                }
            });
            ADD_FAILURE() << c.what << " was read";
        } catch (const platform::ArchiveError& error) {
            EXPECT_EQ(error.cause(), c.cause) << c.what;
        }
    }
}

} // namespace
