// A demonstration host: starts the add-on and tells, a line each, what
// became of a few windows, its own and another process's.
#include "module/VornHush.h"
#include "support/programs.h"
#include "support/test_window.h"

#include <cstdio>
#include <string>

namespace {

// Presents a window owned by owner and says what became of it.
void Show(const char* who, const std::wstring& title, HWND owner)
{
    TestWindow dialog;
    dialog.Create(title, owner);
    dialog.Present();
    const std::string shown = title.empty() ? "untitled dialog" : "dialog titled \"" + std::string(title.begin(), title.end()) + "\"";
    std::printf("  %-34s %-30s %s\n", who, shown.c_str(),
                dialog.Exists() ? "kept" : (dialog.closeRequests == 1 ? "closed" : "gone"));
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
    Show(host.c_str(), L"Settings", main.handle);
    RunProgram(L"demo_host.exe", L"other");
    std::printf("  %-34s VornAddonEnd() = %d\n", host.c_str(), addOn.end());
    Show(host.c_str(), L"", main.handle);
    FreeLibrary(addOn.module);
    return 0;
}
