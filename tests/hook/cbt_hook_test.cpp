// The hook procedure on the in-memory desktop: the service calls it makes,
// in order, compared with expected tables, and the result it returns.
#include "hook/cbt_hook.h"

#include "tests/support/case_name.h"
#include "tests/support/desktop_cast.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

using namespace cast;
using standin::Call;
using standin::TextReply;
using standin::Window;

constexpr std::intptr_t kHookHandle = 0x4242;
// Passed as the activation's CBTACTIVATESTRUCT pointer: the procedure never
// reads it, and this value is no address it could read.
constexpr LPARAM kActivateInfo = 0x5150;

Call PassOn(std::intptr_t hook, int code, std::intptr_t wParam, LPARAM lParam = kActivateInfo)
{
    return {"CallNextHookEx", {hook, code, wParam, lParam}};
}

class CbtHookProcTest : public testing::Test {
protected:
    void SetUp() override
    {
        g_hookHandle = reinterpret_cast<HHOOK>(kHookHandle);
        g_hostProcessId = kHost;
        desktop.InstallHook(WH_CBT, CbtHookProc, nullptr, 0);
        desktop.AddWindow({.handle = kMain, .processId = kHost, .title = u"Main"});
    }

    void TearDown() override { ResetModuleState(); }

    // A handler that, asked to close, activates the window's owner and then
    // goes away, as a dialog does when it hands activation back.
    std::function<void(UINT, WPARAM, LPARAM)> ActivatesOwnerOnClose(std::intptr_t window,
                                                                    std::intptr_t owner)
    {
        return [this, window, owner](UINT message, WPARAM, LPARAM) {
            if (message == WM_CLOSE) {
                desktop.Activate(owner, kActivateInfo);
                desktop.Destroy(window);
            }
        };
    }

    standin::Desktop desktop;
};

struct ActivationCase {
    const char* name;
    Window window;
    bool named = true;   // false: the handle names no window on the desktop
    bool closed;
};

void PrintTo(const ActivationCase& c, std::ostream* out) { *out << c.name; }

const ActivationCase kActivationCases[] = {
    {"untitled owned window of the host",
     {.handle = kDialog, .processId = kHost, .title = u"", .parent = kMain}, true, true},
    {"titled",
     {.handle = kDialog, .processId = kHost, .title = u"Options", .parent = kMain}, true, false},
    {"without parent or owner",
     {.handle = kDialog, .processId = kHost, .title = u""}, true, false},
    {"of another process",
     {.handle = kDialog, .processId = kOther, .title = u"", .parent = kMain}, true, false},
    {"giving no text",
     {.handle = kDialog, .processId = kHost, .title = u"Hidden", .parent = kMain,
      .textReply = TextReply::WritesNothing}, true, true},
    {"reporting a count with a NUL first unit",
     {.handle = kDialog, .processId = kHost, .title = u"Hidden", .parent = kMain,
      .textReply = TextReply::NulWithCount}, true, true},
    {"titled with over 1023 units",
     {.handle = kDialog, .processId = kHost, .title = std::u16string(5000, u'x'), .parent = kMain},
     true, false},
    {"naming no window", {.handle = kDialog}, false, false},
};

class ActivationTest : public CbtHookProcTest, public testing::WithParamInterface<ActivationCase> {};

TEST_P(ActivationTest, QueriesJudgesAndPassesOn)
{
    const ActivationCase& c = GetParam();
    for (const LRESULT nextResult : {LRESULT{0}, LRESULT{1}, LRESULT{-77}}) {
        SCOPED_TRACE(nextResult);
        if (c.named) {
            desktop.AddWindow(c.window);
        }
        desktop.SetNextHookResult(nextResult);
        desktop.ClearCalls();

        const LRESULT result = desktop.Activate(c.window.handle, kActivateInfo);

        Calls expected = Screening(c.window.handle);
        if (c.closed) {
            expected.push_back(CloseRequest(c.window.handle));
        }
        expected.push_back(PassOn(kHookHandle, HCBT_ACTIVATE, c.window.handle));
        EXPECT_EQ(desktop.Calls(), expected);
        EXPECT_EQ(result, nextResult);
        EXPECT_EQ(desktop.Exists(c.window.handle), c.named && !c.closed);
    }
}

INSTANTIATE_TEST_SUITE_P(Windows, ActivationTest, testing::ValuesIn(kActivationCases),
                         CaseName<ActivationCase>);

