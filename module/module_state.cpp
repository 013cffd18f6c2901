#include "module/module_state.h"

// The loader keeps one copy of the .VornHus section for every process that
// maps the module; the section holds this one value and nothing else.
#if defined(_WIN32)
#define VORN_SHARED_SECTION __attribute__((section(".VornHus"), shared))
#else
#define VORN_SHARED_SECTION __attribute__((section(".VornHus")))
#endif

VORN_SHARED_SECTION HINSTANCE g_sharedModuleHandle = nullptr;

HHOOK g_hookHandle = nullptr;
DWORD g_hostProcessId = 0;
