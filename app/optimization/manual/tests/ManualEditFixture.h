#pragma once
// A project of one target (Oak, 3/4 inch, one stock size) optimized into
// hand-made stacks, with the command history running on a document that
// holds the real optimization manager; and a snapshot of everything a layout
// edit may change, to compare the states before, after, after undo and after
// redo.

#include "FakeOptimizationDoc.h"
#include "ProjectTestFixture.h"

#include "foundation/CmdHistory.h"
#include "foundation/CommandBase.h"
#include "optimization/DisplayDiagram.h"

#include <gtest/gtest.h>

#include <map>
#include <optional>
#include <ostream>
#include <vector>

struct DrawnRecord
{
    int number = 0;
    bool rotated = false;
    platform::Rect rect;
    friend bool operator==(const DrawnRecord&, const DrawnRecord&) = default;
};

struct StackState
{
    std::uint32_t count = 0;
    int style = 0;
    bool pinned = false;
    std::vector<DrawnPartFlags> flags;
    std::map<int, std::vector<DrawnRecord>> parts; // per layout style
    std::vector<int> statsStyles;
    friend bool operator==(const StackState&, const StackState&) = default;
};

struct PartState
{
    std::uint32_t handPlaced = 0;
    std::uint32_t optimizerPlaced = 0;
    std::uint32_t draggedOff = 0;
    std::uint32_t skipReason = 0;
    friend bool operator==(const PartState&, const PartState&) = default;
};

// What a layout edit may change, compared by value: stacks in results order.
struct World
{
    std::vector<StackState> stacks;
    std::size_t pinnedLayouts = 0; // in the target's pinned list
    std::uint32_t pinnedSheets = 0; // of the stock size
    bool materialPinned = false;
    std::vector<PartState> parts;
    friend bool operator==(const World&, const World&) = default;
};

inline std::ostream& operator<<(std::ostream& out, const World& world)
{
    out << "pinned layouts " << world.pinnedLayouts << ", sheets " << world.pinnedSheets << ", material "
        << world.materialPinned << "; stacks:";
    for (const StackState& stack : world.stacks) {
        out << " [count " << stack.count << " style " << stack.style << " pinned " << stack.pinned
            << " flags " << stack.flags.size() << " styles";
        for (const auto& [style, parts] : stack.parts)
            out << ' ' << style << ':' << parts.size();
        out << ']';
    }
    out << "; parts:";
    for (const PartState& part : world.parts)
        out << " (" << part.handPlaced << '/' << part.optimizerPlaced << '/' << part.draggedOff << '/'
            << part.skipReason << ')';
    return out;
}

class ManualEditTest : public ProjectTest
{
protected:
    void SetUp() override
    {
        ProjectTest::SetUp();
        m_oak = AddMaterial(QStringLiteral("Oak"));
        m_row = AddRow(*m_oak, 0.75, 48, 96);
        m_doc.bom = m_bom;
        CreateCmdHistory(&m_doc);
    }

    void TearDown() override
    {
        CreateCmdHistory(nullptr);
        ProjectTest::TearDown();
    }

    // A part of the target with its copies; none placed yet.
    CMilledPart* NewPart(std::uint32_t copies)
    {
        CMilledPart* part = AddPart(m_oak, Inches(0.75), copies);
        m_bom->AddPart(part);
        m_target = TargetOf(part);
        return part;
    }

    // count identical sheets with the parts side by side, in the five
    // optimizer styles; the parts count them as placed by the optimizer.
    StackPtr NewStack(std::vector<CMilledPart*> parts, std::uint32_t count)
    {
        StockSpec stock { m_oak, m_row, 0 };
        DrawnPartList drawn;
        double x = 0;
        for (CMilledPart* part : parts) {
            drawn.push_back(Drawn(part, x, 0, 10, 20));
            part->SetOptimizerPlacedCopies(part->GetOptimizerPlacedCopies() + count);
            x += 12;
        }
        return MakeStack(stock, drawn, count, { 0, 1, 2, 3, 4 });
    }

    OptimizationResultsPtr Optimize(const StackList& stacks)
    {
        m_results = Optimized(m_target, stacks);
        return m_results;
    }

