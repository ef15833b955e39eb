#include "model/ModelUiHook.h"

#include <QtGlobal>

#include <utility>

namespace {
ModelMessageHook& Hook()
{
    static ModelMessageHook hook;
    return hook;
}
} // namespace

ModelMessageHook SetModelMessageHook(ModelMessageHook hook)
{
    return std::exchange(Hook(), std::move(hook));
}

void ShowModelMessage(const QString& text, ModelMessageIcon icon)
{
    if (Hook())
        Hook()(text, icon);
    else
        qWarning("%s", qUtf8Printable(text));
}
