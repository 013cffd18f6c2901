#include "test_window.h"

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
