// The module entry, called by the loader in every process that maps the
// module: the host at its load, and every process the hook reaches. The DLL
// has no C or C++ runtime to initialise first: this is its entry point.
#include "module/module_state.h"

extern "C" BOOL WINAPI DllMain(HINSTANCE hinstDLL, DWORD fdwReason, LPVOID /*lpvReserved*/)
{
    if (fdwReason == DLL_PROCESS_ATTACH) {
        // No module code runs when threads start or end.
        DisableThreadLibraryCalls(hinstDLL);
        g_sharedModuleHandle = hinstDLL;
    }
    // Unmapping removes nothing: the host ends the add-on before it unloads
    // the module, and other processes never held a hook.
    return 1;
}
