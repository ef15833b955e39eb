#include "foundation/UpdateHint.h"

#include <gtest/gtest.h>

#include <array>

namespace {

// Rows are only compared by address here; they are never dereferenced.
struct FakeRows
{
    std::array<char, 3> storage {};
    CMilledPart* Row(size_t i) { return reinterpret_cast<CMilledPart*>(&storage[i]); }
};

std::shared_ptr<GridSourceRowsHint> GridSourceWithCode(UpdateHint& hint, int index, int32_t code)
{
    auto rows = hint.GetGridSourceRowsForEdit(index);
    rows->SetRowChangeCode(code);
    return rows;
}

} // namespace

TEST(UpdateHint, ResetToDefaultOnFreshHint)
{
    UpdateHint hint(0, 0);
    hint.ResetToDefault();
    EXPECT_EQ(hint.GetChangeFlags(), 0x801749u);
    EXPECT_EQ(hint.GetDetailFlags(), ~uint64_t { 0 });
    EXPECT_EQ(hint.GetExtraFlags(), 0u);
    EXPECT_FALSE(hint.GetChangeFlags() & 0x80000);
    EXPECT_FALSE(hint.GetChangeFlags() & 0x100000);
}

TEST(UpdateHint, ChangeBitTests)
{
    struct Case
    {
        uint64_t bit;
        bool (UpdateHint::*test)() const;
    };
    const Case cases[] = {
        { 0x1, &UpdateHint::HasChange0001 },
        { 0x8, &UpdateHint::HasChange0008 },
        { 0x40, &UpdateHint::HasChange0040 },
        { 0x100, &UpdateHint::HasChange0100 },
        { 0x200, &UpdateHint::HasChange0200 },
        { 0x400, &UpdateHint::HasChange0400 },
        { 0x1000, &UpdateHint::HasChange1000 },
        { 0x80000, &UpdateHint::HasChange80000 },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.bit);
        EXPECT_TRUE((UpdateHint(c.bit, 0).*c.test)());
        EXPECT_FALSE((UpdateHint(~c.bit, 0).*c.test)());
    }
    for (uint64_t bit : { 0x40, 0x100, 0x200, 0x400, 0x1000 })
        EXPECT_TRUE(UpdateHint(bit, 0).HasChange1740()) << bit;
    EXPECT_FALSE(UpdateHint(0x801749 & ~uint64_t { 0x1740 }, 0).HasChange1740());
}

TEST(UpdateHint, MergeOrsChangeAndDetailButNotExtra)
{
    UpdateHint pending(0x1, 0x2);
    UpdateHint command(0x8, 0x4000);
    command.AddExtraFlags(0x4);
    pending.Merge(command);
    EXPECT_EQ(pending.GetChangeFlags(), 0x9u);
    EXPECT_EQ(pending.GetDetailFlags(), 0x4002u);
    EXPECT_EQ(pending.GetExtraFlags(), 0u);
}

TEST(UpdateHint, LastMergedRowListWins)
{
    FakeRows rows;
    UpdateHint pending(0, 0);
    UpdateHint first(0, 0);
    first.GetPartRows()->SetRowsGiven(true);
    first.GetPartRows()->SetRows({ rows.Row(0), rows.Row(1) });
    UpdateHint second(0, 0);
    second.GetPartRows()->SetRowsGiven(true);
    second.GetPartRows()->SetRows({ rows.Row(2) });
    UpdateHint withoutList(0, 0);
    withoutList.GetPartRows(); // present but says nothing about rows

    pending.Merge(first);
    pending.Merge(second);
    pending.Merge(withoutList);
    ASSERT_TRUE(pending.PeekPartRows());
    EXPECT_TRUE(pending.PeekPartRows()->AreRowsGiven());
    EXPECT_EQ(pending.PeekPartRows()->GetRows(), std::vector<CMilledPart*> { rows.Row(2) });
}

TEST(UpdateHint, MarkAllPartRowsGivesEmptyListThatClearsSelection)
{
    FakeRows rows;
    UpdateHint pending(0, 0);
    pending.GetPartRows()->SetRows({ rows.Row(0) });
    UpdateHint command(0, 0);
    command.MarkAllPartRows();
    pending.Merge(command);
    EXPECT_TRUE(pending.PeekPartRows()->AreRowsGiven());
    EXPECT_TRUE(pending.PeekPartRows()->GetRows().empty());
}

TEST(UpdateHint, RowChangeCodesCopyOnlyWhenSet)
{
    UpdateHint pending(0, 0);
    UpdateHint inserted(0, 0);
    inserted.MarkPartRowsChanged();
    UpdateHint silent(0, 0);
    silent.GetPartRows(); // code 0
    pending.Merge(inserted);
    pending.Merge(silent);
    EXPECT_EQ(pending.PeekPartRows()->GetRowChangeCode(), 1);
    EXPECT_FALSE(pending.PeekPartRows()->AreRowsGiven());
}

