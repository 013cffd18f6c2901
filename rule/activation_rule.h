// The activation rule: whether a window that is about to be activated is to
// be closed. Pure logic over facts that the hook procedure gathers; it calls
// no platform function and keeps no state.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

// One UTF-16 code unit of a window title. Where the compiler's wchar_t is
// 16 bits wide (Windows) titles use it, so the platform's wide text functions
// write into them directly; elsewhere they are char16_t.
#if WCHAR_MAX == 0xFFFF
using TitleUnit = wchar_t;
#else
using TitleUnit = char16_t;
#endif
static_assert(sizeof(TitleUnit) == 2, "titles are UTF-16 code units");

// Room for a captured title, in units, terminating NUL included: a captured
// title is at most kTitleBufferChars - 1 units long.
inline constexpr std::size_t kTitleBufferChars = 1024;

// The normalised title that marks a window for closing.
inline constexpr std::basic_string_view<TitleUnit> kTargetTitle{};

struct WindowFacts {
    std::uint32_t processId;      // process that owns the window
    std::span<TitleUnit> title;   // captured title, no NUL unit, at most 1023 units
    bool hasParent;               // the window has a parent or an owner
};

// Maps "A".."Z" (U+0041..U+005A) to "a".."z" in place and leaves every other
// unit as it is, whatever the locale.
void NormalizeTitle(std::span<TitleUnit> title) noexcept;

// True when the window is to be closed: it has a parent or owner, its
// normalised title equals kTargetTitle, and it belongs to hostProcessId.
// Normalises facts.title in place on every call; the title is the caller's
// capture for this one event, and normalising it again changes nothing.
bool ShouldCloseWindow(const WindowFacts& facts, std::uint32_t hostProcessId) noexcept;
