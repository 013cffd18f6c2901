#include "module/addon_exports.h"

#include "hook/cbt_hook.h"
#include "module/module_state.h"

// The linker's symbol for this module's own image: its module handle in this
// process.
extern "C" IMAGE_DOS_HEADER __ImageBase;

namespace {

// The module that holds CbtHookProc, for the platform to map into every
// process the hook reaches. The shared block holds the handle of the latest
// process to map the module: this process's own handle too, as long as every
// process maps the module at the same address.
HINSTANCE HookModule() noexcept
{
    HINSTANCE const ownModule = reinterpret_cast<HINSTANCE>(&__ImageBase);
    HINSTANCE module = g_sharedModuleHandle;
    if (module != ownModule) {
        // A process mapped the module elsewhere since: its handle means
        // nothing here, and the hook would reach no other process.
        module = ownModule;
    }
    return module;
}

// Removes this process's hook and forgets its handle, which the platform may
// later give to another hook.
void RemoveHook() noexcept
{
    if (g_hookHandle != nullptr) {
        UnhookWindowsHookEx(g_hookHandle);
        g_hookHandle = nullptr;
    }
}

}  // namespace

extern "C" int WINAPIV VornAddonStart(HWND hostWindow)
{
    // A repeated start replaces the hook: one left behind could never be
    // removed.
    RemoveHook();

    // A handle that names no window records no process, so nothing is closed.
    DWORD processId = 0;
    if (GetWindowThreadProcessId(hostWindow, &processId) == 0) {
        processId = 0;
    }
    // Stored before the hook exists, so no hook call sees it unset.
    g_hostProcessId = processId;

    g_hookHandle = SetWindowsHookExW(WH_CBT, CbtHookProc, HookModule(), 0);
    return 1;
}

extern "C" int WINAPIV VornAddonEnd()
{
    RemoveHook();
    return 1;
}
