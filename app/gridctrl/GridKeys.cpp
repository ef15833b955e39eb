#include "gridctrl/GridKeys.h"

#include <Qt>

namespace gridkey {

int FromQtKey(int qtKey)
{
    struct Entry { int qt; int code; };
    static constexpr Entry table[] = {
        {Qt::Key_Backspace, Back}, {Qt::Key_Tab, Tab}, {Qt::Key_Backtab, Tab},
        {Qt::Key_Return, Return}, {Qt::Key_Enter, Return}, {Qt::Key_Shift, Shift},
        {Qt::Key_Control, Control}, {Qt::Key_Escape, Escape}, {Qt::Key_Space, Space},
        {Qt::Key_PageUp, PageUp}, {Qt::Key_PageDown, PageDown}, {Qt::Key_End, End},
        {Qt::Key_Home, Home}, {Qt::Key_Left, Left}, {Qt::Key_Up, Up}, {Qt::Key_Right, Right},
        {Qt::Key_Down, Down}, {Qt::Key_Insert, Insert}, {Qt::Key_Delete, Delete},
    };
    for (const Entry& e : table)
        if (e.qt == qtKey)
            return e.code;
    if (qtKey >= Qt::Key_F1 && qtKey <= Qt::Key_F24)
        return F1 + (qtKey - Qt::Key_F1);
    if ((qtKey >= Qt::Key_A && qtKey <= Qt::Key_Z) || (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9))
        return qtKey; // the same character codes
    return 0;
}

} // namespace gridkey
