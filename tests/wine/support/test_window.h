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

// Handles every message waiting for the calling thread.
void PumpMessages();

// Presents an untitled window owned by owner on the calling thread and says
// whether the add-on closed it with exactly one close request, or left it
// alone without any.
bool UntitledOwnedWindowIsClosed(HWND owner);
bool UntitledOwnedWindowIsKept(HWND owner);
