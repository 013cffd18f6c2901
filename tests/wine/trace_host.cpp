// A host for the relay trace test: a whole life of the add-on in one process,
// under Wine's relay trace, for trace_test.py to read what the module called.
// Prints the range the module's image occupies, then runs its steps.
#include "support/check.h"
#include "support/programs.h"
#include "support/test_window.h"

#include <cstdio>

namespace {

DWORD WINAPI DoNothing(LPVOID) { return 0; }

}  // namespace

int main()
{
    TestWindow main;
    const AddOn addOn = BeginHostProgram(main, L"VornHush trace host");
    if (addOn.module == nullptr) {
        return check::Finish("trace_host");
    }
    const auto base = reinterpret_cast<unsigned long>(addOn.module);
    std::printf("module image: %08lx-%08lx\n", base, base + ImageSize(addOn.module));

    check::Section("one life of the add-on: start, close a window, end");
    CHECK(addOn.start(main.handle) == 1);
    CHECK(UntitledOwnedWindowIsClosed(main.handle));
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

    CHECK(FreeLibrary(addOn.module));
    return check::Finish("trace_host");
}
