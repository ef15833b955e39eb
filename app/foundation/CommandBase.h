#pragma once

#include "foundation/DomainUpdateInfo.h"
#include "foundation/UpdateHint.h"

#include <QString>

#include <cstdint>
#include <memory>

class IDoc;

// One undoable edit. Callers build it and hand it to the command history,
// which sets its target, records it in an undo step and runs it; afterwards its
// hint and payload tell the document and the views what changed.
class CommandBase
{
public:
    enum State : int32_t { New = 0, Executed = 1, Undone = 2, Redone = 3 };

    CommandBase(uint64_t changeMask, uint64_t detailMask);
    CommandBase(uint64_t changeMask, uint64_t detailMask, std::shared_ptr<DomainUpdateInfo> info);
    virtual ~CommandBase();

    CommandBase(const CommandBase&) = delete;
    CommandBase& operator=(const CommandBase&) = delete;

    virtual QString GetName() const = 0;
    virtual void SetTarget(IDoc* target);
    virtual void Execute() = 0;
    virtual void Undo() = 0;
    virtual void Redo() = 0;
    virtual bool CanUndo() const;
    virtual bool CanRedo() const;

    IDoc* GetTarget() const { return m_target; }

    // For edits that must run but never be undone.
    void SetNotRecorded() { m_notRecorded = true; }
    // Execute, Undo or Redo found that nothing happened (the user
    // cancelled): the history drops a command cancelled on its execution,
    // and leaves a step whose undo or redo was cancelled where it was.
    void MarkCancelled() { m_cancelled = true; }
    // Every run starts uncancelled.
    void ClearCancelled() { m_cancelled = false; }
    bool IsCancelled() const { return m_cancelled; }
    bool IsNotRecorded() const { return m_notRecorded; }

    std::shared_ptr<DomainUpdateInfo> GetUpdateInfo() const { return m_updateInfo; }
    void SetUpdateInfo(std::shared_ptr<DomainUpdateInfo> info);
    void ResetUpdateInfo();

    void AddChangeFlags(uint64_t flags) { m_hint.AddChangeFlags(flags); }
    void AddDetailFlags(uint64_t flags) { m_hint.AddDetailFlags(flags); }
    UpdateHint& GetUpdateHint() { return m_hint; }
    const UpdateHint& GetUpdateHint() const { return m_hint; }

    State GetState() const { return m_state; }
    void SetState(State state) { m_state = state; }

private:
    IDoc* m_target = nullptr;
    std::shared_ptr<DomainUpdateInfo> m_updateInfo;
    UpdateHint m_hint;
    bool m_notRecorded = false;
    bool m_cancelled = false;
    State m_state = New;
};
