// Another process on the desktop of a host that runs the add-on. What it
// does is named by its first argument; it reports through its exit code.
//   window      presents an untitled owned window of its own and checks
//               that the hook reached it and left the window alone
//   host        starts and ends the add-on itself, as a second host
//   relocated   maps the module at another address, signals the event
//               named by the second argument and waits for the third
//   load        releases the semaphore named by the second argument once
//               ready, then, when the event named by the third is set, brings
//               up untitled owned windows on several threads at once; its exit
//               code counts the windows that were not left alone
#include "module/VornHush.h"
#include "support/check.h"
#include "support/programs.h"
#include "support/test_window.h"

#include <cstdio>
#include <cwchar>
#include <string>

namespace {

void KeepsItsUntitledOwnedWindow()
{
    check::Section("bystander: untitled owned window stays while the hook runs here");
    TestWindow main;
    CreateMainWindow(main, L"Bystander");
    TestWindow dialog;
    dialog.Create(L"", main.handle);
    dialog.Present();
    CHECK(dialog.closeRequests == 0);
    CHECK(dialog.Exists());

    // The platform mapped the module here for the hook, at the same address
    // as in the host, so the shared block names this mapping too.
    HMODULE mapped = GetModuleHandleW(L"VornHush.dll");
    CHECK(mapped != nullptr);
    if (mapped == nullptr) {
        return;
    }
    CHECK(SharedBlockValue(mapped) == mapped);

    check::Section("bystander: its own end removes nothing of the host's");
    auto end = ExportOf<VornAddonEndProc>(mapped, "VornAddonEnd");
    CHECK(end != nullptr && end() == 1);
}

void RunsTheAddOnItself()
{
    check::Section("bystander: a second host closes its own untitled owned windows");
    const AddOn addOn = LoadAddOn();
    CHECK(addOn.module != nullptr);
    if (addOn.module == nullptr) {
        return;
    }
    TestWindow main;
    CreateMainWindow(main, L"Second host");
    CHECK(addOn.start(main.handle) == 1);
    CHECK(UntitledOwnedWindowIsClosed(main.handle));
    CHECK(addOn.end() == 1);
    CHECK(FreeLibrary(addOn.module));
}

void MapsTheModuleElsewhere(const wchar_t* loadedEvent, const wchar_t* doneEvent)
{
    check::Section("bystander: maps the module at another address");
    // Take the module's preferred range first, so the loader must move it.
    void* taken = VirtualAlloc(reinterpret_cast<void*>(0x10000000), 0x100000, MEM_RESERVE, PAGE_NOACCESS);
    CHECK(taken != nullptr);
    HMODULE module = LoadLibraryW(L"VornHush.dll");
    CHECK(module != nullptr && module != reinterpret_cast<HMODULE>(0x10000000));
    if (module == nullptr) {
        return;
    }
    CHECK(SharedBlockValue(module) == module);
    std::printf("  bystander: mapped at %p\n", static_cast<void*>(module));

    HANDLE loaded = OpenEventW(EVENT_MODIFY_STATE, FALSE, loadedEvent);
    HANDLE done = OpenEventW(SYNCHRONIZE, FALSE, doneEvent);
    CHECK(loaded != nullptr && done != nullptr);
    SetEvent(loaded);
    CHECK(WaitHandlingMessages(1, &done, 60000));
    CHECK(FreeLibrary(module));
}

int BringsUpWindowsUnderLoad(const wchar_t* readySemaphore, const wchar_t* goEvent, int threads,
                             int windowsPerThread)
{
    TestWindow main;
    CreateMainWindow(main, L"Bystander under load");
    HANDLE ready = OpenSemaphoreW(SEMAPHORE_MODIFY_STATE, FALSE, readySemaphore);
    HANDLE go = OpenEventW(SYNCHRONIZE, FALSE, goEvent);
    if (ready == nullptr || go == nullptr) {
        return 1000;
    }
    ReleaseSemaphore(ready, 1, nullptr);
    const WindowCounts counts = PresentOnThreads(main.handle, threads, windowsPerThread, go);
    const bool hookReachedHere = GetModuleHandleW(L"VornHush.dll") != nullptr;
    std::printf("  bystander %lu: %ld of %ld untitled owned windows kept, %ld closed, module %s\n",
                GetCurrentProcessId(), counts.kept, counts.total, counts.closed,
                hookReachedHere ? "mapped by the hook" : "never mapped");
    CloseHandle(ready);
    CloseHandle(go);
    // Windows kept without the hook running here would prove nothing.
    return hookReachedHere ? counts.total - counts.kept : counts.total;
}

}  // namespace

int wmain(int argc, wchar_t** argv)
{
    std::setvbuf(stdout, nullptr, _IONBF, 0);
    const std::wstring mode = argc > 1 ? argv[1] : L"";
    if (mode == L"window") {
        KeepsItsUntitledOwnedWindow();
    } else if (mode == L"host") {
        RunsTheAddOnItself();
    } else if (mode == L"load" && argc > 5) {
        return BringsUpWindowsUnderLoad(argv[2], argv[3], _wtoi(argv[4]), _wtoi(argv[5]));
    } else if (mode == L"relocated" && argc > 3) {
        MapsTheModuleElsewhere(argv[2], argv[3]);
    } else {
        std::printf("bystander: unknown mode\n");
        return 2;
    }
    return check::Finish("bystander");
}
