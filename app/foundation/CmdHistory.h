#pragma once

#include "foundation/CommandExecutionScope.h"
#include "foundation/CompoundCommand.h"

#include <QString>

#include <cstdint>
#include <list>
#include <memory>

class IDoc;
class QObject;

// The one undo history of the program. Every edit runs through Add; undo and
// redo act on whole steps. The position lies between the steps that are done
// (before it) and those that were undone (from it on).
class CmdHistory : public std::enable_shared_from_this<CmdHistory>
{
public:
    explicit CmdHistory(IDoc* target);
    virtual ~CmdHistory();

    CmdHistory(const CmdHistory&) = delete;
    CmdHistory& operator=(const CmdHistory&) = delete;

    virtual void Add(std::shared_ptr<CommandBase> command);

    bool CanUndo() const { return m_position != m_steps.begin(); }
    bool CanRedo() const { return m_position != m_steps.end(); }

    bool IsExecuting() const { return m_depth != 0; }
    int32_t GetDepth() const { return m_depth; }

    std::shared_ptr<CommandExecutionScope> OpenNamedScope(const QString& name);
    std::shared_ptr<CommandExecutionScope> OpenUnrecordedScope(
        uint64_t changeMask, uint64_t detailMask, std::shared_ptr<DomainUpdateInfo> info);

    void Clear();
    void DropOpenCompound();

    IDoc* GetTarget() const { return m_target; }
    size_t GetStepCount() const { return m_steps.size(); }
    std::shared_ptr<CompoundCommand> GetOpenCompound() const { return m_openCompound; }

private:
    friend void ExecuteCommand(CommandBase& command);
    friend void UndoCommand(CommandBase& command);
    friend void RedoCommand(CommandBase& command);
    friend class CommandExecutionScope;
    friend void HistoryUndo();
    friend void HistoryRedo();
    friend QString GetUndoMenuText();
    friend QString GetRedoMenuText();

    using StepList = std::list<std::shared_ptr<CompoundCommand>>;

    void RecordCommand(const std::shared_ptr<CommandBase>& command);
    void BeginCompound(const QString& name, bool kept);
    std::shared_ptr<CommandExecutionScope> OpenScope(
        uint64_t changeMask, uint64_t detailMask, std::shared_ptr<DomainUpdateInfo> info);
    void ForgetFailedCommand(const CommandBase* command);
    // An open step left empty because its commands failed is no step at all.
    void DropEmptiedOpenCompound();
    // The step's undo or redo was cancelled: the position goes back to
    // before it (toBeRedone) or after it.
    void PutBackCancelledStep(const std::shared_ptr<CompoundCommand>& step, bool toBeRedone);
    static void Run(CommandBase& command, void (CommandBase::*operation)(), CommandBase::State done);
    void EndCommandExecution(ICmdWrapper& wrapper);

    IDoc* m_target;
    StepList m_steps;
    StepList::iterator m_position;
    std::shared_ptr<CompoundCommand> m_openCompound;
    int32_t m_depth = 0;
};

// The global history: the document makes a new one for itself.
void CreateCmdHistory(IDoc* target);
CmdHistory* GetCmdHistory();

// The view's Undo and Redo: act on the step before or at the position of the
// global history; nothing when there is none or it refuses.
void HistoryUndo();
void HistoryRedo();
// The Edit-menu texts: "&Undo <step name>\tCtrl+Z", or "Can't Undo" (and the same for Redo).
QString GetUndoMenuText();
QString GetRedoMenuText();

// Run one command with its update dispatch, inside the global history's depth.
void ExecuteCommand(CommandBase& command);
void UndoCommand(CommandBase& command);
void RedoCommand(CommandBase& command);

// Forwards a command's payload and hint to the document; the views hear of it
// once the outermost run has ended.
void DispatchUpdateAfterExecution(IDoc* document, CommandBase& command);

// "&Undo\tCtrl+Z" with name N gives "&Undo N\tCtrl+Z".
QString ComposeMenuText(const QString& menuTemplate, const QString& name);

// Turns the framework's document object into the project's document.
class IDynamicDocConverter
{
public:
    virtual ~IDynamicDocConverter() = default;
    virtual IDoc* Convert(QObject* document) = 0;
    virtual IDoc* ConvertDocument(QObject* document) = 0;
};

void SetDocConverter(std::shared_ptr<IDynamicDocConverter> converter);
// Null while no converter is installed.
IDoc* InvokeDocConverter(QObject* document);
