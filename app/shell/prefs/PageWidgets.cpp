#include "shell/prefs/PageWidgets.h"

#include "foundation/ui/UIStringWidgets.h"

#include <QLabel>

QLabel* NewPageLabel(int textId, bool wordWrap)
{
    auto* label = new QLabel;
    SetWindowTextById(label, textId);
    label->setWordWrap(wordWrap);
    return label;
}
