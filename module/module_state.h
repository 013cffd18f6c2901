// The module's data: one value shared by every process that maps the module,
// and two that each process keeps for itself, starting at 0.
#pragma once

#include "platform/windows_services.h"

// Shared: the module handle of the latest process that mapped the module.
// The hook is installed with each process's own handle instead, which stays
// right when a process maps the module at another address.
extern HINSTANCE g_sharedModuleHandle;

// Per process: the hook this process installed, and the process whose
// windows the hook closes. Both stay 0 in every process but the host's.
extern HHOOK g_hookHandle;
extern DWORD g_hostProcessId;
