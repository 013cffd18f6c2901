// A demonstration host: starts the add-on and tells, a line each, what
// became of a few windows, its own and another process's.
#include "module/VornHush.h"
#include "support/programs.h"
#include "support/test_window.h"

#include <cstdio>
#include <string>

namespace {

// Presents a window owned by owner, a pop-up unless style says otherwise,
// and says what became of it.
void Show(const char* who, const std::wstring& title, HWND owner, DWORD style = WS_POPUP)
{
    TestWindow window;
    window.Create(title, owner, style);
    window.Present();
    std::string shown = style == WS_POPUP ? "owned pop-up" : "owned overlapped window";
    shown = title.empty() ? "untitled " + shown : shown + " titled \"" + std::string(title.begin(), title.end()) + "\"";
    std::printf("  %-34s %-34s %s\n", who, shown.c_str(),
                window.Exists() ? "kept" : (window.closeRequests == 1 ? "closed" : "gone"));
}

// Runs an untitled modal dialog owned by owner and says how it ended.
void ShowModalDialog(const char* who, HWND owner)
{
    const INT_PTR result = RunUntitledModalDialog(owner);
    std::printf("  %-34s %-34s %s\n", who, "untitled modal dialog",
                result == IDCANCEL ? "ended as cancelled (IDCANCEL)" : "ended otherwise");
}

// The other process: one untitled dialog of its own.
int RunOtherProcess()
{
    TestWindow main;
    CreateMainWindow(main, L"Other application");
    const std::string who = "other process " + std::to_string(GetCurrentProcessId()) + ":";
    Show(who.c_str(), L"", main.handle);
    return 0;
}

}  // namespace

int wmain(int argc, wchar_t** argv)
{
    std::setvbuf(stdout, nullptr, _IONBF, 0);
    if (argc > 1 && std::wstring(argv[1]) == L"other") {
        return RunOtherProcess();
    }

    const AddOn addOn = LoadAddOn();
    if (addOn.module == nullptr) {
        std::printf("demo: VornHush.dll did not load\n");
        return 1;
    }

    TestWindow main;
    CreateMainWindow(main, L"Demo host");
    const std::string host = "host process " + std::to_string(GetCurrentProcessId()) + ":";

    std::printf("VornHush demo\n");
    std::printf("  %-34s VornAddonStart(main window) = %d\n", host.c_str(), addOn.start(main.handle));
    Show(host.c_str(), L"", main.handle);
    ShowModalDialog(host.c_str(), main.handle);
    Show(host.c_str(), L"Settings", main.handle);
    Show(host.c_str(), L"", main.handle, WS_OVERLAPPEDWINDOW);
    RunProgram(L"demo_host.exe", L"other");
    std::printf("  %-34s VornAddonEnd() = %d\n", host.c_str(), addOn.end());
    Show(host.c_str(), L"", main.handle);
    FreeLibrary(addOn.module);
    return 0;
}
