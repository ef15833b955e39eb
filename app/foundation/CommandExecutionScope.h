#pragma once

#include <memory>

class CmdHistory;
class CommandBase;

// Holds the command whose end a scope dispatches.
class ICmdWrapper
{
public:
    virtual ~ICmdWrapper() = default;
    virtual CommandBase* GetCommand() const = 0;
};

class CmdWrapperRef : public ICmdWrapper
{
public:
    explicit CmdWrapperRef(CommandBase* command)
        : m_command(command)
    { }
    CommandBase* GetCommand() const override { return m_command; }

private:
    CommandBase* m_command;
};

class CmdWrapperSP : public ICmdWrapper
{
public:
    explicit CmdWrapperSP(std::shared_ptr<CommandBase> command)
        : m_command(std::move(command))
    { }
    CommandBase* GetCommand() const override { return m_command.get(); }

private:
    std::shared_ptr<CommandBase> m_command;
};

// A running group of commands. While a caller holds it, commands join one
// compound and the views hear nothing; releasing the last copy ends the scope
// and sends the update once.
class CommandExecutionScope
{
public:
    CommandExecutionScope(std::weak_ptr<CmdHistory> history, std::unique_ptr<ICmdWrapper> wrapper);
    ~CommandExecutionScope();

    CommandExecutionScope(const CommandExecutionScope&) = delete;
    CommandExecutionScope& operator=(const CommandExecutionScope&) = delete;

private:
    std::weak_ptr<CmdHistory> m_history;
    std::unique_ptr<ICmdWrapper> m_wrapper;
};
