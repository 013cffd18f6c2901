// The Windows services the add-on calls, under their own names. The DLL gets
// them from the platform; the native build gets them from the in-memory
// desktop in platform/standin, which tests drive.
#pragma once

#if defined(_WIN32)
#include <windows.h>
#else
#include "platform/standin/windows_services.h"
#endif
