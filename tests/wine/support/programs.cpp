#include "programs.h"

#include "check.h"

#include <cstdio>
#include <cstring>

std::wstring ProgramFolder()
{
    wchar_t path[MAX_PATH];
    const DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring folder(path, length);
    return folder.substr(0, folder.find_last_of(L"\\/") + 1);
}

PROCESS_INFORMATION StartProgram(const std::wstring& program, const std::wstring& arguments)
{
    std::wstring commandLine = L"\"" + ProgramFolder() + program + L"\" " + arguments;
    STARTUPINFOW startup = {};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
    startup.hStdOutput = GetStdHandle(STD_OUTPUT_HANDLE);
    startup.hStdError = GetStdHandle(STD_ERROR_HANDLE);
    PROCESS_INFORMATION process = {};
    CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup,
                   &process);
    return process;
}

DWORD FinishProgram(PROCESS_INFORMATION& process)
{
    if (process.hProcess == nullptr) {
        return static_cast<DWORD>(-1);
    }
    DWORD exitCode = static_cast<DWORD>(-1);
    if (WaitHandlingMessages(1, &process.hProcess, 60000)) {
        GetExitCodeProcess(process.hProcess, &exitCode);
    } else {
        TerminateProcess(process.hProcess, 1);
    }
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    process = {};
    return exitCode;
}

DWORD RunProgram(const std::wstring& program, const std::wstring& arguments)
{
    PROCESS_INFORMATION process = StartProgram(program, arguments);
    return FinishProgram(process);
}

namespace {

const IMAGE_NT_HEADERS* ImageHeaders(HMODULE module)
{
    auto* base = reinterpret_cast<const BYTE*>(module);
    auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(base);
    return reinterpret_cast<const IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
}

}  // namespace

DWORD ImageSize(HMODULE module) { return ImageHeaders(module)->OptionalHeader.SizeOfImage; }

HINSTANCE SharedBlockValue(HMODULE module)
{
    auto* base = reinterpret_cast<const BYTE*>(module);
    const IMAGE_NT_HEADERS* nt = ImageHeaders(module);
    const IMAGE_SECTION_HEADER* section = IMAGE_FIRST_SECTION(nt);
    for (WORD i = 0; i < nt->FileHeader.NumberOfSections; ++i, ++section) {
        if (std::memcmp(section->Name, ".VornHus", IMAGE_SIZEOF_SHORT_NAME) == 0) {
            return *reinterpret_cast<const HINSTANCE*>(base + section->VirtualAddress);
        }
    }
    return nullptr;
}

AddOn LoadAddOn()
{
    AddOn addOn;
    addOn.module = LoadLibraryW(L"VornHush.dll");
    if (addOn.module != nullptr) {
        addOn.start = ExportOf<VornAddonStartProc>(addOn.module, "VornAddonStart");
        addOn.end = ExportOf<VornAddonEndProc>(addOn.module, "VornAddonEnd");
    }
    return addOn;
}

int RunHostProgram(const char* program, const wchar_t* title, void (*checks)(const AddOn& addOn, HWND main))
{
    std::setvbuf(stdout, nullptr, _IONBF, 0);
    const AddOn addOn = LoadAddOn();
    CHECK(addOn.module != nullptr);
    if (addOn.module != nullptr) {
        TestWindow main;
        CreateMainWindow(main, title);
        checks(addOn, main.handle);
        CHECK(FreeLibrary(addOn.module));
    }
    return check::Finish(program);
}
