#pragma once
// Locks or unlocks the project as one undoable step. A lock whose
// optimization the user cancels did not happen: run as a new step it leaves
// no undo step; run by an undo or redo it leaves the step where it was.

#include "foundation/CommandBase.h"

class CKWLDoc;

class LockProjectCmd : public CommandBase
{
public:
    enum Direction { Lock = 0, Unlock = 1 };

    explicit LockProjectCmd(Direction direction);

    QString GetName() const override;
    void Execute() override;
    void Undo() override;
    void Redo() override { Execute(); }

private:
    CKWLDoc* Document() const;
    // Locks; a cancel marks the command so that the history sees it.
    void LockOrDrop();

    Direction m_direction;
};
