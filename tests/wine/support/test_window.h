// Real windows for the Windows test programs, each with a record of the
// close requests it received.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

struct TestWindow {
    HWND handle = nullptr;
    int closeRequests = 0;
    WPARAM closeWParam = ~WPARAM{0};
    LPARAM closeLParam = ~LPARAM{0};
    // Runs when a close request arrives, before the window is destroyed.
    std::function<void()> onClose;

    TestWindow() = default;
    TestWindow(const TestWindow&) = delete;
    TestWindow& operator=(const TestWindow&) = delete;
    ~TestWindow();

    // Creates the window on the calling thread. owner is the owner of a
    // pop-up window, or nullptr.
    void Create(const std::wstring& title, HWND owner, DWORD style = WS_POPUP);
    // Shows and so activates the window, then handles what that queued.
    void Present();
    bool Exists() const;
};

// A window of the kind a host's main window is: titled, top-level, shown.
void CreateMainWindow(TestWindow& window, const wchar_t* title);

// Handles every message waiting for the calling thread.
void PumpMessages();

// Waits for all of the handles to be signalled while handling the calling
// thread's messages, as a window's thread must: activation in one thread or
// process sends messages to windows of others and waits for them. Returns
// false when the time ran out.
bool WaitHandlingMessages(DWORD count, const HANDLE* handles, DWORD milliseconds);

// Presents an untitled window owned by owner on the calling thread and says
// whether the add-on closed it with exactly one close request, or left it
// alone without any.
bool UntitledOwnedWindowIsClosed(HWND owner);
bool UntitledOwnedWindowIsKept(HWND owner);

// Runs an untitled modal dialog owned by owner, of the usual kind: OK and
// Cancel end it with their ids. Left alone, it ends itself with 0 after five
// seconds. Returns what DialogBoxIndirectParamW returned.
INT_PTR RunUntitledModalDialog(HWND owner);

// What became of the untitled owned windows that PresentOnThreads brought up.
struct WindowCounts {
    LONG closed = 0;   // closed with exactly one close request
    LONG kept = 0;     // still there, never asked to close
    LONG total = 0;
};

// Brings up windowsPerThread untitled windows owned by owner on each of
// threads new threads at once, once go is signalled, and counts the outcomes.
WindowCounts PresentOnThreads(HWND owner, int threads, int windowsPerThread, HANDLE go);
