// Grouping identical sheets: same stock, same size, same multiset of parts.

#include "CLayoutSet.h"
#include "LayoutGrouping.h"
#include "TreeFixture.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace optimization {
namespace {

using namespace treetest;

class Grouping : public testing::Test
{
protected:
    void SetUp() override
    {
        stock = MakeStock(StockSpec{});
        other = MakeStock(StockSpec{});
        stock->SetPosition(0);
        other->SetPosition(1);
        for (int i = 0; i < 3; ++i) {
            parts.push_back(MakePart(200, 300, 10, 0, i));
            parts.back()->SetPosition(std::uint64_t(i));
        }
    }

    // A sheet with the given parts in a column, in the given order.
    OptTopLevelLayout* Sheet(const StockProxy& s, std::vector<int> order)
    {
        auto sheet = MakeSheet(s);
        OptLayout* node = sheet.get();
        for (std::size_t i = 0; i < order.size(); ++i) {
            node->Record().cutDirection = CutLengthFirst;
            PutBlock(*node, *parts[std::size_t(order[i])]);
            if (i + 1 < order.size())
                node = AddWidthRemainder(*node);
        }
        sheet->RebuildLists();
        set.Add(sheet.get());
        return sheet.release();
    }

    std::shared_ptr<StockProxy> stock;
    std::shared_ptr<StockProxy> other;
    std::vector<std::shared_ptr<PartProxy>> parts;
    CLayoutSet set{true};
};

TEST_F(Grouping, SameStockAndPartsInOtherPlacesMakeOneGroup)
{
    // +----+        +----+
    // | P0 |        | P2 |
    // | P1 |   ==   | P0 |
    // | P2 |        | P1 |
    // +----+        +----+
    OptTopLevelLayout* first = Sheet(*stock, {0, 1, 2});
    OptTopLevelLayout* second = Sheet(*stock, {2, 0, 1});
    GroupIdenticalSheets(set);
    EXPECT_FALSE(first->IsDuplicate());
    EXPECT_EQ(first->GetDuplicateCount(), 1);
    EXPECT_TRUE(second->IsDuplicate());
    EXPECT_EQ(second->GetMaster(), first);
    EXPECT_EQ(second->GetDuplicateCount(), 0);
    EXPECT_EQ(second->GetStyleMap(), first->GetStyleMap());
}

TEST_F(Grouping, DifferentStockOrPartsStayApart)
{
    OptTopLevelLayout* a = Sheet(*stock, {0, 1, 2});
    OptTopLevelLayout* b = Sheet(*other, {0, 1, 2}); // same size, other stock
    OptTopLevelLayout* c = Sheet(*stock, {0, 1, 1}); // other multiset
    OptTopLevelLayout* d = Sheet(*stock, {0, 1});
    GroupIdenticalSheets(set);
    for (OptTopLevelLayout* sheet : {a, b, c, d}) {
        EXPECT_FALSE(sheet->IsDuplicate());
        EXPECT_EQ(sheet->GetDuplicateCount(), 0);
    }
}

TEST_F(Grouping, InterleavedGroupsTakeTheFirstIdenticalSheetAsMaster)
{
    // Set order A B C D E F G; D and G are 3 counts shorter than A (too
    // far), F 2 counts shorter (within the tolerance).
    OptTopLevelLayout* a = Sheet(*stock, {0, 1});
    OptTopLevelLayout* b = Sheet(*stock, {2});
    OptTopLevelLayout* c = Sheet(*stock, {1, 0});
    OptTopLevelLayout* d = Sheet(*stock, {0, 1});
    OptTopLevelLayout* e = Sheet(*stock, {2});
    OptTopLevelLayout* f = Sheet(*stock, {0, 1});
    OptTopLevelLayout* g = Sheet(*stock, {1, 0});
    for (OptTopLevelLayout* shorter : {d, g})
        shorter->SetLength(C(shorter->GetLength().ToEncodedInt() - 3));
    f->SetLength(C(f->GetLength().ToEncodedInt() - 2));
    GroupIdenticalSheets(set);
    const struct {
        OptTopLevelLayout* sheet;
        OptTopLevelLayout* master;
        std::int32_t duplicates;
    } cases[] = {{a, nullptr, 2}, {b, nullptr, 1}, {c, a, 0}, {d, nullptr, 1},
                 {e, b, 0},       {f, a, 0},       {g, d, 0}};
    for (const auto& want : cases) {
        SCOPED_TRACE(std::find(set.Layouts().begin(), set.Layouts().end(), want.sheet) - set.Layouts().begin());
        EXPECT_EQ(want.sheet->GetMaster(), want.master);
        EXPECT_EQ(want.sheet->GetDuplicateCount(), want.duplicates);
        if (want.master) {
            EXPECT_EQ(want.sheet->GetStyleMap(), want.master->GetStyleMap());
        }
    }
}

TEST_F(Grouping, RegroupingResetsEarlierLinks)
{
    OptTopLevelLayout* a = Sheet(*stock, {0, 1});
    OptTopLevelLayout* b = Sheet(*stock, {1, 0});
    OptTopLevelLayout* c = Sheet(*stock, {0, 1});
    GroupIdenticalSheets(set);
    GroupIdenticalSheets(set);
    EXPECT_EQ(a->GetDuplicateCount(), 2);
    EXPECT_EQ(b->GetMaster(), a);
    EXPECT_EQ(c->GetMaster(), a);
}

TEST_F(Grouping, UngroupingTheMasterOfThreeHandsTheGroupOn)
{
    OptTopLevelLayout* a = Sheet(*stock, {0, 1});
    OptTopLevelLayout* b = Sheet(*stock, {1, 0});
    OptTopLevelLayout* c = Sheet(*stock, {0, 1});
    GroupIdenticalSheets(set);
    TakeOutOfGroup(*a, set, false);
    EXPECT_FALSE(a->IsDuplicate());
    EXPECT_EQ(a->GetDuplicateCount(), 0);
    EXPECT_NE(a->GetStyleMap(), b->GetStyleMap());
    EXPECT_FALSE(b->IsDuplicate());
    EXPECT_EQ(b->GetDuplicateCount(), 1);
    EXPECT_EQ(c->GetMaster(), b);
    EXPECT_EQ(c->GetStyleMap(), b->GetStyleMap());
}

TEST_F(Grouping, UngroupingADuplicateAndJoiningAnotherGroup)
{
    OptTopLevelLayout* a = Sheet(*stock, {0, 1});
    OptTopLevelLayout* b = Sheet(*stock, {1, 0});
    OptTopLevelLayout* c = Sheet(*stock, {2});
    GroupIdenticalSheets(set);
    ASSERT_EQ(b->GetMaster(), a);

    // b changes to hold what c holds, and joins c.
    b->Clear();
    PutBlock(*b, *parts[2]);
    b->RebuildLists();
    TakeOutOfGroup(*b, set, true);
    EXPECT_EQ(a->GetDuplicateCount(), 0);
    EXPECT_EQ(b->GetMaster(), c);
    EXPECT_EQ(c->GetDuplicateCount(), 1);

    // Without an identical sheet it stays alone.
    TakeOutOfGroup(*a, set, true);
    EXPECT_FALSE(a->IsDuplicate());
}

TEST_F(Grouping, SetCopyKeepsOrDropsTheLinks)
{
    Sheet(*stock, {0, 1});
    Sheet(*stock, {1, 0});
    GroupIdenticalSheets(set);

    CLayoutSet linked;
    set.CopyInto(linked, true);
    ASSERT_EQ(linked.Size(), 2u);
    EXPECT_EQ(linked.Layouts()[1]->GetMaster(), linked.Layouts()[0]);
    EXPECT_EQ(linked.Layouts()[0]->GetDuplicateCount(), 1);

    CLayoutSet alone;
    set.CopyInto(alone);
    EXPECT_FALSE(alone.Layouts()[1]->IsDuplicate());
    EXPECT_EQ(alone.Layouts()[0]->GetDuplicateCount(), 0);
    EXPECT_TRUE(alone.SameParts(set));
}

} // namespace
} // namespace optimization
