// The two functions the host calls; the module exports nothing else.
#pragma once

#include "platform/windows_services.h"

// Records the process that owns hostWindow as the host and installs the
// desktop-wide CBT hook. Returns 1 in every case.
extern "C" int WINAPIV VornAddonStart(HWND hostWindow);

// Removes the hook, if one is installed. Returns 1 in every case.
extern "C" int WINAPIV VornAddonEnd();
