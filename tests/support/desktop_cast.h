// The processes, windows and expected calls that the native tests share.
#pragma once

#include "module/module_state.h"
#include "platform/standin/desktop.h"

#include <cstdint>
#include <vector>

namespace cast {

using Calls = std::vector<standin::Call>;

constexpr DWORD kHost = 7;                 // the process that started the add-on
constexpr DWORD kOther = 9;                // any other process

constexpr std::intptr_t kMain = 10;        // the host's main window, titled
constexpr std::intptr_t kDialog = 11;      // a window about to be activated
constexpr std::intptr_t kInnerDialog = 12; // a window owned by kDialog
constexpr std::intptr_t kForeignMain = 20; // the other process's main window

// The three queries the hook procedure makes for every activation, in order.
inline Calls Screening(std::intptr_t window)
{
    return {
        {"GetWindowThreadProcessId", {window}},
        {"GetWindowTextW", {window, 1024}},
        {"GetParent", {window}},
    };
}

inline standin::Call CloseRequest(std::intptr_t window)
{
    return {"SendMessageW", {window, WM_CLOSE, 0, 0}};
}

inline Calls operator+(Calls calls, const Calls& more)
{
    calls.insert(calls.end(), more.begin(), more.end());
    return calls;
}

// The module's data as a process that just mapped it has it.
inline void ResetModuleState()
{
    g_sharedModuleHandle = nullptr;
    g_hookHandle = nullptr;
    g_hostProcessId = 0;
}

}  // namespace cast
