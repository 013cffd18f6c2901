/*
 * VornHush.dll: the add-on's interface for its host application.
 *
 * Load the module, call VornAddonStart with the host's main window, and call
 * VornAddonEnd before unloading the module. While started, every window of
 * the host process that has a parent or owner and an empty title is sent
 * WM_CLOSE just before it is activated. Both functions return 1.
 */
#ifndef VORNHUSH_H
#define VORNHUSH_H

#include <windows.h>

#ifdef __cplusplus
extern "C" {
#endif

/* Exported as ordinal 2. */
int __cdecl VornAddonStart(HWND hostWindow);
/* Exported as ordinal 1. */
int __cdecl VornAddonEnd(void);

/* For hosts that load the module at run time with GetProcAddress. */
typedef int(__cdecl* VornAddonStartProc)(HWND hostWindow);
typedef int(__cdecl* VornAddonEndProc)(void);

#ifdef __cplusplus
}
#endif

#endif /* VORNHUSH_H */
