#include "model/ModelUiHook.h"

#include <QtGlobal>

#include <utility>

namespace {
ModelMessageHook& Hook()
{
    static ModelMessageHook hook;
    return hook;
}

ModelMessageHook& WarningHook()
{
    static ModelMessageHook hook;
    return hook;
}
} // namespace

ModelMessageHook SetModelMessageHook(ModelMessageHook hook)
{
    return std::exchange(Hook(), std::move(hook));
}

ModelMessageHook SetModelWarningHook(ModelMessageHook hook)
{
    return std::exchange(WarningHook(), std::move(hook));
}

void ShowModelMessage(const QString& text)
{
    if (Hook())
        Hook()(text);
    else
        qWarning("%s", qUtf8Printable(text));
}

void ShowModelWarning(const QString& text)
{
    if (WarningHook())
        WarningHook()(text);
    else
        ShowModelMessage(text);
}