TEST_F(CbtHookProcTest, AWindowGivingNoTextIsNotJudgedOnTheTitleScreenedBefore)
{
    // Both captures land in the same place on this thread's stack.
    desktop.AddWindow({.handle = kDialog, .processId = kHost, .title = u"Options", .parent = kMain});
    desktop.AddWindow({.handle = kInnerDialog, .processId = kHost, .title = u"Hidden", .parent = kMain,
                       .textReply = TextReply::WritesNothing});

    desktop.Activate(kDialog, kActivateInfo);
    desktop.Activate(kInnerDialog, kActivateInfo);

    EXPECT_TRUE(desktop.Exists(kDialog));
    EXPECT_FALSE(desktop.Exists(kInnerDialog));
}

TEST_F(CbtHookProcTest, PassesEveryOtherCodeOnUntouched)
{
    desktop.AddWindow({.handle = kDialog, .processId = kHost, .title = u"", .parent = kMain});
    desktop.SetNextHookResult(31);

    for (const int code : {-1, 0, HCBT_CREATEWND, HCBT_SETFOCUS, 4, 6, 8}) {
        SCOPED_TRACE(code);
        desktop.ClearCalls();

        EXPECT_EQ(desktop.SendCbtEvent(code, kDialog, kActivateInfo), 31);
        EXPECT_EQ(desktop.Calls(), Calls{PassOn(kHookHandle, code, kDialog)});
    }
    EXPECT_TRUE(desktop.Exists(kDialog));
}

TEST_F(CbtHookProcTest, InAProcessWhereTheAddOnWasNeverStartedClosesNothing)
{
    g_hookHandle = nullptr;
    g_hostProcessId = 0;
    const std::intptr_t kForeignDialog = 20;
    desktop.AddWindow({.handle = kDialog, .processId = kHost, .title = u"", .parent = kMain});
    desktop.AddWindow({.handle = kForeignDialog, .processId = kOther, .title = u"", .parent = kMain});

    for (const std::intptr_t window : {kDialog, kForeignDialog, kMain}) {
        SCOPED_TRACE(window);
        desktop.ClearCalls();
        desktop.Activate(window, kActivateInfo);
        EXPECT_EQ(desktop.Calls(), Screening(window) + Calls{PassOn(0, HCBT_ACTIVATE, window)});
        EXPECT_TRUE(desktop.Exists(window));
    }
}

TEST_F(CbtHookProcTest, OwnerActivatedWhileClosingIsJudgedOnItsOwn)
{
    // An untitled main window has no owner, so it stays.
    desktop.AddWindow({.handle = kMain, .processId = kHost, .title = u""});
    desktop.AddWindow({.handle = kDialog, .processId = kHost, .title = u"", .parent = kMain,
                       .handler = ActivatesOwnerOnClose(kDialog, kMain)});
    desktop.SetNextHookResult(5);

    EXPECT_EQ(desktop.Activate(kDialog, kActivateInfo), 5);

    const Calls expected = Screening(kDialog) + Calls{CloseRequest(kDialog)} +
                           Screening(kMain) + Calls{PassOn(kHookHandle, HCBT_ACTIVATE, kMain)} +
                           Calls{PassOn(kHookHandle, HCBT_ACTIVATE, kDialog)};
    EXPECT_EQ(desktop.Calls(), expected);
    EXPECT_TRUE(desktop.Exists(kMain));
    EXPECT_FALSE(desktop.Exists(kDialog));
}

TEST_F(CbtHookProcTest, UntitledOwnerActivatedWhileClosingIsClosedToo)
{
    desktop.AddWindow({.handle = kDialog, .processId = kHost, .title = u"", .parent = kMain,
                       .handler = ActivatesOwnerOnClose(kDialog, kMain)});
    desktop.AddWindow({.handle = kInnerDialog, .processId = kHost, .title = u"", .parent = kDialog,
                       .handler = ActivatesOwnerOnClose(kInnerDialog, kDialog)});

    desktop.Activate(kInnerDialog, kActivateInfo);

    const Calls expected = Screening(kInnerDialog) + Calls{CloseRequest(kInnerDialog)} +
                           Screening(kDialog) + Calls{CloseRequest(kDialog)} +
                           Screening(kMain) + Calls{PassOn(kHookHandle, HCBT_ACTIVATE, kMain)} +
                           Calls{PassOn(kHookHandle, HCBT_ACTIVATE, kDialog)} +
                           Calls{PassOn(kHookHandle, HCBT_ACTIVATE, kInnerDialog)};
    EXPECT_EQ(desktop.Calls(), expected);
    EXPECT_FALSE(desktop.Exists(kInnerDialog));
    EXPECT_FALSE(desktop.Exists(kDialog));
    EXPECT_TRUE(desktop.Exists(kMain));
}

}  // namespace
