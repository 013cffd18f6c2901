// A host on a real Win32 implementation: loads VornHush.dll, starts and ends
// the add-on, and checks what happens to real windows of its own.
#include "module/VornHush.h"
#include "support/check.h"
#include "support/programs.h"
#include "support/test_window.h"

#include <cstdint>
#include <cstdio>
#include <string>

namespace {

AddOn g_addOn;
HWND g_main;

DWORD WINAPI PresentOnSecondThread(LPVOID closed)
{
    *static_cast<bool*>(closed) = UntitledOwnedWindowIsClosed(g_main);
    return 0;
}

void ChecksTheExports(HMODULE module)
{
    check::Section("exports by name and by ordinal, nothing else");
    CHECK(g_addOn.start != nullptr);
    CHECK(g_addOn.end != nullptr);
    CHECK(ExportOf<VornAddonEndProc>(module, MAKEINTRESOURCEA(1)) == g_addOn.end);
    CHECK(ExportOf<VornAddonStartProc>(module, MAKEINTRESOURCEA(2)) == g_addOn.start);
    CHECK(GetProcAddress(module, MAKEINTRESOURCEA(3)) == nullptr);
    CHECK(GetProcAddress(module, "CbtHookProc") == nullptr);
    CHECK(GetProcAddress(module, "DllMain") == nullptr);

    check::Section("the shared block holds this process's module handle after loading");
    CHECK(SharedBlockValue(module) == module);
    CHECK(module == reinterpret_cast<HMODULE>(0x10000000));
}

// Calls function with one 32-bit argument pushed and says how many bytes of
// arguments it left on the stack: 4 when the caller removes them (cdecl), 0
// when the function did (stdcall). Measured around the call instruction
// itself, so the compiler's code around it plays no part.
std::uintptr_t BytesLeftByCall(void (*function)(), std::uintptr_t argument)
{
    std::uintptr_t before = 0;
    std::uintptr_t after = 0;
    asm volatile(
        "movl %%esp, %%esi\n\t"
        "pushl %[argument]\n\t"
        "call *%[function]\n\t"
        "movl %%esp, %%edi\n\t"
        "movl %%esi, %%esp"
        : "=&S"(before), "=&D"(after)
        : [function] "b"(function), [argument] "m"(argument)
        : "eax", "ecx", "edx", "memory", "cc");
    return before - after;
}

void ChecksTheCallingConvention()
{
    check::Section("both exports leave their arguments for the caller to remove (cdecl)");
    const auto start = reinterpret_cast<void (*)()>(g_addOn.start);
    const auto end = reinterpret_cast<void (*)()>(g_addOn.end);
    CHECK(BytesLeftByCall(start, reinterpret_cast<std::uintptr_t>(g_main)) == 4);
    CHECK(BytesLeftByCall(end, 0) == 4);
}

void ChecksTheImage(HMODULE module)
{
    check::Section("the loader takes thread notifications off the module: it has no thread storage");
    CHECK(DisableThreadLibraryCalls(module));

    check::Section("the version resource gives the project's version");
    wchar_t path[MAX_PATH];
    GetModuleFileNameW(module, path, MAX_PATH);
    std::string info(GetFileVersionInfoSizeW(path, nullptr), '\0');
    CHECK(!info.empty() && GetFileVersionInfoW(path, 0, static_cast<DWORD>(info.size()), info.data()));
    wchar_t* version = nullptr;
    UINT length = 0;
    CHECK(VerQueryValueW(info.data(), L"\\StringFileInfo\\040904B0\\FileVersion",
                         reinterpret_cast<void**>(&version), &length));
    CHECK(version != nullptr && std::wstring(version) == L"" VORNHUSH_VERSION);
}

void ClosesUntitledOwnedWindows()
{
    check::Section("an untitled owned window gets one WM_CLOSE with 0 and 0 and goes");
    TestWindow dialog;
    dialog.Create(L"", g_main);
    dialog.Present();
    CHECK(dialog.closeRequests == 1);
    CHECK(dialog.closeWParam == 0);
    CHECK(dialog.closeLParam == 0);
    CHECK(!dialog.Exists());

    check::Section("the close request is handled before ShowWindow returns, with no message loop");
    TestWindow unpumped;
    unpumped.Create(L"", g_main);
    ShowWindow(unpumped.handle, SW_SHOW);
    CHECK(unpumped.closeRequests == 1);
    CHECK(!unpumped.Exists());

    check::Section("an untitled modal dialog ends as if cancelled");
    CHECK(RunUntitledModalDialog(g_main) == IDCANCEL);

    check::Section("a window brought up while another is being closed is closed too");
    TestWindow first;
    TestWindow second;
    first.onClose = [&second] {
        second.Create(L"", g_main);
        second.Present();
    };
    first.Create(L"", g_main);
    first.Present();
    CHECK(first.closeRequests == 1 && !first.Exists());
    CHECK(second.closeRequests == 1 && !second.Exists());

    check::Section("an untitled owned window of a second host thread is closed");
    bool closedOnSecondThread = false;
    HANDLE thread = CreateThread(nullptr, 0, PresentOnSecondThread, &closedOnSecondThread, 0, nullptr);
    WaitHandlingMessages(1, &thread, INFINITE);
    CloseHandle(thread);
    CHECK(closedOnSecondThread);
}

void LeavesOtherWindowsAlone()
{
    struct Case {
        const char* name;
        std::wstring title;
        bool owned;
        DWORD style = WS_POPUP;
    };
    const Case cases[] = {
        {"titled owned window", L"Options", true},
        {"owned window titled with one space", L" ", true},
        {"owned window with a title over 1023 units", std::wstring(1500, L'x'), true},
        {"untitled window without owner", L"", false},
        // Only a pop-up's owner is what GetParent reports.
        {"untitled owned overlapped window", L"", true, WS_OVERLAPPEDWINDOW},
    };
    for (const Case& c : cases) {
        check::Section(c.name);
        TestWindow window;
        window.Create(c.title, c.owned ? g_main : nullptr, c.style);
        window.Present();
        CHECK(window.closeRequests == 0);
        CHECK(window.Exists());
    }
}

void FollowsTheCallingOrder()
{
    check::Section("after end, nothing is closed; a second end does nothing");
    CHECK(g_addOn.end() == 1);
    CHECK(UntitledOwnedWindowIsKept(g_main));
    CHECK(g_addOn.end() == 1);
    CHECK(UntitledOwnedWindowIsKept(g_main));

    check::Section("start again after end");
    CHECK(g_addOn.start(g_main) == 1);
    CHECK(UntitledOwnedWindowIsClosed(g_main));
    CHECK(g_addOn.end() == 1);

    check::Section("a repeated start replaces its hook, so one end stops the add-on");
    CHECK(g_addOn.start(g_main) == 1);
    CHECK(g_addOn.start(g_main) == 1);
    CHECK(UntitledOwnedWindowIsClosed(g_main));
    CHECK(g_addOn.end() == 1);
    CHECK(UntitledOwnedWindowIsKept(g_main));

    check::Section("a host window that names no window records no host");
    for (HWND noWindow : {HWND{nullptr}, reinterpret_cast<HWND>(0x7FFF0)}) {
        CHECK(g_addOn.start(noWindow) == 1);
        CHECK(UntitledOwnedWindowIsKept(g_main));
        CHECK(g_addOn.end() == 1);
    }
}

}  // namespace

int main()
{
    return RunHostProgram("host_test", L"VornHush test host", [](const AddOn& addOn, HWND main) {
        g_addOn = addOn;
        g_main = main;
        ChecksTheExports(g_addOn.module);
        ChecksTheImage(g_addOn.module);
        ChecksTheCallingConvention();

        check::Section("start returns 1");
        CHECK(g_addOn.start(g_main) == 1);
        ClosesUntitledOwnedWindows();
        LeavesOtherWindowsAlone();
        FollowsTheCallingOrder();
    });
}
