#include "platform/standin/desktop.h"

#include <algorithm>
#include <cstdlib>
#include <iostream>

// The native build's stand-in for the linker's image symbol.
extern "C" {
IMAGE_DOS_HEADER __ImageBase = {0x5A4D};
}

namespace standin {

HINSTANCE ThisModule() { return reinterpret_cast<HINSTANCE>(&__ImageBase); }

namespace {

Desktop* g_current = nullptr;

}  // namespace

std::ostream& operator<<(std::ostream& out, const Call& call)
{
    out << call.service << '(';
    for (std::size_t i = 0; i < call.args.size(); ++i) {
        out << (i ? ", " : "") << call.args[i];
    }
    return out << ')';
}

Desktop::Desktop() : previous_(g_current) { g_current = this; }

Desktop::~Desktop() { g_current = previous_; }

Desktop& CurrentDesktop()
{
    if (g_current == nullptr) {
        std::cerr << "standin: a Windows service was called with no Desktop alive\n";
        std::abort();
    }
    return *g_current;
}

void Desktop::AddWindow(Window window)
{
    std::lock_guard lock(mutex_);
    windows_[window.handle] = std::move(window);
}

bool Desktop::Exists(std::intptr_t handle) const
{
    std::lock_guard lock(mutex_);
    return windows_.count(handle) != 0;
}

void Desktop::Destroy(std::intptr_t handle)
{
    std::lock_guard lock(mutex_);
    windows_.erase(handle);
}

LRESULT Desktop::SendCbtEvent(int code, WPARAM wParam, LPARAM lParam)
{
    HOOKPROC procedure = nullptr;
    {
        std::lock_guard lock(mutex_);
        if (!hooks_.empty()) {
            procedure = hooks_.back().procedure;
        }
    }
    return procedure ? procedure(code, wParam, lParam) : NextHookResult();
}

LRESULT Desktop::Activate(std::intptr_t window, LPARAM activateInfo)
{
    return SendCbtEvent(HCBT_ACTIVATE, static_cast<WPARAM>(window), activateInfo);
}

void Desktop::SetNextHookResult(LRESULT result)
{
    std::lock_guard lock(mutex_);
    nextHookResult_ = result;
}

void Desktop::RefuseHooks(bool refuse)
{
    std::lock_guard lock(mutex_);
    refuseHooks_ = refuse;
}

std::vector<InstalledHook> Desktop::Hooks() const
{
    std::lock_guard lock(mutex_);
    return hooks_;
}

std::vector<Call> Desktop::Calls() const
{
    std::lock_guard lock(mutex_);
    return calls_;
}

void Desktop::ClearCalls()
{
    std::lock_guard lock(mutex_);
    calls_.clear();
}

void Desktop::Record(Call call)
{
    std::lock_guard lock(mutex_);
    calls_.push_back(std::move(call));
}

HHOOK Desktop::InstallHook(int type, HOOKPROC procedure, HINSTANCE module, DWORD threadId)
{
    std::lock_guard lock(mutex_);
    if (refuseHooks_) {
        return nullptr;
    }
    HHOOK handle = reinterpret_cast<HHOOK>(++lastHookHandle_);
    hooks_.push_back({handle, type, procedure, module, threadId});
    return handle;
}

bool Desktop::RemoveHook(HHOOK hook)
{
    std::lock_guard lock(mutex_);
    auto found = std::find_if(hooks_.begin(), hooks_.end(),
                              [hook](const InstalledHook& h) { return h.handle == hook; });
    if (found == hooks_.end()) {
        return false;
    }
    hooks_.erase(found);
    return true;
}

void Desktop::OnHookInstalled(std::function<void()> handler)
{
    std::lock_guard lock(mutex_);
    installHandler_ = std::move(handler);
}

void Desktop::RunInstallHandler()
{
    std::function<void()> handler;
    {
        std::lock_guard lock(mutex_);
        handler = installHandler_;
    }
    if (handler) {
        handler();
    }
}

LRESULT Desktop::NextHookResult() const
{
    std::lock_guard lock(mutex_);
    return nextHookResult_;
}

bool Desktop::FindWindow(HWND handle, Window& window) const
{
    std::lock_guard lock(mutex_);
    auto found = windows_.find(HandleValue(handle));
    if (found == windows_.end()) {
        return false;
    }
    window = found->second;
    return true;
}

}  // namespace standin

