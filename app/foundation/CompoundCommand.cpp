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

void CompoundCommand::Undo()
{
    for (auto it = m_children.rbegin(); it != m_children.rend(); ++it)
        UndoCommand(**it);
}

void CompoundCommand::Redo()
{
    for (const auto& child : m_children)
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
