// Pinned layouts survive the re-optimization of their target in the real
// project document with the real optimizer, and withhold their sheets from it.
#include "ManualTestStrings.h"
#include "ProjectDocumentFixture.h"

#include "foundation/CmdHistory.h"
#include "model/CMilledPart.h"
#include "model/PartCommands.h"
#include "optimization/MaterialBOM.h"
#include "optimization/manual/PinCommands.h"
#include "optimization/manual/PrepareForManualEditingCmd.h"

#include <gtest/gtest.h>

namespace {

struct Layout
{
    int style = 0;
    bool pinned = false;
    std::uint32_t count = 0;
    std::vector<std::pair<CMilledPart*, platform::Rect>> parts;
    friend bool operator==(const Layout&, const Layout&) = default;
};

Layout LayoutOf(const StackPtr& stack)
{
    Layout layout { stack->GetCurrentGeoStyle(), stack->IsPinned(), stack->GetCount(), {} };
    for (const DrawnPartPtr& drawn : stack->GetCurrentParts())
        layout.parts.emplace_back(drawn->GetPart(), drawn->GetSheetRect());
    return layout;
}

class PinnedReoptimizationTest : public ProjectDocumentTest
{
protected:
    void SetUp() override
    {
        ProjectDocumentTest::SetUp();
        m_prefs.prefs->SetFlag(2034, false);
        m_row = m_oak->GetSizeCosts().front();
        m_row->SetInventory(6);
        m_row->SetCanBuyMore(false);
        // Every part takes a sheet of its own.
        m_a = Append(m_oak, 40, 90, 3, QStringLiteral("Side"));
        m_b = Append(m_oak, 41, 91, 1, QStringLiteral("Top"));
        m_c = Append(m_oak, 39, 89, 2, QStringLiteral("Shelf"));
        RunJobs(*m_doc);
        GetCmdHistory()->Clear();
    }

    // The document's fixture installed its own string tables.
    void TearDown() override
    {
        ProjectDocumentTest::TearDown();
        InstallManualTestStrings(m_languageFolder.path());
    }

    const StackList& Stacks() const
    {
        const auto bom = std::dynamic_pointer_cast<IOptimizedMaterialBOM>(
            m_doc->GetBOMOptMgr()->GetSheetGoodsBOM()->FindLineItemByName(QStringLiteral("Oak")));
        return bom->GetResultsList().front()->GetStacks();
    }

    StackPtr StackShowing(const CMilledPart* part) const
    {
        for (const StackPtr& stack : Stacks())
            if (StackShowsPart(part, *stack))
                return stack;
        return nullptr;
    }

    std::uint32_t UnpinnedSheets() const
    {
        std::uint32_t sheets = 0;
        for (const StackPtr& stack : Stacks())
            if (stack->IsNotPinned())
                sheets += stack->GetCount();
        return sheets;
    }

    void EditCopiesOfC(std::uint32_t copies)
    {
        auto values = std::unique_ptr<CMilledPart>(m_c->Clone());
        values->SetCopies(copies);
        GetCmdHistory()->Add(std::make_shared<CPartEdit>(m_c, std::move(values)));
    }

    std::shared_ptr<ISGSC> m_row;
    CMilledPart* m_a = nullptr;
    CMilledPart* m_b = nullptr;
    CMilledPart* m_c = nullptr;
};

} // namespace

TEST_F(PinnedReoptimizationTest, PinnedLayoutsComeBackUnchangedAndKeepTheirSheets)
{
    ASSERT_TRUE(m_doc->IsFullyOptimized());
    ASSERT_EQ(UnpinnedSheets(), 6U);
    const StackPtr sides = StackShowing(m_a);
    const StackPtr top = StackShowing(m_b);
    ASSERT_TRUE(sides && top);
    ASSERT_EQ(sides->GetCount(), 3U);

    // One of the three identical sheets pinned, the other diagram converted.
    const auto pin = std::make_shared<PinDiagramCmd>(sides, 1);
    GetCmdHistory()->Add(pin);
    const StackPtr pinned = pin->GetEditedStack();
    ASSERT_NE(pinned, sides);
    const auto convert = std::make_shared<PrepareForManualEditingCmd>(top, 0);
    GetCmdHistory()->Add(convert);
    const StackPtr manual = convert->GetEditedStack();
    EXPECT_TRUE(m_doc->IsModified());
    const Layout pinnedBefore = LayoutOf(pinned);
    const Layout manualBefore = LayoutOf(manual);
    EXPECT_EQ(manualBefore.style, 5);
    EXPECT_EQ(m_doc->GetPinnedUsage().GetPinnedCount(m_row.get()), 2U);

    // More shelves than the sheets left: the pinned two are not offered.
    EditCopiesOfC(3);
    ASSERT_FALSE(m_doc->IsFullyOptimized());
    RunJobs(*m_doc);
    ASSERT_TRUE(m_doc->IsFullyOptimized());
    const StackList& after = Stacks();
    EXPECT_EQ(std::count(after.begin(), after.end(), pinned), 1);
    EXPECT_EQ(std::count(after.begin(), after.end(), manual), 1);
    EXPECT_EQ(LayoutOf(pinned), pinnedBefore);
    EXPECT_EQ(LayoutOf(manual), manualBefore);
    EXPECT_EQ(UnpinnedSheets(), 4U) << "the inventory less the pinned sheets";
    EXPECT_EQ(m_c->GetUnplacedCopies(), 1U);
    EXPECT_EQ(m_doc->GetPinnedUsage().GetPinnedCount(m_row.get()), 2U);

    // Unpinned, the two sheets are offered again.
    GetCmdHistory()->Add(std::make_shared<UnpinAllDiagramsCmd>());
    EXPECT_EQ(m_doc->GetPinnedUsage().GetPinnedCount(m_row.get()), 0U);
    RunJobs(*m_doc);
    EXPECT_EQ(UnpinnedSheets(), 6U);
    EXPECT_EQ(m_c->GetUnplacedCopies() + m_a->GetUnplacedCopies() + m_b->GetUnplacedCopies(), 1U);
}
