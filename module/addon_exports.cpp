// The two functions the host calls, as the public header declares them; the
// module exports nothing else.
#include "module/VornHush.h"

#include "hook/cbt_hook.h"
#include "module/module_state.h"

// The linker's symbol for this module's own image: its module handle in this
// process.
extern "C" IMAGE_DOS_HEADER __ImageBase;

namespace {

// The module that holds CbtHookProc, for the platform to map into every
// process the hook reaches: this process's own handle of it. The shared block
// holds the same value only while every process maps the module at one
// address; once a process has mapped it elsewhere, it holds that process's
// handle, which means nothing here.
HINSTANCE HookModule() noexcept
{
    return reinterpret_cast<HINSTANCE>(&__ImageBase);
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

extern "C" int __cdecl VornAddonStart(HWND hostWindow)
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

extern "C" int __cdecl VornAddonEnd()
{
    RemoveHook();
    return 1;
}
