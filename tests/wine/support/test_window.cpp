#include "test_window.h"

#include <vector>

namespace {

const wchar_t kClassName[] = L"VornHushTestWindow";

LRESULT CALLBACK TestWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_NCCREATE) {
        auto* create = reinterpret_cast<CREATESTRUCTW*>(lParam);
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    auto* record = reinterpret_cast<TestWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (record != nullptr && message == WM_CLOSE) {
        ++record->closeRequests;
        record->closeWParam = wParam;
        record->closeLParam = lParam;
        if (record->onClose) {
            record->onClose();
        }
    }
    if (message == WM_NCDESTROY) {
        SetWindowLongPtrW(window, GWLP_USERDATA, 0);
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

void RegisterTestClass()
{
    static const ATOM atom = [] {
        WNDCLASSW windowClass = {};
        windowClass.lpfnWndProc = TestWindowProc;
        windowClass.hInstance = GetModuleHandleW(nullptr);
        windowClass.lpszClassName = kClassName;
        return RegisterClassW(&windowClass);
    }();
    (void)atom;
}

}  // namespace

TestWindow::~TestWindow()
{
    if (Exists()) {
        DestroyWindow(handle);
    }
}

void TestWindow::Create(const std::wstring& title, HWND owner, DWORD style)
{
    RegisterTestClass();
    handle = CreateWindowExW(0, kClassName, title.c_str(), style, 10, 10, 200, 100, owner, nullptr,
                             GetModuleHandleW(nullptr), this);
}

void TestWindow::Present()
{
    ShowWindow(handle, SW_SHOW);
    PumpMessages();
}

bool TestWindow::Exists() const { return handle != nullptr && IsWindow(handle); }

void CreateMainWindow(TestWindow& window, const wchar_t* title)
{
    window.Create(title, nullptr, WS_OVERLAPPEDWINDOW);
    window.Present();
}

void PumpMessages()
{
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

bool UntitledOwnedWindowIsClosed(HWND owner)
{
    TestWindow dialog;
    dialog.Create(L"", owner);
    dialog.Present();
    return dialog.closeRequests == 1 && !dialog.Exists();
}

bool UntitledOwnedWindowIsKept(HWND owner)
{
    TestWindow dialog;
    dialog.Create(L"", owner);
    dialog.Present();
    return dialog.closeRequests == 0 && dialog.Exists();
}

namespace {

INT_PTR CALLBACK EndsOnOkOrCancel(HWND dialog, UINT message, WPARAM wParam, LPARAM)
{
    if (message == WM_INITDIALOG) {
        SetTimer(dialog, 1, 5000, nullptr);
        return TRUE;
    }
    if (message == WM_TIMER) {
        EndDialog(dialog, 0);
        return TRUE;
    }
    if (message == WM_COMMAND && (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL)) {
        EndDialog(dialog, LOWORD(wParam));
        return TRUE;
    }
    return FALSE;
}

}  // namespace

INT_PTR RunUntitledModalDialog(HWND owner)
{
    // A template with no menu, the default class and an empty title.
    struct {
        DLGTEMPLATE dialog;
        WORD menu, windowClass, title;
    } untitled = {};
    untitled.dialog.style = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME;
    untitled.dialog.cx = 120;
    untitled.dialog.cy = 60;
    return DialogBoxIndirectParamW(GetModuleHandleW(nullptr), &untitled.dialog, owner, EndsOnOkOrCancel, 0);
}

bool WaitHandlingMessages(DWORD count, const HANDLE* handles, DWORD milliseconds)
{
    const DWORD deadline = GetTickCount() + milliseconds;
    std::vector<bool> signalled(count, false);
    DWORD pending = count;
    while (pending > 0) {
        // Waits for any one of those not yet signalled, or for a message.
        std::vector<HANDLE> waiting;
        std::vector<DWORD> index;
        for (DWORD i = 0; i < count; ++i) {
            if (!signalled[i]) {
                waiting.push_back(handles[i]);
                index.push_back(i);
            }
        }
        DWORD remaining = INFINITE;
        if (milliseconds != INFINITE) {
            const LONG left = static_cast<LONG>(deadline - GetTickCount());
            remaining = left > 0 ? static_cast<DWORD>(left) : 0;
        }
        const DWORD result = MsgWaitForMultipleObjects(static_cast<DWORD>(waiting.size()), waiting.data(),
                                                       FALSE, remaining, QS_ALLINPUT);
        if (result == WAIT_TIMEOUT || result == WAIT_FAILED) {
            return false;
        }
        if (result == WAIT_OBJECT_0 + waiting.size()) {
            PumpMessages();
            continue;
        }
        signalled[index[result - WAIT_OBJECT_0]] = true;
        --pending;
    }
    return true;
}

namespace {

struct PresentingThread {
    HWND owner;
    int windows;
    HANDLE go;
    WindowCounts* counts;
};

DWORD WINAPI PresentUntitledOwnedWindows(LPVOID parameter)
{
    const auto& work = *static_cast<PresentingThread*>(parameter);
    WaitHandlingMessages(1, &work.go, INFINITE);
    for (int i = 0; i < work.windows; ++i) {
        TestWindow dialog;
        dialog.Create(L"", work.owner);
        dialog.Present();
        if (dialog.closeRequests == 1 && !dialog.Exists()) {
            InterlockedIncrement(&work.counts->closed);
        } else if (dialog.closeRequests == 0 && dialog.Exists()) {
            InterlockedIncrement(&work.counts->kept);
        }
    }
    return 0;
}

}  // namespace

WindowCounts PresentOnThreads(HWND owner, int threads, int windowsPerThread, HANDLE go)
{
    WindowCounts counts;
    counts.total = threads * windowsPerThread;
    PresentingThread work{owner, windowsPerThread, go, &counts};
    std::vector<HANDLE> handles;
    for (int t = 0; t < threads; ++t) {
        handles.push_back(CreateThread(nullptr, 0, PresentUntitledOwnedWindows, &work, 0, nullptr));
    }
    WaitHandlingMessages(static_cast<DWORD>(handles.size()), handles.data(), INFINITE);
    for (HANDLE handle : handles) {
        CloseHandle(handle);
    }
    return counts;
}
