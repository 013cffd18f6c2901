// Starting and ending the add-on on the in-memory desktop: the service calls
// each sequence of host calls makes, and what the hook then does.
#include "module/VornHush.h"

#include "hook/cbt_hook.h"
#include "tests/support/case_name.h"
#include "tests/support/desktop_cast.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

using namespace cast;
using standin::Call;
using standin::HandleValue;
using standin::WindowHandle;

// The stand-in numbers hooks from 0x7001 on.
std::intptr_t HookNumber(int n) { return 0x7000 + n; }

Call LookUpHost(std::intptr_t window = kMain) { return {"GetWindowThreadProcessId", {window}}; }

Call InstallHook()
{
    return {"SetWindowsHookExW",
            {WH_CBT, reinterpret_cast<std::intptr_t>(&CbtHookProc), HandleValue(standin::ThisModule()), 0}};
}

Call RemoveHook(int n) { return {"UnhookWindowsHookEx", {HookNumber(n)}}; }

class AddOnTest : public testing::Test {
protected:
    void SetUp() override
    {
        ResetModuleState();
        g_sharedModuleHandle = standin::ThisModule();
        desktop.AddWindow({.handle = kMain, .processId = kHost, .title = u"Main"});
        desktop.AddWindow({.handle = kForeignMain, .processId = kOther, .title = u"Other"});
    }

    void TearDown() override { ResetModuleState(); }

    standin::Desktop desktop;
};

enum class Step { Start, RefusedStart, End };

struct SequenceCase {
    const char* name;
    std::vector<Step> steps;
    Calls expected;
    int hookLeft;    // the hook installed at the end, by number; 0 for none
};

void PrintTo(const SequenceCase& c, std::ostream* out) { *out << c.name; }

const SequenceCase kSequences[] = {
    {"end without start", {Step::End}, {}, 0},
    {"start then end", {Step::Start, Step::End}, {LookUpHost(), InstallHook(), RemoveHook(1)}, 0},
    {"refused start then end", {Step::RefusedStart, Step::End}, {LookUpHost(), InstallHook()}, 0},
    {"start again after end",
     {Step::Start, Step::End, Step::Start, Step::End},
     {LookUpHost(), InstallHook(), RemoveHook(1), LookUpHost(), InstallHook(), RemoveHook(2)},
     0},
    {"repeated start replaces the hook",
     {Step::Start, Step::Start},
     {LookUpHost(), InstallHook(), RemoveHook(1), LookUpHost(), InstallHook()},
     2},
    {"repeated end removes once",
     {Step::Start, Step::End, Step::End},
     {LookUpHost(), InstallHook(), RemoveHook(1)},
     0},
};

class SequenceTest : public AddOnTest, public testing::WithParamInterface<SequenceCase> {};

TEST_P(SequenceTest, MakesTheExpectedCallsAndKeepsOneHookAtMost)
{
    for (const Step step : GetParam().steps) {
        desktop.RefuseHooks(step == Step::RefusedStart);
        const int result = step == Step::End ? VornAddonEnd() : VornAddonStart(WindowHandle(kMain));
        EXPECT_EQ(result, 1);
    }

    EXPECT_EQ(desktop.Calls(), GetParam().expected);
    const auto hooks = desktop.Hooks();
    if (GetParam().hookLeft == 0) {
        EXPECT_TRUE(hooks.empty());
        EXPECT_EQ(g_hookHandle, nullptr);
    } else {
        ASSERT_EQ(hooks.size(), 1u);
        EXPECT_EQ(HandleValue(hooks[0].handle), HookNumber(GetParam().hookLeft));
        EXPECT_EQ(g_hookHandle, hooks[0].handle);
    }
}

INSTANTIATE_TEST_SUITE_P(HostCalls, SequenceTest, testing::ValuesIn(kSequences), CaseName<SequenceCase>);

