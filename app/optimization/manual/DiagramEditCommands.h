#pragma once
// The hand edits of one layout diagram: a placed part moved or turned, taken
// off the diagram, an unplaced part put on it, and an empty diagram dropped.
// The manual edit manager decides beforehand whether an edit is allowed; the
// commands refuse nothing.

#include "optimization/DrawnPart.h"
#include "optimization/OptimizationResults.h"
#include "optimization/OptimizedBOMLineItem.h"
#include "optimization/manual/SpawningDiagramCmdBase.h"

#include <cstdint>
#include <memory>

// A placed part moved or turned on its diagram: only its placement changes.
class PartMoveCmd : public SpawningDiagramCmdBase
{
public:
    // part: the drawn part dragged; newPlacement: its placement after the drag.
    PartMoveCmd(StackPtr stack, int copyIndex, DrawnPartPtr part, DrawnPartPtr newPlacement);

    QString GetName() const override;
    void Execute() override;
    void Undo() override;

    const DrawnPartPtr& GetEditedPart() const { return m_editedPart; }

private:
    DrawnPartPtr m_part;
    DrawnPartPtr m_editedPart;
    DrawnPartPtr m_newPlacement;
    DrawnPart m_oldRecord;
};

// Keeps the diagram's layouts of every style for the undo of an edit that
// leaves it only its Manual Edit layout.
class SavedLayouts
{
public:
    void Save(const Diagram& diagram);
    void Restore(Diagram& diagram) const;

private:
    AltGeometriesPtr m_parts;
    GeoStatsList m_statistics;
};

// A placed part dragged off its diagram: the copies it stood for become
// unplaced (dragged off by hand), and the diagram keeps only its Manual Edit
// layout until the edit is undone.
class PartRemoveCmd : public SpawningDiagramCmdBase
{
public:
    PartRemoveCmd(StackPtr stack, int copyIndex, DrawnPartPtr part);

    QString GetName() const override;
    void Execute() override;
    void Undo() override;

    const DrawnPartPtr& GetEditedPart() const { return m_editedPart; }

private:
    DrawnPartPtr m_part;
    DrawnPartPtr m_editedPart;
    SavedLayouts m_saved;
};

// An unplaced part dropped on a diagram. A stack of more identical sheets
// than the part has unplaced copies is split first, so that the part lands on
// exactly as many sheets as it has copies left to place.
class UnplacedPartDragToDiagramCmd : public SpawningDiagramCmdBase
{
public:
    // part: the drawn part to place, its placement made by the manual edit manager.
    UnplacedPartDragToDiagramCmd(StackPtr stack, int copyIndex, DrawnPartPtr part);

    QString GetName() const override;
    void Execute() override;
    void Undo() override;

protected:
    void SpawnIfStacked() override;

private:
    DrawnPartPtr m_part;
    SavedLayouts m_saved;
    std::uint32_t m_oldSkipReason;
    std::uint32_t m_draggedBack = 0;
};

// Drops a diagram without parts from its results: the whole stack when
// identical sheets are shown as one, else the shown sheet. A pinned diagram
// is unpinned first and pinned again on undo.
class RemoveEmptyDiagramCmd : public SpawningDiagramCmdBase
{
public:
    RemoveEmptyDiagramCmd(StackPtr stack, int copyIndex, OptimizationResultsPtr results);

    QString GetName() const override;
    void Execute() override;
    void Undo() override;

private:
    OptimizationResultsPtr m_results;
    std::uint32_t m_removedCount = 0;
    OptimizedLineItemPtr m_removedEntry;
    int m_removedAt = -1; // the stack's place in its results, for the undo
    std::uint8_t m_wasPinned = 0;
};
