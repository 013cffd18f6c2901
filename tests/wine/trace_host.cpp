// A host for the relay trace test: a whole life of the add-on in one process,
// under Wine's relay trace, for trace_test.py to read what the module called.
// Prints the range the module's image occupies, then runs its steps.
#include "support/check.h"
#include "support/programs.h"
#include "support/test_window.h"

#include <cstdio>

namespace {

DWORD WINAPI DoNothing(LPVOID) { return 0; }

void LivesOnce(const AddOn& addOn, HWND main)
{
    const auto base = reinterpret_cast<unsigned long>(addOn.module);
    std::printf("module image: %08lx-%08lx\n", base, base + ImageSize(addOn.module));

    check::Section("one life of the add-on: start, close a window, end");
    CHECK(addOn.start(main) == 1);
    CHECK(UntitledOwnedWindowIsClosed(main));
    CHECK(addOn.end() == 1);

    check::Section("threads that start and end while the module is mapped");
    HANDLE threads[3];
    for (HANDLE& thread : threads) {
        thread = CreateThread(nullptr, 0, DoNothing, nullptr, 0, nullptr);
    }
    CHECK(WaitHandlingMessages(3, threads, 60000));
    for (HANDLE thread : threads) {
        CloseHandle(thread);
    }
}

}  // namespace

int main() { return RunHostProgram("trace_host", L"VornHush trace host", LivesOnce); }
