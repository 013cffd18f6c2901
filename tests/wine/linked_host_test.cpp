// A host linked against the import library, calling the add-on through the
// shipped header: the module loads with the program.
#include "module/VornHush.h"
#include "support/check.h"
#include "support/test_window.h"

#include <cstdio>

int main()
{
    std::setvbuf(stdout, nullptr, _IONBF, 0);

    TestWindow main;
    CreateMainWindow(main, L"VornHush linked host");

    check::Section("started through the import library, the add-on closes; ended, it keeps");
    CHECK(VornAddonStart(main.handle) == 1);
    CHECK(UntitledOwnedWindowIsClosed(main.handle));
    CHECK(VornAddonEnd() == 1);
    CHECK(UntitledOwnedWindowIsKept(main.handle));

    return check::Finish("linked_host_test");
}
