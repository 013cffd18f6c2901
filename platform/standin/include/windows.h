// The native build's <windows.h>: what the add-on and its public header use
// of the platform, acting on the in-memory desktop (platform/standin).
#pragma once

#include "platform/standin/windows_services.h"
