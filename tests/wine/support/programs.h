// Helpers for Windows test programs that run other test programs and look
// into the module as mapped in their own process.
#pragma once

#include "module/VornHush.h"
#include "test_window.h"

#include <windows.h>

#include <string>

// The process's image file folder, with a trailing backslash.
std::wstring ProgramFolder();

// Starts another test program of this folder with the given arguments; it
// reports into this program's output.
PROCESS_INFORMATION StartProgram(const std::wstring& program, const std::wstring& arguments);

// Waits up to a minute for a started program and returns its exit code, or
// -1 when it did not end in time (it is then ended).
DWORD FinishProgram(PROCESS_INFORMATION& process);

DWORD RunProgram(const std::wstring& program, const std::wstring& arguments);

// The value of the module's shared block, read from its image as mapped in
// this process.
HINSTANCE SharedBlockValue(HMODULE module);

// How many bytes the module's image occupies from its base, as mapped.
DWORD ImageSize(HMODULE module);

// An exported function of module, by name or by MAKEINTRESOURCEA(ordinal),
// as the pointer type it is called through; nullptr when not exported.
template <typename Function>
Function ExportOf(HMODULE module, const char* nameOrOrdinal)
{
    // Through the generic function pointer type, which any function pointer
    // converts to and from.
    return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(GetProcAddress(module, nameOrOrdinal)));
}

// VornHush.dll loaded from this folder, as a host loads it at run time.
// module is nullptr when it did not load.
struct AddOn {
    HMODULE module = nullptr;
    VornAddonStartProc start = nullptr;
    VornAddonEndProc end = nullptr;
};
AddOn LoadAddOn();

// Runs a host test program named program: unbuffered output, so that its
// lines and those of the programs it runs stay in order; LoadAddOn, checked;
// a main window titled title; then checks, given both; then the module is
// freed, checked, and the count line gives the exit code.
int RunHostProgram(const char* program, const wchar_t* title, void (*checks)(const AddOn& addOn, HWND main));
