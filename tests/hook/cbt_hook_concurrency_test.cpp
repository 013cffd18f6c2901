// Many threads inside the hook procedure at once, nested calls included: each
// judges its own window, whatever the others do. Run under ThreadSanitizer by
// ./test.sh as well.
#include "hook/cbt_hook.h"

#include "tests/support/desktop_cast.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <thread>
#include <vector>

namespace {

using namespace cast;

constexpr int kThreads = 8;
constexpr int kRoundsPerThread = 200;

// Every round brings up the same four kinds of window on its thread.
enum Kind { kUntitledHost, kTitledHost, kUntitledForeign, kNestedPair, kKinds };

TEST(CbtHookConcurrencyTest, ThreadsJudgeTheirOwnWindowsOnly)
{
    standin::Desktop desktop;
    desktop.InstallHook(WH_CBT, CbtHookProc, nullptr, 0);
    g_hookHandle = reinterpret_cast<HHOOK>(0x4242);
    g_hostProcessId = kHost;

    desktop.AddWindow({.handle = kMain, .processId = kHost, .title = u"Main"});
    desktop.AddWindow({.handle = kForeignMain, .processId = kOther, .title = u"Other"});

    // Handles: thread, round and kind in distinct digits; a nested pair's
    // owner is the handle plus 1.
    auto handleOf = [](int thread, int round, int kind) {
        return std::intptr_t{1'000'000} + thread * 100'000 + round * 10 + kind * 2;
    };

    std::atomic<int> ready{0};
    std::vector<std::thread> threads;
    for (int t = 0; t < kThreads; ++t) {
        threads.emplace_back([&, t] {
            ready.fetch_add(1);
            while (ready.load() < kThreads) {
                std::this_thread::yield();
            }
            for (int r = 0; r < kRoundsPerThread; ++r) {
                const std::intptr_t untitled = handleOf(t, r, kUntitledHost);
                const std::intptr_t titled = handleOf(t, r, kTitledHost);
                const std::intptr_t foreign = handleOf(t, r, kUntitledForeign);
                const std::intptr_t nested = handleOf(t, r, kNestedPair);
                const std::intptr_t nestedOwner = nested + 1;

                desktop.AddWindow({.handle = untitled, .processId = kHost, .title = u"", .parent = kMain});
                desktop.AddWindow({.handle = titled, .processId = kHost, .title = u"Options", .parent = kMain});
                desktop.AddWindow({.handle = foreign, .processId = kOther, .title = u"", .parent = kForeignMain});
                desktop.AddWindow({.handle = nestedOwner, .processId = kHost, .title = u"", .parent = kMain});
                desktop.AddWindow({.handle = nested, .processId = kHost, .title = u"", .parent = nestedOwner,
                                   .handler = [&desktop, nested, nestedOwner](UINT message, WPARAM, LPARAM) {
                                       if (message == WM_CLOSE) {
                                           desktop.Activate(nestedOwner);
                                           desktop.Destroy(nested);
                                       }
                                   }});
                for (const std::intptr_t window : {untitled, titled, foreign, nested}) {
                    desktop.Activate(window);
                }
            }
        });
    }
    for (std::thread& thread : threads) {
        thread.join();
    }

    int kept = 0;
    int closed = 0;
    for (int t = 0; t < kThreads; ++t) {
        for (int r = 0; r < kRoundsPerThread; ++r) {
            const bool untitledGone = !desktop.Exists(handleOf(t, r, kUntitledHost));
            const bool titledKept = desktop.Exists(handleOf(t, r, kTitledHost));
            const bool foreignKept = desktop.Exists(handleOf(t, r, kUntitledForeign));
            const bool pairGone = !desktop.Exists(handleOf(t, r, kNestedPair)) &&
                                  !desktop.Exists(handleOf(t, r, kNestedPair) + 1);
            closed += untitledGone + 2 * pairGone;
            kept += titledKept + foreignKept;
        }
    }
    const int rounds = kThreads * kRoundsPerThread;
    EXPECT_EQ(closed, 3 * rounds);
    EXPECT_EQ(kept, 2 * rounds);

    const auto calls = desktop.Calls();
    const auto count = [&calls](const char* service) {
        return std::count_if(calls.begin(), calls.end(),
                             [service](const standin::Call& call) { return call.service == service; });
    };
    // One close request for each closed window, one pass-on for each of the
    // five activations a round makes.
    EXPECT_EQ(count("SendMessageW"), 3 * rounds);
    EXPECT_EQ(count("CallNextHookEx"), 5 * rounds);

    ResetModuleState();
}

}  // namespace
