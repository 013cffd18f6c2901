// Names table-driven test cases after their "name" field.
#pragma once

#include <gtest/gtest.h>

#include <cctype>
#include <string>

template <typename Case>
std::string CaseName(const testing::TestParamInfo<Case>& info)
{
    std::string name;
    for (const char* p = info.param.name; *p != '\0'; ++p) {
        name += std::isalnum(static_cast<unsigned char>(*p)) ? *p : '_';
    }
    return name;
}
