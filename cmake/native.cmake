# Native build: the add-on's code on the in-memory desktop, with unit tests.
option(VORNHUSH_SANITIZE "Build with AddressSanitizer and UndefinedBehaviorSanitizer" OFF)
if(VORNHUSH_SANITIZE)
    add_compile_options(-fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
    add_link_options(-fsanitize=address,undefined)
endif()

add_library(platform_standin STATIC platform/standin/desktop.cpp)
target_include_directories(platform_standin PUBLIC ${PROJECT_SOURCE_DIR})

add_library(vornhush_native STATIC ${VORNHUSH_SOURCES})
target_include_directories(vornhush_native PUBLIC ${PROJECT_SOURCE_DIR})
target_link_libraries(vornhush_native PUBLIC platform_standin)

enable_testing()
add_subdirectory(tests)
