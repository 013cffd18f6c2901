// Feeds arbitrary hook codes, titles, text replies and window facts through
// the hook procedure on the in-memory desktop, and arbitrary titles through
// the rule, and stops at the first verdict or call sequence that differs from
// what the add-on promises.
#include "hook/cbt_hook.h"
#include "rule/activation_rule.h"

#include "tests/support/desktop_cast.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

using namespace cast;

void Require(bool condition, const char* what)
{
    if (!condition) {
        std::fprintf(stderr, "hook_fuzzer: %s\n", what);
        std::abort();
    }
}

// The input, byte by byte: flags, hook code, then the title's units.
struct Event {
    bool windowExists;
    bool hasParent;
    bool ownedByHost;
    bool hostRecorded;
    standin::TextReply textReply;
    int code;
    std::u16string title;
};

Event Decode(const std::uint8_t* data, std::size_t size)
{
    const std::uint8_t flags = size > 0 ? data[0] : 0;
    Event event{};
    event.windowExists = flags & 0x01;
    event.hasParent = flags & 0x02;
    event.ownedByHost = flags & 0x04;
    event.hostRecorded = !(flags & 0x08);
    event.textReply = static_cast<standin::TextReply>((flags >> 4) % 3);
    // Mostly activations, otherwise any code, negative ones included.
    event.code = size > 1 ? ((data[1] & 0x80) ? HCBT_ACTIVATE : static_cast<std::int8_t>(data[1] << 1) >> 1)
                          : HCBT_ACTIVATE;
    for (std::size_t i = 2; i + 1 < size; i += 2) {
        event.title.push_back(static_cast<char16_t>(data[i] | (data[i + 1] << 8)));
    }
    return event;
}

void CheckTheRule(const Event& event)
{
    std::u16string title = event.title;
    NormalizeTitle(title);
    Require(title.size() == event.title.size(), "normalising changed the length");
    for (std::size_t i = 0; i < title.size(); ++i) {
        const char16_t before = event.title[i];
        const char16_t expected = (before >= u'A' && before <= u'Z') ? before + 0x20 : before;
        Require(title[i] == expected, "normalising changed a unit outside A to Z");
    }

    std::u16string capture = event.title;
    const WindowFacts facts{event.ownedByHost ? kHost : kOther, capture, event.hasParent};
    const bool verdict = ShouldCloseWindow(facts, kHost);
    Require(verdict == (event.hasParent && event.title.empty() && event.ownedByHost),
            "the rule's verdict is wrong");
}

void CheckTheHook(const Event& event)
{
    standin::Desktop desktop;
    constexpr LRESULT kNextResult = 0x600D;
    constexpr LPARAM kActivateInfo = 0x5150;
    desktop.SetNextHookResult(kNextResult);
    g_hookHandle = reinterpret_cast<HHOOK>(0x4242);
    g_hostProcessId = event.hostRecorded ? kHost : 0;
    if (event.windowExists) {
        desktop.AddWindow({.handle = kDialog,
                           .processId = event.ownedByHost ? kHost : kOther,
                           .title = event.title,
                           .parent = event.hasParent ? kMain : 0,
                           .textReply = event.textReply});
    }

    const LRESULT result = CbtHookProc(event.code, kDialog, kActivateInfo);

    // The capture ends at the first NUL unit, or is empty when the window
    // gives no text.
    const bool capturedEmpty = event.textReply != standin::TextReply::Copy || event.title.empty() ||
                               event.title[0] == u'\0';
    const bool close = event.code == HCBT_ACTIVATE && event.windowExists && event.hasParent &&
                       event.ownedByHost && event.hostRecorded && capturedEmpty;

    Calls expected;
    if (event.code == HCBT_ACTIVATE) {
        expected = Screening(kDialog);
    }
    if (close) {
        expected.push_back(CloseRequest(kDialog));
    }
    expected.push_back({"CallNextHookEx", {0x4242, event.code, kDialog, kActivateInfo}});
    Require(desktop.Calls() == expected, "the hook's calls differ");
    Require(result == kNextResult, "the hook did not return the next hook's result");
    Require(desktop.Exists(kDialog) == (event.windowExists && !close), "the wrong window went");

    ResetModuleState();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const Event event = Decode(data, size);
    CheckTheRule(event);
    CheckTheHook(event);
    return 0;
}
