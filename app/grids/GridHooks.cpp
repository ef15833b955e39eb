#include "grids/GridHooks.h"

namespace {
MainWindowCommandHook& CommandHook()
{
    static MainWindowCommandHook hook;
    return hook;
}
} // namespace

void SetMainWindowCommandHook(MainWindowCommandHook hook)
{
    CommandHook() = std::move(hook);
}

void SendMainWindowCommand(int commandId)
{
    if (CommandHook())
        CommandHook()(commandId);
}
