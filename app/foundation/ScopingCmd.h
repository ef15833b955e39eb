#pragma once

#include "foundation/CommandBase.h"

// The marker command of a scope: it does nothing itself, but carries the
// scope's masks and payload to the document when the scope ends.
class ScopingCmd : public CommandBase
{
public:
    ScopingCmd(IDoc* target, uint64_t changeMask, uint64_t detailMask, std::shared_ptr<DomainUpdateInfo> info)
        : CommandBase(changeMask, detailMask, std::move(info))
    {
        SetTarget(target);
    }

    QString GetName() const override { return QString(); }
    void Execute() override { }
    void Undo() override { }
    void Redo() override { }
};
