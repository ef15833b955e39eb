// The column lists the diagrams in the order of their numbers, so that the
// jump to the diagram numbered n shows thumbnail n.
#include "PaneTestSupport.h"
#include "TargetTestFixture.h"
#include "layouts/ui/ThumbnailsZoneMgr.h"

#include <gtest/gtest.h>

namespace {

constexpr int kHideLayoutDupes = 2034;

TEST_F(TargetTest, ThumbnailPositionsAreTheDiagramNumbers)
{
    auto oak = AddMaterial(QStringLiteral("Oak"));
    AddRow(*oak, 0.75, 48, 96);
    CMilledPart* a = AddPart(oak, Inches(0.75), 10);
    CMilledPart* b = AddPart(oak, Inches(0.75), 10);
    const auto target = Join(a);
    Join(b);
    // Different waste: more parts, less waste. The pinned stack has the
    // most waste of all but the same stock, so it does not lead.
    const StackPtr full = StackFor(target, { a, a, b }, 2);
    const StackPtr half = StackFor(target, { a, b }, 3);
    const StackPtr lone = StackFor(target, { b }, 1);
    lone->Pin(m_usage);
    const StackList stacks { full, lone, half };
    GetDiagramIndex().AddTargetResults(target, stacks);

    FakePageOwner owner;
    ThumbnailsZoneMgr manager(&owner);
    for (const bool hide : { false, true }) {
        SCOPED_TRACE(hide);
        m_prefs.prefs->SetFlag(kHideLayoutDupes, hide);
        ThumbnailChoice choice;
        manager.SetDiagrams(choice, stacks, nullptr, 3);
        ASSERT_EQ(manager.GetThumbnailCount(), hide ? 3 : 6);
        for (CMilledPart* part : { a, b }) {
            const DiagramPartEntry* entry = GetDiagramIndex().FindPartEntry(part);
            ASSERT_TRUE(entry);
            for (const int number : GetDiagramIndex().GetPartDiagramNumbers(*entry)) {
                const DisplayDiagramPtr shown = manager.GetDiagram(number - 1);
                ASSERT_TRUE(shown);
                EXPECT_TRUE(StackShowsPart(part, *shown->GetStack())) << number;
            }
        }
    }
}

} // namespace