TEST(UpdateHint, OnlySecondGridSourceEntryAndNoTakeOffRowsMerge)
{
    UpdateHint pending(0, 0);
    UpdateHint command(0, 0);
    GridSourceWithCode(command, 0, 2)->SetRowsGiven(true);
    GridSourceWithCode(command, 1, 2)->SetRowsGiven(true);
    command.GetTakeOffRowsForEdit()->SetRowsGiven(true);
    pending.Merge(command);
    EXPECT_FALSE(pending.PeekGridSourceRows(0));
    ASSERT_TRUE(pending.PeekGridSourceRows(1));
    EXPECT_EQ(pending.PeekGridSourceRows(1)->GetRowChangeCode(), 2);
    EXPECT_TRUE(pending.PeekGridSourceRows(1)->AreRowsGiven());
    EXPECT_FALSE(pending.PeekTakeOffRows());
    EXPECT_FALSE(command.GetGridSourceRowsForEdit(2));
}

TEST(UpdateHint, PayloadReplacedOnlyByAHintThatHasOne)
{
    auto mine = std::make_shared<ManualUpdateInfo>();
    auto theirs = std::make_shared<DefaultUpdateInfo>();
    UpdateHint pending(0, 0);
    pending.SetDomainUpdateInfo(mine);

    pending.Merge(UpdateHint(0x1, 0));
    EXPECT_EQ(pending.GetDomainUpdateInfo(), mine);

    UpdateHint carrying(0, 0);
    carrying.SetDomainUpdateInfo(theirs);
    pending.Merge(carrying);
    EXPECT_EQ(pending.GetDomainUpdateInfo(), theirs);
}

TEST(UpdateHint, ClearDropsMasksAndRowsButKeepsPayload)
{
    auto info = std::make_shared<NullUpdateInfo>();
    UpdateHint hint(0x801749, 0xFF);
    hint.AddExtraFlags(0x2);
    hint.MarkAllPartRows();
    hint.GetSheetGoodRowsForEdit();
    hint.GetSizeCostRowsForEdit();
    hint.GetGridSourceRowsForEdit(0);
    hint.GetGridSourceRowsForEdit(1);
    hint.GetTakeOffRowsForEdit();
    hint.SetDomainUpdateInfo(info);

    hint.Clear();
    EXPECT_EQ(hint.GetChangeFlags(), 0u);
    EXPECT_EQ(hint.GetDetailFlags(), 0u);
    EXPECT_EQ(hint.GetExtraFlags(), 0u);
    EXPECT_FALSE(hint.PeekPartRows());
    EXPECT_FALSE(hint.GetSheetGoodRows());
    EXPECT_FALSE(hint.GetSizeCostRows());
    EXPECT_FALSE(hint.PeekGridSourceRows(0));
    EXPECT_FALSE(hint.PeekGridSourceRows(1));
    EXPECT_FALSE(hint.PeekTakeOffRows());
    EXPECT_EQ(hint.GetDomainUpdateInfo(), info);
}

// The steps of one compound name their diagrams in turn; the last one named
// is shown, and a sent hint names none for the next step.
TEST(UpdateHint, TheLastDiagramToShowMergesAndClearDropsIt)
{
    UpdateHint pending(0, 0);
    UpdateHint first(0, 0x4000);
    UpdateHint second(0, 0x4000);
    const auto a
        = std::shared_ptr<DisplayDiagram>(reinterpret_cast<DisplayDiagram*>(0x10), [](DisplayDiagram*) {});
    const auto b
        = std::shared_ptr<DisplayDiagram>(reinterpret_cast<DisplayDiagram*>(0x20), [](DisplayDiagram*) {});
    first.SetDiagramToShow(a);
    second.SetDiagramToShow(b);
    pending.Merge(first);
    EXPECT_EQ(pending.GetDiagramToShow(), a);
    pending.Merge(second);
    pending.Merge(UpdateHint(0x1, 0));
    EXPECT_EQ(pending.GetDiagramToShow(), b);
    pending.Clear();
    EXPECT_FALSE(pending.GetDiagramToShow());
}

TEST(DomainUpdateInfo, AnswersOfTheThreeFoundationPayloads)
{
    using Answers = std::array<bool, 14>;
    auto answers = [](const DomainUpdateInfo& i) {
        return Answers { i.HasChanges(), i.Query2(), i.UpdatesMaterialInBOM(), i.AffectsTarget(nullptr),
            i.Query5(nullptr), i.InventoryUsageChanged(), i.Query7(), i.Query8(), i.Query9(),
            i.InventoryFirstChanged(), i.AffectsMaterial(nullptr), i.NeedsBOMRefresh(), i.Query13(),
            i.NeedsRebuild() };
    };
    EXPECT_EQ(answers(DefaultUpdateInfo()),
        (Answers { true, true, false, true, false, true, true, true, true, true, false, true, true, true }));
    EXPECT_EQ(answers(NullUpdateInfo()), Answers {});

    ManualUpdateInfo manual;
    EXPECT_EQ(answers(manual), Answers {});
    manual.SetFlag1(true);
    manual.SetFlag4(true);
    manual.SetFlag6(true);
    manual.SetFlag7(true);
    manual.SetFlag10(true);
    manual.SetFlag12(true);
    EXPECT_EQ(answers(manual),
        (Answers {
            true, false, false, true, false, true, true, false, false, true, false, true, false, false }));
}
