#pragma once
// The base of every command that edits one diagram. A stack of identical
// sheets stands for several sheets; an edit of one of them must leave the
// others alone, so the edited copy is split off into a stack of its own
// before the edit (unless identical sheets are shown as one) and merged back
// when the edit is undone.

#include "foundation/CommandBase.h"
#include "optimization/IdenticalDiagramStack.h"

#include <cstdint>
#include <memory>

class BOMOptMgr;

class SpawningDiagramCmdBase : public CommandBase
{
public:
    // The stack of the diagram shown and the index of the copy the user sees.
    SpawningDiagramCmdBase(StackPtr stack, int copyIndex);
    ~SpawningDiagramCmdBase() override;

    // Runs Execute again, from the state the undo left.
    void Redo() override { Execute(); }

    // The split-off stack while the command is done and split, else the stack.
    StackPtr GetEditedStack() const { return m_spawnedStack ? m_spawnedStack : m_stack; }
    const StackPtr& GetStack() const { return m_stack; }
    const StackPtr& GetSpawnedStack() const { return m_spawnedStack; }
    int GetCopyIndex() const { return m_copyIndex; }

protected:
    // Splits the shown copy off when its stack holds several copies and the
    // identical sheets are shown one by one.
    virtual void SpawnIfStacked();
    // Splits count copies off the stack and lists the new stack in the results.
    void SpawnCopies(std::uint32_t count);
    // Undoes SpawnCopies.
    void MergeSpawnedBack();
    // The layouts window shows the edited copy after the command...
    void PointHintAtEditedDiagram();
    // ...and the copy the user saw after an undo.
    void PointHintAtShownCopy();

    // Null when the command has no project document (then Execute does nothing).
    std::shared_ptr<BOMOptMgr> GetManager() const;

private:
    StackPtr m_stack;
    std::int32_t m_copyIndex;
    StackPtr m_spawnedStack;
};
