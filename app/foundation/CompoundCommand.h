#pragma once

#include "foundation/CommandBase.h"

#include <memory>
#include <vector>

// One undo step: every command recorded while one outer operation ran,
// undone last first and redone first first.
class CompoundCommand : public CommandBase
{
public:
    explicit CompoundCommand(const QString& name);

    QString GetName() const override { return m_name; }
    void SetTarget(IDoc* target) override;
    // The children already ran when they were added.
    void Execute() override { }
    void Undo() override;
    void Redo() override;
    bool CanUndo() const override;
    bool CanRedo() const override;

    void Append(std::shared_ptr<CommandBase> command) { m_children.push_back(std::move(command)); }
    // Takes back a child whose execution failed; true when it was found.
    bool Remove(const CommandBase* command);
    bool IsEmpty() const { return m_children.empty(); }
    // Set when a child was taken back after its execution failed.
    void MarkFailedChild() { m_hadFailedChild = true; }
    bool HadFailedChild() const { return m_hadFailedChild; }
    const std::vector<std::shared_ptr<CommandBase>>& GetChildren() const { return m_children; }

private:
    QString m_name;
    std::vector<std::shared_ptr<CommandBase>> m_children;
    bool m_hadFailedChild = false;
};
