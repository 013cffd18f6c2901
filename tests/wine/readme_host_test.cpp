// A host that runs the README's host code (built from the README itself):
// what a host developer pastes loads the module, starts and ends it.
#include "support/check.h"
#include "support/test_window.h"

#include <cstdio>

extern "C" BOOL StartAddOn(HWND mainWindow);
extern "C" void EndAddOn(void);

int main()
{
    std::setvbuf(stdout, nullptr, _IONBF, 0);
    TestWindow main;
    CreateMainWindow(main, L"VornHush README host");

    check::Section("the README's code starts the add-on, which closes; ended, it keeps");
    CHECK(StartAddOn(main.handle));
    CHECK(UntitledOwnedWindowIsClosed(main.handle));
    EndAddOn();
    CHECK(UntitledOwnedWindowIsKept(main.handle));

    return check::Finish("readme_host_test");
}