    // The stack as Convert to Manual Edit leaves it: style 5 shown, pinned.
    void MakeManual(const StackPtr& stack)
    {
        stack->GetDiagram()->PrepareManualGeometry(stack->GetCurrentGeoStyle());
        stack->SetCurrentGeoStyle(GeometryStyles::ManualEdit);
        m_bom->PinDiagram(stack);
    }

    World Snapshot() const
    {
        World world;
        for (const StackPtr& stack : m_results->GetStacks()) {
            StackState state;
            state.count = stack->GetCount();
            state.style = stack->GetCurrentGeoStyle();
            state.pinned = stack->IsPinned();
            state.flags = stack->GetAllCopyFlags();
            for (const auto& [style, parts] : *stack->GetDiagram()->GetAltGeometries())
                for (const DrawnPartPtr& drawn : parts)
                    state.parts[style].push_back(
                        { drawn->GetPart()->GetID().GetNumber(), drawn->IsRotated(), drawn->GetSheetRect() });
            for (const auto& entry : stack->GetDiagram()->GetGeoStatsList())
                state.statsStyles.push_back(entry.first);
            world.stacks.push_back(state);
        }
        world.pinnedLayouts = m_target->GetPinnedLayouts().size();
        world.pinnedSheets = m_bom->GetPinnedUsage().GetPinnedCount(m_row.get());
        world.materialPinned = m_bom->GetPinnedUsage().IsMaterialPinned(m_oak.get());
        for (const auto& part : m_parts)
            world.parts.push_back({ part->GetHandPlacedCopies(), part->GetOptimizerPlacedCopies(),
                part->GetDraggedOffCopies(), part->GetSkippedPartInfo().GetReason() });
        return world;
    }

    // The stack's place in the results (which sort their stacks).
    int IndexOf(const StackPtr& stack) const
    {
        const StackList& stacks = m_results->GetStacks();
        const auto it = std::find(stacks.begin(), stacks.end(), stack);
        return it == stacks.end() ? -1 : static_cast<int>(it - stacks.begin());
    }

    // The diagram the command's hint names, as (index in the results, copy).
    std::pair<int, int> Shown(const CommandBase& command) const
    {
        const auto shown = command.GetUpdateHint().GetDiagramToShow();
        if (!shown)
            return { -1, -1 };
        const StackList& stacks = m_results->GetStacks();
        const auto it = std::find(stacks.begin(), stacks.end(), shown->GetStack());
        return { it == stacks.end() ? -2 : static_cast<int>(it - stacks.begin()), shown->GetCopyIndex() };
    }

    // Runs the command through the history, undoes and redoes it: the undo
    // gives back the world as it was, the redo the world after the first run.
    // done checks the world after the run and after the redo.
    // shownAfterUndo: where the undo's hint points, as Shown gives it.
    template <class Check>
    void DoUndoRedo(const std::shared_ptr<CommandBase>& command, Check done,
        std::optional<std::pair<int, int>> shownAfterUndo = std::nullopt)
    {
        const World before = Snapshot();
        GetCmdHistory()->Add(command);
        {
            SCOPED_TRACE("done");
            EXPECT_TRUE(m_doc.modified);
            done(Snapshot());
        }
        const World after = Snapshot();
        HistoryUndo();
        EXPECT_EQ(Snapshot(), before) << "undone";
        if (shownAfterUndo) {
            EXPECT_EQ(Shown(*command), *shownAfterUndo) << "undone";
        }
        HistoryRedo();
        EXPECT_EQ(Snapshot(), after) << "redone";
        SCOPED_TRACE("redone");
        done(Snapshot());
    }

    std::shared_ptr<CSheetGoodEx> m_oak;
    std::shared_ptr<ISGSC> m_row;
    OptimizationTargetPtr m_target;
    OptimizationResultsPtr m_results;
    FakeOptimizationDoc m_doc;
};

// The command tests run with "Hide Layout Dupes" off and on.
class ManualEditCmdTest : public ManualEditTest, public ::testing::WithParamInterface<bool>
{
protected:
    void SetUp() override
    {
        ManualEditTest::SetUp();
        m_prefs.prefs->SetFlag(2034, HideDupes());
    }
    static bool HideDupes() { return GetParam(); }
};
