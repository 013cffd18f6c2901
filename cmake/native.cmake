# Native build: the add-on's code on the in-memory desktop, with unit tests.
# Sanitizers for the whole native build, as -fsanitize takes them:
# "address,undefined" or "thread".
set(VORNHUSH_SANITIZE "" CACHE STRING "Sanitizers to build with")
if(VORNHUSH_SANITIZE)
    add_compile_options(-fsanitize=${VORNHUSH_SANITIZE} -fno-sanitize-recover=all -fno-omit-frame-pointer)
    add_link_options(-fsanitize=${VORNHUSH_SANITIZE})
endif()

# A fuzzing build (clang only) instruments everything for libFuzzer and
# builds the fuzzer instead of the unit tests.
option(VORNHUSH_FUZZ "Build the libFuzzer target instead of the unit tests" OFF)
if(VORNHUSH_FUZZ)
    add_compile_options(-fsanitize=fuzzer-no-link,address,undefined -fno-sanitize-recover=all)
    # clang knows no gnu::noclone; it clones no functions that would need it.
    add_compile_options(-Wno-unknown-attributes)
    add_link_options(-fsanitize=address,undefined)
endif()

add_library(platform_standin STATIC platform/standin/desktop.cpp)
# Its include folder stands in for the platform's headers.
target_include_directories(platform_standin PUBLIC ${PROJECT_SOURCE_DIR} ${PROJECT_SOURCE_DIR}/platform/standin/include)

add_library(vornhush_native STATIC ${VORNHUSH_SOURCES})
target_include_directories(vornhush_native PUBLIC ${PROJECT_SOURCE_DIR})
target_link_libraries(vornhush_native PUBLIC platform_standin)

if(VORNHUSH_FUZZ)
    add_executable(hook_fuzzer tests/fuzz/hook_fuzzer.cpp)
    target_link_libraries(hook_fuzzer PRIVATE vornhush_native)
    target_link_options(hook_fuzzer PRIVATE -fsanitize=fuzzer)
else()
    enable_testing()
    add_subdirectory(tests)
    add_subdirectory(bench)
endif()
