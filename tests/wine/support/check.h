// A minimal check harness for the Windows test programs: each failed check is
// printed with its place, and the program ends with a count line and an exit
// code for CTest.
#pragma once

#include <cstdio>

namespace check {

inline int g_passed = 0;
inline int g_failed = 0;

inline void Record(bool ok, const char* what, const char* file, int line)
{
    if (ok) {
        ++g_passed;
    } else {
        ++g_failed;
        std::printf("  FAILED %s:%d: %s\n", file, line, what);
    }
}

inline void Section(const char* name) { std::printf("- %s\n", name); }

inline int Finish(const char* program)
{
    std::printf("%s: %d passed, %d failed\n", program, g_passed, g_failed);
    return g_failed == 0 ? 0 : 1;
}

}  // namespace check

#define CHECK(condition) ::check::Record((condition), #condition, __FILE__, __LINE__)
