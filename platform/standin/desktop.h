// An in-memory desktop for native tests: windows with an owning process, a
// title, a parent or owner and a message handler; a CBT hook chain; and a log
// of every service call the add-on makes, with its arguments.
#pragma once

#include "platform/standin/windows_services.h"

#include <cstdint>
#include <functional>
#include <map>
#include <mutex>
#include <ostream>
#include <string>
#include <vector>

namespace standin {

// Handles are plain numbers chosen by the tests, so expected call tables can
// name them.
inline HWND WindowHandle(std::intptr_t value) { return reinterpret_cast<HWND>(value); }
inline HINSTANCE ModuleHandle(std::intptr_t value) { return reinterpret_cast<HINSTANCE>(value); }
template <typename Handle>
std::intptr_t HandleValue(Handle handle) { return reinterpret_cast<std::intptr_t>(handle); }

// This module's own handle, as the linker's image symbol gives it.
HINSTANCE ThisModule();

// How a window answers GetWindowTextW.
enum class TextReply {
    Copy,                // its title, cut to count - 1 units, then a NUL
    WritesNothing,       // nothing written, returns 0: a window that gives no text
    NulWithCount,        // a NUL first unit, yet returns a non-zero count
};

struct Window {
    std::intptr_t handle = 0;
    DWORD processId = 0;
    std::u16string title{};
    std::intptr_t parent = 0;    // parent or owner; 0 for none
    TextReply textReply = TextReply::Copy;
    // Handles every message sent to the window. Without a handler, WM_CLOSE
    // destroys the window, as the default window procedure does.
    std::function<void(UINT message, WPARAM wParam, LPARAM lParam)> handler{};
};

// One service call as the log keeps it: the service's name and the arguments
// that say what was asked. Pointers to the caller's own storage are left out.
struct Call {
    std::string service;
    std::vector<std::intptr_t> args;

    bool operator==(const Call&) const = default;
};
std::ostream& operator<<(std::ostream& out, const Call& call);

struct InstalledHook {
    HHOOK handle;
    int type;
    HOOKPROC procedure;
    HINSTANCE module;
    DWORD threadId;
};

// The desktop that the services act on is the one most recently constructed
// and still alive. All members are safe to call from several threads.
class Desktop {
public:
    Desktop();
    ~Desktop();
    Desktop(const Desktop&) = delete;
    Desktop& operator=(const Desktop&) = delete;

    void AddWindow(Window window);
    bool Exists(std::intptr_t handle) const;
    void Destroy(std::intptr_t handle);

    // Reports a CBT event to the newest installed hook, as the platform does
    // on the thread concerned, and returns the chain's result. Without a hook
    // the result is that of the rest of the chain.
    LRESULT SendCbtEvent(int code, WPARAM wParam, LPARAM lParam);
    LRESULT Activate(std::intptr_t window, LPARAM activateInfo = 0);

    // The rest of the chain, after the add-on's hook, returns this.
    void SetNextHookResult(LRESULT result);
    // While set, SetWindowsHookExW refuses and returns the null handle.
    void RefuseHooks(bool refuse);
    std::vector<InstalledHook> Hooks() const;
    // Runs inside SetWindowsHookExW once the hook is in place and before the
    // call returns, as events on other threads can.
    void OnHookInstalled(std::function<void()> handler);

    std::vector<Call> Calls() const;
    void ClearCalls();

    // The service implementations' side of the desktop.
    void Record(Call call);
    HHOOK InstallHook(int type, HOOKPROC procedure, HINSTANCE module, DWORD threadId);
    bool RemoveHook(HHOOK hook);
    void RunInstallHandler();
    LRESULT NextHookResult() const;
    bool FindWindow(HWND handle, Window& window) const;

private:
    mutable std::mutex mutex_;
    std::map<std::intptr_t, Window> windows_;
    std::vector<InstalledHook> hooks_;
    std::vector<Call> calls_;
    LRESULT nextHookResult_ = 0;
    bool refuseHooks_ = false;
    std::function<void()> installHandler_;
    std::intptr_t lastHookHandle_ = 0x7000;
    Desktop* previous_;
};

Desktop& CurrentDesktop();

}  // namespace standin
