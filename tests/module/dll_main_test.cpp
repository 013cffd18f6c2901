#include "module/dll_main.h"

#include "tests/support/desktop_cast.h"

#include <gtest/gtest.h>

namespace {

using standin::Call;
using standin::ModuleHandle;

class DllMainTest : public testing::Test {
protected:
    void SetUp() override { cast::ResetModuleState(); }
    void TearDown() override { cast::ResetModuleState(); }

    standin::Desktop desktop;
};

TEST_F(DllMainTest, AttachSwitchesOffThreadCallsThenSharesTheHandle)
{
    EXPECT_EQ(DllMain(ModuleHandle(0x10000000), DLL_PROCESS_ATTACH, nullptr), 1);

    const std::vector<Call> expected{{"DisableThreadLibraryCalls", {0x10000000}}};
    EXPECT_EQ(desktop.Calls(), expected);
    EXPECT_EQ(g_sharedModuleHandle, ModuleHandle(0x10000000));
    EXPECT_EQ(g_hookHandle, nullptr);
    EXPECT_EQ(g_hostProcessId, 0u);
}

TEST_F(DllMainTest, EveryOtherReasonDoesNothingAndSucceeds)
{
    g_sharedModuleHandle = ModuleHandle(0x10000000);
    g_hookHandle = reinterpret_cast<HHOOK>(0x4242);
    g_hostProcessId = 7;

    for (const DWORD reason : {DLL_PROCESS_DETACH, DLL_THREAD_ATTACH, DLL_THREAD_DETACH, DWORD{4},
                               DWORD{0xFFFFFFFF}}) {
        SCOPED_TRACE(reason);
        EXPECT_EQ(DllMain(ModuleHandle(0x20000000), reason, nullptr), 1);
    }
    EXPECT_TRUE(desktop.Calls().empty());
    EXPECT_EQ(g_sharedModuleHandle, ModuleHandle(0x10000000));
    EXPECT_EQ(g_hookHandle, reinterpret_cast<HHOOK>(0x4242));
    EXPECT_EQ(g_hostProcessId, 7u);
}

TEST_F(DllMainTest, LaterAttachOverwritesTheSharedHandleOnly)
{
    // The host has started the add-on; another process then maps the module
    // at a different address.
    DllMain(ModuleHandle(0x10000000), DLL_PROCESS_ATTACH, nullptr);
    g_hookHandle = reinterpret_cast<HHOOK>(0x4242);
    g_hostProcessId = 7;

    DllMain(ModuleHandle(0x30000000), DLL_PROCESS_ATTACH, nullptr);

    EXPECT_EQ(g_sharedModuleHandle, ModuleHandle(0x30000000));
    EXPECT_EQ(g_hookHandle, reinterpret_cast<HHOOK>(0x4242));
    EXPECT_EQ(g_hostProcessId, 7u);
}

}  // namespace
