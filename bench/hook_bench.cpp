// Drives one kind of event through a hook procedure many times, for
// bench/run.sh to count the procedure's own instructions under callgrind.
//   hook_bench MODE EVENTS
// MODE is one of:
//   bare               a procedure that only passes the event on
//   non-activation     CbtHookProc, HCBT_CREATEWND
//   activation-empty   CbtHookProc, an untitled owned host window (closed)
//   activation-long    CbtHookProc, an owned host window titled with 1023
//                      capitals (normalised, then left alone)
#include "hook/cbt_hook.h"
#include "tests/support/desktop_cast.h"

#include <cstdio>
#include <cstdlib>
#include <string>

// The least a CBT hook procedure can do.
[[gnu::noinline]] LRESULT CALLBACK BareHookProc(int nCode, WPARAM wParam, LPARAM lParam) noexcept
{
    return CallNextHookEx(g_hookHandle, nCode, wParam, lParam);
}

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: hook_bench MODE EVENTS\n");
        return 2;
    }
    const std::string mode = argv[1];
    const long events = std::atol(argv[2]);

    using namespace cast;
    standin::Desktop desktop;
    g_hookHandle = reinterpret_cast<HHOOK>(0x4242);
    g_hostProcessId = kHost;
    desktop.AddWindow({.handle = kMain, .processId = kHost, .title = u"Main"});
    // The window ignores its close requests, so every event takes the same path.
    const auto ignore = [](UINT, WPARAM, LPARAM) {};

    HOOKPROC procedure = CbtHookProc;
    int code = HCBT_ACTIVATE;
    if (mode == "bare" || mode == "non-activation") {
        procedure = mode == "bare" ? BareHookProc : CbtHookProc;
        code = HCBT_CREATEWND;
    } else if (mode == "activation-empty") {
        desktop.AddWindow({.handle = kDialog, .processId = kHost, .title = u"", .parent = kMain, .handler = ignore});
    } else if (mode == "activation-long") {
        desktop.AddWindow({.handle = kDialog, .processId = kHost, .title = std::u16string(1023, u'Q'),
                           .parent = kMain, .handler = ignore});
    } else {
        std::fprintf(stderr, "hook_bench: unknown mode %s\n", mode.c_str());
        return 2;
    }

    LRESULT sum = 0;
    for (long i = 0; i < events; ++i) {
        sum += procedure(code, kDialog, 0);
        desktop.ClearCalls();
    }
    return sum == 0 ? 0 : 1;
}
