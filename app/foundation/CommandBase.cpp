#include "foundation/CommandBase.h"

CommandBase::CommandBase(uint64_t changeMask, uint64_t detailMask)
    : CommandBase(changeMask, detailMask, std::make_shared<NullUpdateInfo>())
{ }

CommandBase::CommandBase(uint64_t changeMask, uint64_t detailMask, std::shared_ptr<DomainUpdateInfo> info)
    : m_updateInfo(info ? std::move(info) : std::make_shared<NullUpdateInfo>())
    , m_hint(changeMask, detailMask)
{ }

CommandBase::~CommandBase() = default;

void CommandBase::SetTarget(IDoc* target)
{
    m_target = target;
}

bool CommandBase::CanUndo() const
{
    return true;
}

bool CommandBase::CanRedo() const
{
    return true;
}

void CommandBase::SetUpdateInfo(std::shared_ptr<DomainUpdateInfo> info)
{
    m_updateInfo = info ? std::move(info) : std::make_shared<NullUpdateInfo>();
}

void CommandBase::ResetUpdateInfo()
{
    m_updateInfo = std::make_shared<NullUpdateInfo>();
}
