// The Windows services the add-on calls, under their own names. The DLL gets
// them from the platform's <windows.h>; the native build puts its in-memory
// desktop's stand-in (platform/standin/include/windows.h) in its place, which
// tests drive.
#pragma once

#include <windows.h>
