#pragma once
// Converts the shown diagram to the Manual Edit layout style before its first
// hand edit: the parts of the style shown become the Manual Edit layout, and
// the diagram is pinned so that a re-optimization keeps it.

#include "optimization/manual/SpawningDiagramCmdBase.h"

#include <cstdint>

class PrepareForManualEditingCmd : public SpawningDiagramCmdBase
{
public:
    PrepareForManualEditingCmd(StackPtr stack, int copyIndex);

    QString GetName() const override;
    void Execute() override;
    void Undo() override;

    int GetPreviousStyle() const { return m_previousStyle; }
    bool IsPinnedByCommand() const { return m_pinnedByCommand != 0; }

private:
    std::int32_t m_previousStyle;
    // Set on every run from the pinned state found, so that an undo unpins
    // only a diagram this run pinned, never one the user pinned.
    std::uint8_t m_pinnedByCommand = 0;
};

// Lets the results' layout style switch make this command (call once at start-up).
void RegisterManualEditingCommands();
