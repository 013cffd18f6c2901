// The CBT hook procedure that the add-on installs for the whole desktop.
#pragma once

#include "platform/windows_services.h"

// Runs on the thread of every CBT event in every process the hook reaches.
// Sends WM_CLOSE to a window about to be activated when the activation rule
// says so, and passes every event on, returning the next hook's result.
LRESULT CALLBACK CbtHookProc(int nCode, WPARAM wParam, LPARAM lParam) noexcept;
