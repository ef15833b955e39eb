#include "OptimizationTestSupport.h"

#include "optimization/PinnedUsage.h"
#include "optimization/StackOrders.h"

#include <gtest/gtest.h>

namespace {

class StackOrdersTest : public ::testing::Test
{
protected:
    // A stack of one sheet whose single part covers `covered` square inches.
    StackPtr Sheet(const std::shared_ptr<CSheetGoodEx>& material, const std::shared_ptr<ISGSC>& row, double covered)
    {
        m_parts.push_back(MakePart(static_cast<int>(m_parts.size()) + 1, 1, covered, 1, material));
        return MakeStack({material, row, 0}, {Drawn(m_parts.back().get(), 0, 0, covered, 1)}, 1);
    }

    std::vector<std::unique_ptr<CMilledPart>> m_parts;
    PinnedUsage m_usage;
};

} // namespace

TEST_F(StackOrdersTest, ResultsGoBySizeThenWasteThenPinned)
{
    auto oak = MakeSheetGood(QStringLiteral("Oak"));
    const auto large = AddRow(*oak, 0.75, 48, 96);
    const auto small = AddRow(*oak, 0.75, 24, 48);
    const auto wider = AddRow(*oak, 0.75, 60, 96 + 2.0 / 16384); // length within the tolerance of large
    const StackPtr smallFull = Sheet(oak, small, 1000);
    const StackPtr largeHalf = Sheet(oak, large, 2304);
    const StackPtr largeEmptyish = Sheet(oak, large, 100);
    const StackPtr largeHalfPinned = Sheet(oak, large, 2304);
    const StackPtr widerSheet = Sheet(oak, wider, 10);
    largeHalfPinned->Pin(m_usage);

    StackList stacks {smallFull, largeHalf, largeEmptyish, largeHalfPinned, widerSheet};
    SortStacksForResults(stacks);
    EXPECT_EQ(stacks, (StackList {widerSheet, largeEmptyish, largeHalfPinned, largeHalf, smallFull}));

    DisplayDiagramList shown;
    ExpandStacks({largeHalf, largeHalfPinned}, false, shown);
    ASSERT_EQ(shown.size(), 2u);
    SortDisplayDiagrams(shown);
    EXPECT_EQ(shown[0]->GetStack(), largeHalfPinned);
    shown.clear();
    largeHalf->AddCopy();
    AppendDisplayDiagrams(largeHalf, true, shown);
    ASSERT_EQ(shown.size(), 2u);
    EXPECT_EQ(shown[1]->GetCopyIndex(), 1);
}

TEST_F(StackOrdersTest, SameSizedRowsKeepOneOrderWhateverTheirAddresses)
{
    // Two rows of the same size, made in either order: the earlier row comes first.
    auto oak = MakeSheetGood(QStringLiteral("Oak"));
    const auto first = AddRow(*oak, 0.75, 48, 96);
    const auto second = AddRow(*oak, 0.75, 48, 96);
    const StackPtr a = Sheet(oak, second, 100);
    const StackPtr b = Sheet(oak, first, 100);
    StackList stacks {a, b};
    SortStacksForResults(stacks);
    EXPECT_EQ(stacks, (StackList {b, a}));
}

TEST_F(StackOrdersTest, FullOrderIsNameThenThicknessThenSize)
{
    auto oak = MakeSheetGood(QStringLiteral("Oak"));
    auto ash = MakeSheetGood(QStringLiteral("ash"));
    auto birch = MakeSheetGood(QStringLiteral("Birch"));
    const StackPtr oakThick = Sheet(oak, AddRow(*oak, 0.75, 48, 96), 10);
    const StackPtr oakThin = Sheet(oak, AddRow(*oak, 0.5, 24, 48), 10);
    const StackPtr oakAlmostThin = Sheet(oak, AddRow(*oak, 0.5 + 32.0 / 16384, 48, 96), 10);
    const StackPtr ashSheet = Sheet(ash, AddRow(*ash, 0.25, 48, 96), 10);
    const StackPtr birchSheet = Sheet(birch, AddRow(*birch, 1.0, 48, 96), 10);
    StackList stacks {oakThick, ashSheet, oakThin, birchSheet, oakAlmostThin};
    SortStacksFully(stacks);
    // Case-sensitive names: "Birch" < "Oak" < "ash"; 0.5 in and 0.5 in + 32
    // counts are one thickness, so the larger sheet comes first.
    EXPECT_EQ(stacks, (StackList {birchSheet, oakAlmostThin, oakThin, oakThick, ashSheet}));
}
