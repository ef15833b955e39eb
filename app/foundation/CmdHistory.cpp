#include "foundation/CmdHistory.h"

#include "foundation/IDoc.h"
#include "foundation/ResourceBase.h"
#include "foundation/ScopingCmd.h"
#include "foundation/ThreadAffinity.h"
#include "foundation/UIStringTable.h"

#include <algorithm>
#include <map>
#include <utility>

namespace {

std::shared_ptr<CmdHistory> g_history;
ThreadAffinity g_historyThread;
std::shared_ptr<IDynamicDocConverter> g_docConverter;

// The four menu templates are fetched once and kept for the run; an empty
// answer (no string service yet) is not kept.
QString MenuTemplate(int id)
{
    static std::map<int, QString> cache;
    const auto it = cache.find(id);
    if (it != cache.end())
        return it->second;
    const QString text = LoadUIString(id);
    if (!text.isEmpty())
        cache[id] = text;
    return text;
}

void ForwardDomainUpdateToDocument(IDoc& document, const std::shared_ptr<DomainUpdateInfo>& info)
{
    if (!info)
        return;
    if (!document.IsProjectLocked() && info->HasChanges())
        document.FreezeOrUnlock(info);
    if (info->NeedsBOMRefresh())
        document.RefreshBOM();
    if (!document.IsProjectLocked() && info->UpdatesMaterialInBOM())
        document.UpdateMaterialInBOM(info);
}

} // namespace

// --- global history -----------------------------------------------------

void CreateCmdHistory(IDoc* target)
{
    g_historyThread.Claim();
    g_history = std::make_shared<CmdHistory>(target);
}

CmdHistory* GetCmdHistory()
{
    g_historyThread.Check();
    return g_history.get();
}

void SetDocConverter(std::shared_ptr<IDynamicDocConverter> converter)
{
    g_docConverter = std::move(converter);
}

IDoc* InvokeDocConverter(QObject* document)
{
    return g_docConverter ? g_docConverter->ConvertDocument(document) : nullptr;
}

// --- running one command ------------------------------------------------

void CmdHistory::Run(CommandBase& command, void (CommandBase::*operation)(), CommandBase::State done)
{
    g_historyThread.Check();
    // Keep the history alive for the run even if the command replaces it.
    const std::shared_ptr<CmdHistory> history = g_history;
    CmdWrapperRef wrapper(&command);
    if (history)
        ++history->m_depth;
    command.ClearCancelled();
    try {
        (command.*operation)();
    } catch (...) {
        if (history)
            --history->m_depth;
        DispatchUpdateAfterExecution(command.GetTarget(), command);
        throw;
    }
    command.SetState(done);
    if (history)
        --history->m_depth;
    DispatchUpdateAfterExecution(command.GetTarget(), command);
}

void ExecuteCommand(CommandBase& command)
{
    CmdHistory::Run(command, &CommandBase::Execute, CommandBase::Executed);
}

void UndoCommand(CommandBase& command)
{
    CmdHistory::Run(command, &CommandBase::Undo, CommandBase::Undone);
}

void RedoCommand(CommandBase& command)
{
    CmdHistory::Run(command, &CommandBase::Redo, CommandBase::Redone);
}

void DispatchUpdateAfterExecution(IDoc* document, CommandBase& command)
{
    if (!document)
        return;
    ForwardDomainUpdateToDocument(*document, command.GetUpdateInfo());
    document->AddPendingUpdate(command.GetUpdateHint());
    if (!g_history || !g_history->IsExecuting())
        document->FlushPendingUpdate();
}

// --- the history ----------------------------------------------------------

CmdHistory::CmdHistory(IDoc* target)
    : m_target(target)
    , m_position(m_steps.end())
{ }

CmdHistory::~CmdHistory() = default;

void CmdHistory::Add(std::shared_ptr<CommandBase> command)
{
    if (!command)
        return;
    command->SetTarget(m_target);
    const bool recorded = !command->IsNotRecorded();
    if (recorded)
        RecordCommand(command);
    try {
        ExecuteCommand(*command);
    } catch (...) {
        // An edit that never happened must not be undone later.
        if (recorded)
            ForgetFailedCommand(command.get());
        throw;
    }
    if (recorded && command->IsCancelled())
        ForgetFailedCommand(command.get());
}

void CmdHistory::RecordCommand(const std::shared_ptr<CommandBase>& command)
{
    if (m_depth == 0 || !m_openCompound)
        BeginCompound(command->GetName(), true);
    m_openCompound->Append(command);
}

void CmdHistory::ForgetFailedCommand(const CommandBase* command)
{
    if (!m_openCompound || !m_openCompound->Remove(command))
        return;
    m_openCompound->MarkFailedChild();
    // While a scope is open its compound stays, so that the scope's later
    // commands keep their step; an emptied one goes when the scope ends.
    if (m_depth == 0)
        DropEmptiedOpenCompound();
}

void CmdHistory::DropEmptiedOpenCompound()
{
    if (!m_openCompound || !m_openCompound->IsEmpty() || !m_openCompound->HadFailedChild())
        return;
    if (m_position != m_steps.begin() && *std::prev(m_position) == m_openCompound)
        m_steps.erase(std::prev(m_position));
    m_openCompound.reset();
}