TEST_F(AddOnTest, EventDuringInstallationSeesTheHostButNoHookHandleYet)
{
    desktop.AddWindow({.handle = kDialog, .processId = kHost, .title = u"", .parent = kMain});
    desktop.OnHookInstalled([this] { desktop.Activate(kDialog); });

    VornAddonStart(WindowHandle(kMain));

    // The hook handle is not stored yet: the event is passed on with 0.
    const Calls expected = Calls{LookUpHost(), InstallHook()} + Screening(kDialog) +
                           Calls{CloseRequest(kDialog), {"CallNextHookEx", {0, HCBT_ACTIVATE, kDialog, 0}}};
    EXPECT_EQ(desktop.Calls(), expected);
    EXPECT_EQ(g_hookHandle, desktop.Hooks().at(0).handle);
}

TEST_F(AddOnTest, RefusedStartLeavesTheHostRecordedAndNoHook)
{
    desktop.RefuseHooks(true);

    EXPECT_EQ(VornAddonStart(WindowHandle(kMain)), 1);

    EXPECT_EQ(g_hostProcessId, kHost);
    EXPECT_EQ(g_hookHandle, nullptr);
}

struct HostWindowCase {
    const char* name;
    std::intptr_t hostWindow;
    DWORD recorded;
};

void PrintTo(const HostWindowCase& c, std::ostream* out) { *out << c.name; }

const HostWindowCase kHostWindows[] = {
    {"own main window", kMain, kHost},
    {"window of another process", kForeignMain, kOther},
    {"null handle", 0, 0},
    {"handle naming no window", 999, 0},
};

class HostWindowTest : public AddOnTest, public testing::WithParamInterface<HostWindowCase> {};

TEST_P(HostWindowTest, RecordsTheProcessThatOwnsIt)
{
    g_hostProcessId = 55;   // left from an earlier start

    EXPECT_EQ(VornAddonStart(WindowHandle(GetParam().hostWindow)), 1);

    EXPECT_EQ(g_hostProcessId, GetParam().recorded);
    EXPECT_EQ(desktop.Hooks().size(), 1u);
}

INSTANTIATE_TEST_SUITE_P(HostWindows, HostWindowTest, testing::ValuesIn(kHostWindows),
                         CaseName<HostWindowCase>);

TEST_F(AddOnTest, HookModuleIsThisProcessesOwnWhenTheSharedBlockNamesAnotherMapping)
{
    g_sharedModuleHandle = standin::ModuleHandle(0x30000000);

    VornAddonStart(WindowHandle(kMain));

    EXPECT_EQ(desktop.Hooks().at(0).module, standin::ThisModule());
}

TEST_F(AddOnTest, WhileStartedClosesUntitledOwnedHostWindowsOnly)
{
    auto untitledOwned = [](std::intptr_t handle, DWORD processId, std::intptr_t owner) {
        return standin::Window{.handle = handle, .processId = processId, .title = u"", .parent = owner};
    };

    VornAddonStart(WindowHandle(kMain));
    desktop.AddWindow(untitledOwned(kDialog, kHost, kMain));
    desktop.AddWindow(untitledOwned(21, kOther, kForeignMain));
    desktop.Activate(kDialog);
    desktop.Activate(21);
    EXPECT_FALSE(desktop.Exists(kDialog));
    EXPECT_TRUE(desktop.Exists(21));

    VornAddonEnd();
    desktop.AddWindow(untitledOwned(kDialog, kHost, kMain));
    desktop.Activate(kDialog);
    EXPECT_TRUE(desktop.Exists(kDialog));
}

TEST_F(AddOnTest, StartedWithAnotherProcessesWindowClosesNothingOfItsOwn)
{
    VornAddonStart(WindowHandle(kForeignMain));
    desktop.AddWindow({.handle = kDialog, .processId = kHost, .title = u"", .parent = kMain});

    desktop.Activate(kDialog);

    EXPECT_TRUE(desktop.Exists(kDialog));
}

}  // namespace
