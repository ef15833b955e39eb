#include "document/LockProjectCmd.h"

#include "document/CKWLDoc.h"
#include "document/DocumentStrings.h"

#include "model/ModelStrings.h"

namespace {
constexpr std::uint64_t kLockChanges = 0x100241;
}

LockProjectCmd::LockProjectCmd(Direction direction)
    : CommandBase(kLockChanges, 0), m_direction(direction)
{ }

QString LockProjectCmd::GetName() const
{
    return UiText(m_direction == Lock ? kStrLockProject : kStrUnlockProject);
}

CKWLDoc* LockProjectCmd::Document() const
{
    return dynamic_cast<CKWLDoc*>(GetTarget());
}

void LockProjectCmd::LockOrDrop()
{
    if (CKWLDoc* document = Document(); document && !document->LockProject())
        MarkCancelled();
}

void LockProjectCmd::Execute()
{
    if (m_direction == Unlock) {
        if (CKWLDoc* document = Document())
            document->UnlockProject();
        return;
    }
    LockOrDrop();
}

void LockProjectCmd::Undo()
{
    if (m_direction == Lock) {
        if (CKWLDoc* document = Document())
            document->UnlockProject();
        return;
    }
    LockOrDrop();
}