void CmdHistory::BeginCompound(const QString& name, bool kept)
{
    m_steps.erase(m_position, m_steps.end());
    m_position = m_steps.end();

    m_openCompound = std::make_shared<CompoundCommand>(name);
    m_openCompound->SetTarget(m_target);
    m_openCompound->SetState(CommandBase::Executed);
    if (kept)
        m_steps.push_back(m_openCompound); // the position stays at the end, after it
}

namespace {

// An undo or redo that the user cancelled (a lock whose optimization was
// stopped) did not happen: its step goes back where it was, so that the
// menu offers what can still be undone or redone.
bool WasCancelled(const CompoundCommand& step)
{
    const auto& children = step.GetChildren();
    return std::any_of(
        children.begin(), children.end(), [](const auto& child) { return child->IsCancelled(); });
}

} // namespace

void HistoryUndo()
{
    const std::shared_ptr<CmdHistory> history = g_history; // survives a replacement from inside
    if (!history || !history->CanUndo())
        return;
    const auto step = std::prev(history->m_position);
    const std::shared_ptr<CompoundCommand> compound = *step;
    if (!compound->CanUndo())
        return;
    history->m_position = step;
    history->m_openCompound = compound;
    UndoCommand(*compound);
    if (WasCancelled(*compound))
        history->PutBackCancelledStep(compound, false);
}

void HistoryRedo()
{
    const std::shared_ptr<CmdHistory> history = g_history;
    if (!history || !history->CanRedo())
        return;
    const std::shared_ptr<CompoundCommand> compound = *history->m_position;
    if (!compound->CanRedo())
        return;
    ++history->m_position;
    history->m_openCompound = compound;
    RedoCommand(*compound);
    if (WasCancelled(*compound))
        history->PutBackCancelledStep(compound, true);
}

void CmdHistory::PutBackCancelledStep(const std::shared_ptr<CompoundCommand>& step, bool toBeRedone)
{
    const auto it = std::find(m_steps.begin(), m_steps.end(), step);
    if (it == m_steps.end())
        return;
    m_position = toBeRedone ? it : std::next(it);
}

QString GetUndoMenuText()
{
    const CmdHistory* history = g_history.get();
    if (!history || !history->CanUndo())
        return MenuTemplate(UIStringId::CantUndoMenu);
    return ComposeMenuText(MenuTemplate(UIStringId::UndoMenu), (*std::prev(history->m_position))->GetName());
}

QString GetRedoMenuText()
{
    const CmdHistory* history = g_history.get();
    if (!history || !history->CanRedo())
        return MenuTemplate(UIStringId::CantRedoMenu);
    return ComposeMenuText(MenuTemplate(UIStringId::RedoMenu), (*history->m_position)->GetName());
}

QString ComposeMenuText(const QString& menuTemplate, const QString& name)
{
    const qsizetype tab = menuTemplate.indexOf(QLatin1Char('\t'));
    if (tab < 0)
        return menuTemplate + QLatin1Char(' ') + name;
    return menuTemplate.left(tab) + QLatin1Char(' ') + name + menuTemplate.mid(tab);
}

// --- scopes -----------------------------------------------------------------

std::shared_ptr<CommandExecutionScope> CmdHistory::OpenScope(
    uint64_t changeMask, uint64_t detailMask, std::shared_ptr<DomainUpdateInfo> info)
{
    auto marker = std::make_shared<ScopingCmd>(m_target, changeMask, detailMask, std::move(info));
    auto scope = std::make_shared<CommandExecutionScope>(
        weak_from_this(), std::make_unique<CmdWrapperSP>(std::move(marker)));
    ++m_depth;
    return scope;
}

std::shared_ptr<CommandExecutionScope> CmdHistory::OpenNamedScope(const QString& name)
{
    auto scope = OpenScope(0, 0, std::make_shared<NullUpdateInfo>());
    BeginCompound(name, true);
    return scope;
}

std::shared_ptr<CommandExecutionScope> CmdHistory::OpenUnrecordedScope(
    uint64_t changeMask, uint64_t detailMask, std::shared_ptr<DomainUpdateInfo> info)
{
    auto scope = OpenScope(changeMask, detailMask, std::move(info));
    BeginCompound(QString(), false);
    return scope;
}

void CmdHistory::EndCommandExecution(ICmdWrapper& wrapper)
{
    --m_depth;
    DropEmptiedOpenCompound();
    if (CommandBase* marker = wrapper.GetCommand())
        DispatchUpdateAfterExecution(marker->GetTarget(), *marker);
}

CommandExecutionScope::CommandExecutionScope(
    std::weak_ptr<CmdHistory> history, std::unique_ptr<ICmdWrapper> wrapper)
    : m_history(std::move(history))
    , m_wrapper(std::move(wrapper))
{ }

CommandExecutionScope::~CommandExecutionScope()
{
    // A history replaced meanwhile has nothing left to end.
    if (auto history = m_history.lock())
        history->EndCommandExecution(*m_wrapper);
}

// --- clearing ---------------------------------------------------------------

void CmdHistory::Clear()
{
    m_steps.clear();
    m_position = m_steps.end();
}

void CmdHistory::DropOpenCompound()
{
    if (m_position != m_steps.begin() && *std::prev(m_position) == m_openCompound)
        --m_position;
    m_steps.erase(m_position, m_steps.end());
    m_position = m_steps.end();
}
