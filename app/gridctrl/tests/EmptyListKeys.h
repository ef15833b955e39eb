#pragma once
// Every key the list grids move by, pressed on an empty list: only a step
// forward onto the new-row line (Down, Tab) makes a row there. A step back or
// sideways, paging and jumping have no row to go to, and Enter steps only
// out of a cell's editor, which an empty list has none of.

#include <QKeyCombination>
#include <QKeySequence>

#include <string>

struct EmptyListKey
{
    QKeyCombination key;
    bool makesARow;

    std::string Name() const { return QKeySequence(key).toString().toStdString(); }
};

inline constexpr EmptyListKey kEmptyListKeys[] = {
    { QKeyCombination(Qt::Key_Down), true },
    { QKeyCombination(Qt::Key_Return), false },
    { QKeyCombination(Qt::Key_Tab), true },
    { QKeyCombination(Qt::Key_Up), false },
    { QKeyCombination(Qt::Key_Left), false },
    { QKeyCombination(Qt::Key_Right), false },
    { QKeyCombination(Qt::ShiftModifier, Qt::Key_Backtab), false },
    { QKeyCombination(Qt::Key_Home), false },
    { QKeyCombination(Qt::Key_End), false },
    { QKeyCombination(Qt::ControlModifier, Qt::Key_Home), false },
    { QKeyCombination(Qt::ControlModifier, Qt::Key_End), false },
    { QKeyCombination(Qt::Key_PageUp), false },
    { QKeyCombination(Qt::Key_PageDown), false },
    { QKeyCombination(Qt::ControlModifier, Qt::Key_PageUp), false },
    { QKeyCombination(Qt::ControlModifier, Qt::Key_PageDown), false },
};
