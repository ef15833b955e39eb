#include "foundation/CompoundCommand.h"

#include "foundation/CmdHistory.h"

#include <algorithm>

CompoundCommand::CompoundCommand(const QString& name)
    : CommandBase(0, 0)
    , m_name(name)
{ }

void CompoundCommand::SetTarget(IDoc* target)
{
    CommandBase::SetTarget(target);
    for (const auto& child : m_children)
        child->SetTarget(target);
}

// A child may add a command while it runs, which joins this open step: walk a
// copy of the children, so the list can grow under the loop.
void CompoundCommand::Undo()
{
    const auto children = m_children;
    for (auto it = children.rbegin(); it != children.rend(); ++it)
        UndoCommand(**it);
}

void CompoundCommand::Redo()
{
    const auto children = m_children;
    for (const auto& child : children)
        RedoCommand(*child);
}

bool CompoundCommand::CanUndo() const
{
    return std::all_of(
        m_children.begin(), m_children.end(), [](const auto& child) { return child->CanUndo(); });
}

bool CompoundCommand::CanRedo() const
{
    return std::all_of(
        m_children.begin(), m_children.end(), [](const auto& child) { return child->CanRedo(); });
}

bool CompoundCommand::Remove(const CommandBase* command)
{
    auto it = std::find_if(m_children.begin(), m_children.end(),
        [command](const auto& child) { return child.get() == command; });
    if (it == m_children.end())
        return false;
    m_children.erase(it);
    return true;
}
