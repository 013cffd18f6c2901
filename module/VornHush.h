/*
 * VornHush.dll: the add-on's interface for its host application.
 *
 * Load the module, call VornAddonStart with the host's main window from the
 * thread that runs its message loop, and call VornAddonEnd before unloading
 * the module. While started, every window of the host process that has a
 * parent or owner (GetParent) and an empty title is sent WM_CLOSE just before
 * it is activated. Both functions return 1.
 *
 * The module is 32-bit: hosts are built for 32-bit Windows (x86).
 */
#ifndef VORNHUSH_H
#define VORNHUSH_H

#if defined(_WIN64)
#error "VornHush.dll is a 32-bit module: build the host for 32-bit Windows (x86)"
#endif

#include <windows.h>

#ifdef __cplusplus
extern "C" {
#endif

/* Records the process that owns hostWindow as the host and installs the
 * desktop-wide CBT hook. Exported as ordinal 2. */
int __cdecl VornAddonStart(HWND hostWindow);
/* Removes the hook, if one is installed. Exported as ordinal 1. */
int __cdecl VornAddonEnd(void);

/* For hosts that load the module at run time with GetProcAddress. */
typedef int(__cdecl* VornAddonStartProc)(HWND hostWindow);
typedef int(__cdecl* VornAddonEndProc)(void);

#ifdef __cplusplus
}
#endif

#endif /* VORNHUSH_H */
