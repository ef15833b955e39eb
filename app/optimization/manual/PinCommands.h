#pragma once
// Pinning: a pinned layout diagram survives re-optimization, and the sheets
// it uses are withheld from the stock the next optimization may use. The
// optimization manager keeps the books; these commands make pinning
// undoable.

#include "foundation/CommandBase.h"
#include "optimization/IdenticalDiagramStack.h"
#include "optimization/manual/SpawningDiagramCmdBase.h"

#include <cstdint>
#include <memory>
#include <vector>

class BOMOptMgr;
class CMilledPart;
class IOptimizableMaterial;

// Pins the shown copy (split off its stack first when identical sheets are
// shown one by one).
class PinDiagramCmd : public SpawningDiagramCmdBase
{
public:
    PinDiagramCmd(StackPtr stack, int copyIndex);

    QString GetName() const override;
    void Execute() override;
    void Undo() override;
};

// Unpins the shown copy and sends its target back for optimization.
class UnpinDiagramCmd : public SpawningDiagramCmdBase
{
public:
    UnpinDiagramCmd(StackPtr stack, int copyIndex);

    QString GetName() const override;
    void Execute() override;
    void Undo() override;
};

// Unpins every pinned diagram that shows one of the parts, each once: the
// user agreed to it before an edit of the parts that the pins would block.
class UnpinDiagramsWithPartCmd : public CommandBase
{
public:
    explicit UnpinDiagramsWithPartCmd(CMilledPart* part);
    explicit UnpinDiagramsWithPartCmd(std::vector<CMilledPart*> parts);

    QString GetName() const override;
    void Execute() override;
    void Undo() override;
    void Redo() override { Execute(); }

    // Every stack the command unpinned, in the order it found them.
    const StackList& GetUnpinnedStacks() const { return m_unpinnedStacks; }

private:
    std::vector<CMilledPart*> m_parts; // not owned
    StackList m_unpinnedStacks;
};

// Pin All and Unpin All over a scope: the whole project (0), given stacks
// (1), the stacks the manager collects for a flag (2), or a material's (3).
// The list is settled at the first execution, so undo and redo work on the
// same stacks whatever happened to pinning in between. Stacks are pinned
// whole: nothing is split.
class PinScopeCmdBase : public CommandBase
{
public:
    enum Scope : std::int32_t { Project = 0, GivenStacks = 1, ByFlag = 2, OfMaterial = 3 };

    void Redo() override { Execute(); }

    const StackList& GetStacks() const { return m_stacks; }
    std::int32_t GetScope() const { return m_scope; }

protected:
    // pinned: the command works on pinned stacks (Unpin All), else on the others.
    PinScopeCmdBase(std::uint64_t detailMask, bool pinned);
    // Scope 1: the given stacks whose pinned flag is the one wanted.
    PinScopeCmdBase(std::uint64_t detailMask, bool pinned, const StackList& stacks);
    PinScopeCmdBase(std::uint64_t detailMask, bool pinned, std::uint32_t flag);
    PinScopeCmdBase(std::uint64_t detailMask, bool pinned, std::shared_ptr<IOptimizableMaterial> material);

    // Fills the list on the first execution; given stacks stay as they are.
    void SettleStacks(const BOMOptMgr& manager);

private:
    StackList m_stacks;
    std::int32_t m_scope;
    std::uint32_t m_scopeFlag = 0;
    std::shared_ptr<IOptimizableMaterial> m_scopeMaterial;
    bool m_pinned;
};

class PinAllDiagramsCmd : public PinScopeCmdBase
{
public:
    PinAllDiagramsCmd();
    // The stacks of a target node or of the thumbnails; those not pinned yet.
    explicit PinAllDiagramsCmd(const StackList& stacks);
    explicit PinAllDiagramsCmd(std::uint32_t flag);
    explicit PinAllDiagramsCmd(std::shared_ptr<IOptimizableMaterial> material);

    QString GetName() const override;
    void Execute() override;
    void Undo() override;
};

class UnpinAllDiagramsCmd : public PinScopeCmdBase
{
public:
    UnpinAllDiagramsCmd();
    // The stacks of a target node or of the thumbnails; those pinned.
    explicit UnpinAllDiagramsCmd(const StackList& stacks);
    explicit UnpinAllDiagramsCmd(std::uint32_t flag);
    explicit UnpinAllDiagramsCmd(std::shared_ptr<IOptimizableMaterial> material);

    QString GetName() const override;
    void Execute() override;
    void Undo() override;
};
