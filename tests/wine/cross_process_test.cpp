// The add-on across processes on one desktop: the host starts it, other
// processes run beside it (bystander.exe), and each side checks its own.
#include "module/VornHush.h"
#include "support/check.h"
#include "support/programs.h"
#include "support/test_window.h"

#include <cstdio>
#include <string>

namespace {

AddOn g_addOn;
HWND g_main;

void OtherProcessesKeepTheirWindows()
{
    check::Section("another process keeps its untitled owned window; its end touches nothing here");
    CHECK(RunProgram(L"bystander.exe", L"window") == 0);
    CHECK(UntitledOwnedWindowIsClosed(g_main));

    check::Section("a second host runs and ends the add-on beside this one");
    CHECK(RunProgram(L"bystander.exe", L"host") == 0);
    CHECK(UntitledOwnedWindowIsClosed(g_main));
}

void SurvivesAMappingElsewhere(HMODULE module)
{
    check::Section("a process mapping the module elsewhere moves the one shared block");
    const std::wstring id = std::to_wstring(GetCurrentProcessId());
    const std::wstring loadedName = L"VornHushTest.loaded." + id;
    const std::wstring doneName = L"VornHushTest.done." + id;
    HANDLE loaded = CreateEventW(nullptr, TRUE, FALSE, loadedName.c_str());
    HANDLE done = CreateEventW(nullptr, TRUE, FALSE, doneName.c_str());

    PROCESS_INFORMATION relocated = StartProgram(L"bystander.exe", L"relocated " + loadedName + L" " + doneName);
    CHECK(relocated.hProcess != nullptr);
    CHECK(WaitHandlingMessages(1, &loaded, 60000));

    const HINSTANCE shared = SharedBlockValue(module);
    CHECK(shared != nullptr && shared != module);

    check::Section("a start after that still installs a hook that reaches other processes");
    CHECK(g_addOn.end() == 1);
    CHECK(g_addOn.start(g_main) == 1);
    CHECK(UntitledOwnedWindowIsClosed(g_main));
    CHECK(RunProgram(L"bystander.exe", L"window") == 0);

    SetEvent(done);
    CHECK(FinishProgram(relocated) == 0);
    CloseHandle(loaded);
    CloseHandle(done);
}

}  // namespace

int main()
{
    return RunHostProgram("cross_process_test", L"VornHush test host", [](const AddOn& addOn, HWND main) {
        g_addOn = addOn;
        g_main = main;
        CHECK(g_addOn.start(g_main) == 1);

        OtherProcessesKeepTheirWindows();
        SurvivesAMappingElsewhere(g_addOn.module);

        CHECK(g_addOn.end() == 1);
    });
}
