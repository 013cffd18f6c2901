#include "hook/cbt_hook.h"

#include "module/module_state.h"
#include "rule/activation_rule.h"

namespace {

// Passes the event on as it came and returns the next hook's result. The hook
// handle is read now: in the host it may have been stored only since the
// event began.
LRESULT PassOn(int nCode, WPARAM wParam, LPARAM lParam) noexcept
{
    return CallNextHookEx(g_hookHandle, nCode, wParam, lParam);
}

// Gathers the facts about the window, asks the rule and closes the window
// when the rule says so. Every query runs for every activation, whatever the
// earlier ones returned. The title is captured on this call's own stack: it
// cannot run out, allocates nothing in the processes the hook is mapped into,
// and nested calls on the same thread each have their own.
void ScreenActivation(HWND window) noexcept
{
    DWORD processId = 0;  // left as it is for a handle that names no window
    GetWindowThreadProcessId(window, &processId);

    TitleUnit titleStorage[kTitleBufferChars];
    titleStorage[0] = 0;
    GetWindowTextW(window, titleStorage, static_cast<int>(kTitleBufferChars));

    // The title's length comes from the first NUL alone, never from the count
    // GetWindowTextW returned.
    std::size_t titleLength = 0;
    while (titleLength < kTitleBufferChars - 1 && titleStorage[titleLength] != 0) {
        ++titleLength;
    }

    const bool hasParent = GetParent(window) != nullptr;

    const WindowFacts facts{static_cast<std::uint32_t>(processId), {titleStorage, titleLength}, hasParent};
    if (ShouldCloseWindow(facts, g_hostProcessId)) {
        // Returns once the window has handled the request; meanwhile this
        // procedure may be entered again on this thread.
        SendMessageW(window, WM_CLOSE, 0, 0);
    }
}

// Out of line and called with CbtHookProc's own arguments unchanged, so that
// every other event passes on without setting up the capture or moving them.
[[gnu::noinline, gnu::noclone]] LRESULT ScreenThenPassOn(int nCode, WPARAM wParam, LPARAM lParam) noexcept
{
    ScreenActivation(reinterpret_cast<HWND>(wParam));
    return PassOn(nCode, wParam, lParam);
}

}  // namespace

LRESULT CALLBACK CbtHookProc(int nCode, WPARAM wParam, LPARAM lParam) noexcept
{
    if (nCode == HCBT_ACTIVATE) {
        return ScreenThenPassOn(nCode, wParam, lParam);
    }
    return PassOn(nCode, wParam, lParam);
}
