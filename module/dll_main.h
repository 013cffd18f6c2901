// The module entry, declared for the native tests that call it.
#pragma once

#include "platform/windows_services.h"

extern "C" BOOL WINAPI DllMain(HINSTANCE hinstDLL, DWORD fdwReason, LPVOID lpvReserved);
