# The DLL. Small, free of runtime DLLs, and the same bytes for the same
# sources: the C and C++ runtimes are linked in, unwinding tables and the
# timestamp are left out. The shared section only works while every process
# maps the module at one address, so the image asks for 0x10000000 and does
# not opt in to address randomisation; relocations stay for processes where
# that range is taken.
# The DLL and the Windows test programs share one folder, where the programs
# find it.
set(CMAKE_RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR})

add_library(VornHush SHARED ${VORNHUSH_SOURCES} module/VornHush.def)
set_target_properties(VornHush PROPERTIES PREFIX "" OUTPUT_NAME VornHush)
target_include_directories(VornHush PRIVATE ${PROJECT_SOURCE_DIR})
target_compile_options(VornHush PRIVATE
    -Os -fno-exceptions -fno-rtti -fno-asynchronous-unwind-tables
    -ffile-prefix-map=${PROJECT_SOURCE_DIR}=.)
target_link_options(VornHush PRIVATE
    -static -s
    -Wl,--image-base=0x10000000
    -Wl,--disable-dynamicbase
    -Wl,--no-insert-timestamp
    -Wl,--gc-sections)

install(TARGETS VornHush RUNTIME DESTINATION . ARCHIVE DESTINATION .)
install(FILES module/VornHush.h module/VornHush.def DESTINATION .)

# Checks of the built image, with Debian's PE library.
enable_testing()
find_program(SYSTEM_PYTHON python3 PATHS /usr/bin NO_DEFAULT_PATH REQUIRED)
add_test(NAME image COMMAND ${SYSTEM_PYTHON} ${PROJECT_SOURCE_DIR}/tests/image/check_image.py)
set_tests_properties(image PROPERTIES ENVIRONMENT "VORNHUSH_DLL=$<TARGET_FILE:VornHush>")

add_subdirectory(tests/wine)
add_test(NAME reproducible_build
         COMMAND bash ${PROJECT_SOURCE_DIR}/tests/image/reproducible_build.sh ${PROJECT_SOURCE_DIR})
