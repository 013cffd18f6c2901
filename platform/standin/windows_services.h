// Stand-in for the few Windows types, constants and services that the add-on
// uses, so that its code builds and runs natively. The services act on the
// current standin::Desktop (desktop.h).
#pragma once

#include <cstdint>

struct HWND__;
struct HHOOK__;
struct HINSTANCE__;

using HWND = HWND__*;
using HHOOK = HHOOK__*;
using HINSTANCE = HINSTANCE__*;
using DWORD = std::uint32_t;
using BOOL = int;
using UINT = unsigned int;
using WCHAR = char16_t;
using LPWSTR = WCHAR*;
using LPVOID = void*;
using WPARAM = std::uintptr_t;
using LPARAM = std::intptr_t;
using LRESULT = std::intptr_t;

// Calling conventions only matter on 32-bit Windows.
#define WINAPI
#define CALLBACK
#define __cdecl

// The start of a module's image; its address is the module's handle.
struct IMAGE_DOS_HEADER {
    std::uint16_t e_magic;
};

using HOOKPROC = LRESULT (*)(int code, WPARAM wParam, LPARAM lParam);

inline constexpr int WH_CBT = 5;

inline constexpr int HCBT_CREATEWND = 3;
inline constexpr int HCBT_ACTIVATE = 5;
inline constexpr int HCBT_SETFOCUS = 9;

inline constexpr UINT WM_CLOSE = 0x0010;

inline constexpr DWORD DLL_PROCESS_DETACH = 0;
inline constexpr DWORD DLL_PROCESS_ATTACH = 1;
inline constexpr DWORD DLL_THREAD_ATTACH = 2;
inline constexpr DWORD DLL_THREAD_DETACH = 3;

HHOOK SetWindowsHookExW(int idHook, HOOKPROC procedure, HINSTANCE module, DWORD threadId);
BOOL UnhookWindowsHookEx(HHOOK hook);
LRESULT CallNextHookEx(HHOOK hook, int code, WPARAM wParam, LPARAM lParam);
DWORD GetWindowThreadProcessId(HWND window, DWORD* processId);
int GetWindowTextW(HWND window, LPWSTR buffer, int count);
HWND GetParent(HWND window);
LRESULT SendMessageW(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
BOOL DisableThreadLibraryCalls(HINSTANCE module);
