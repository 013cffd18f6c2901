// Load across processes: while the add-on runs, other processes and the host
// bring up untitled owned windows on several threads each, all at once. Every
// one of the host's is closed; not one of the others' is.
#include "support/check.h"
#include "support/programs.h"
#include "support/test_window.h"

#include <cstdio>
#include <string>
#include <vector>

namespace {

constexpr int kOtherProcesses = 4;
constexpr int kThreads = 4;
constexpr int kWindowsPerThread = 50;

void BringsUpWindowsEverywhereAtOnce(const AddOn& addOn, HWND main)
{
    CHECK(addOn.start(main) == 1);

    const std::wstring id = std::to_wstring(GetCurrentProcessId());
    const std::wstring readyName = L"VornHushTest.ready." + id;
    const std::wstring goName = L"VornHushTest.go." + id;
    HANDLE ready = CreateSemaphoreW(nullptr, 0, kOtherProcesses, readyName.c_str());
    HANDLE go = CreateEventW(nullptr, TRUE, FALSE, goName.c_str());

    std::vector<PROCESS_INFORMATION> others;
    const std::wstring arguments = L"load " + readyName + L" " + goName + L" " +
                                   std::to_wstring(kThreads) + L" " + std::to_wstring(kWindowsPerThread);
    for (int p = 0; p < kOtherProcesses; ++p) {
        others.push_back(StartProgram(L"bystander.exe", arguments));
    }
    for (int p = 0; p < kOtherProcesses; ++p) {
        CHECK(WaitHandlingMessages(1, &ready, 60000));
    }

    check::Section("every process brings up untitled owned windows at once");
    SetEvent(go);
    const WindowCounts host = PresentOnThreads(main, kThreads, kWindowsPerThread, go);
    DWORD othersNotKept = 0;
    for (PROCESS_INFORMATION& other : others) {
        const DWORD notKept = FinishProgram(other);
        // A process that did not finish kept nothing that counts.
        othersNotKept += notKept == static_cast<DWORD>(-1) ? kThreads * kWindowsPerThread : notKept;
    }
    const int othersTotal = kOtherProcesses * kThreads * kWindowsPerThread;

    std::printf("  load: host, %d threads x %d windows: %ld of %ld closed\n", kThreads, kWindowsPerThread,
                host.closed, host.total);
    std::printf("  load: %d other processes, %d threads x %d windows each: %lu of %d kept\n",
                kOtherProcesses, kThreads, kWindowsPerThread, othersTotal - othersNotKept, othersTotal);
    CHECK(host.closed == host.total);
    CHECK(othersNotKept == 0);

    CHECK(addOn.end() == 1);
    CloseHandle(ready);
    CloseHandle(go);
}

}  // namespace

int main() { return RunHostProgram("load_test", L"VornHush load host", BringsUpWindowsEverywhereAtOnce); }