using standin::Call;
using standin::CurrentDesktop;
using standin::HandleValue;

HHOOK SetWindowsHookExW(int idHook, HOOKPROC procedure, HINSTANCE module, DWORD threadId)
{
    auto& desktop = CurrentDesktop();
    desktop.Record({"SetWindowsHookExW",
                    {idHook, reinterpret_cast<std::intptr_t>(procedure), HandleValue(module),
                     static_cast<std::intptr_t>(threadId)}});
    HHOOK hook = desktop.InstallHook(idHook, procedure, module, threadId);
    if (hook != nullptr) {
        desktop.RunInstallHandler();
    }
    return hook;
}

BOOL UnhookWindowsHookEx(HHOOK hook)
{
    auto& desktop = CurrentDesktop();
    desktop.Record({"UnhookWindowsHookEx", {HandleValue(hook)}});
    return desktop.RemoveHook(hook) ? 1 : 0;
}

LRESULT CallNextHookEx(HHOOK hook, int code, WPARAM wParam, LPARAM lParam)
{
    // The handle is recorded but, as on the platform, not needed to find the
    // rest of the chain.
    auto& desktop = CurrentDesktop();
    desktop.Record({"CallNextHookEx",
                    {HandleValue(hook), code, static_cast<std::intptr_t>(wParam), lParam}});
    return desktop.NextHookResult();
}

DWORD GetWindowThreadProcessId(HWND window, DWORD* processId)
{
    auto& desktop = CurrentDesktop();
    desktop.Record({"GetWindowThreadProcessId", {HandleValue(window)}});
    standin::Window found;
    if (!desktop.FindWindow(window, found)) {
        return 0;
    }
    if (processId != nullptr) {
        *processId = found.processId;
    }
    return 1;  // every window of the stand-in runs on one thread
}

int GetWindowTextW(HWND window, LPWSTR buffer, int count)
{
    auto& desktop = CurrentDesktop();
    desktop.Record({"GetWindowTextW", {HandleValue(window), count}});
    standin::Window found;
    if (!desktop.FindWindow(window, found) || count <= 0) {
        return 0;
    }
    switch (found.textReply) {
    case standin::TextReply::WritesNothing:
        return 0;
    case standin::TextReply::NulWithCount:
        buffer[0] = u'\0';
        return count - 1;
    case standin::TextReply::Copy:
        break;
    }
    const std::size_t copied = std::min<std::size_t>(found.title.size(), count - 1);
    std::copy_n(found.title.begin(), copied, buffer);
    buffer[copied] = u'\0';
    return static_cast<int>(copied);
}

HWND GetParent(HWND window)
{
    auto& desktop = CurrentDesktop();
    desktop.Record({"GetParent", {HandleValue(window)}});
    standin::Window found;
    if (!desktop.FindWindow(window, found)) {
        return nullptr;
    }
    return standin::WindowHandle(found.parent);
}

LRESULT SendMessageW(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    auto& desktop = CurrentDesktop();
    desktop.Record({"SendMessageW", {HandleValue(window), message, static_cast<std::intptr_t>(wParam), lParam}});
    standin::Window found;
    if (!desktop.FindWindow(window, found)) {
        return 0;
    }
    // The window's handling runs to completion on this thread before the call
    // returns; it may activate other windows meanwhile.
    if (found.handler) {
        found.handler(message, wParam, lParam);
    } else if (message == WM_CLOSE) {
        desktop.Destroy(found.handle);
    }
    return 0;
}

BOOL DisableThreadLibraryCalls(HINSTANCE module)
{
    CurrentDesktop().Record({"DisableThreadLibraryCalls", {HandleValue(module)}});
    return 1;
}
