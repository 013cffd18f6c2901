# The DLL. The hook maps it into every process on the desktop, so it carries
# no C or C++ runtime: nothing of either is used, nothing needs initialising,
# and a runtime's start-up would run, allocate and take locks in every one of
# those processes. DllMain itself is the entry point; the image is linked with
# no start files and no default libraries, against kernel32 and user32 alone.
# Should the compiler ever emit a hidden call (memset, memcpy, a stack probe),
# the link fails for want of it: that failure is the guard, keep it.
#
# The same bytes come from the same sources: unwinding tables and the
# timestamp are left out. The shared section only works while every process
# maps the module at one address, so the image asks for 0x10000000 and does
# not opt in to address randomisation; relocations stay for processes where
# that range is taken. The image declares that it has no exception handlers
# (--no-seh), and a decorated name never quietly stands in for a plain export
# (--disable-stdcall-fixup).
#
# C builds the README's host code in the tests; RC the version resource.
enable_language(C RC)

# The DLL and the Windows test programs share one folder, where the programs
# find it.
set(CMAKE_RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR})
# Nothing beyond what each target names: the test programs get their system
# libraries from the compiler driver, the DLL only its two.
set(CMAKE_CXX_STANDARD_LIBRARIES "")

configure_file(module/VornHush.rc.in ${CMAKE_BINARY_DIR}/VornHush.rc @ONLY)

add_library(VornHush SHARED ${VORNHUSH_SOURCES} module/VornHush.def ${CMAKE_BINARY_DIR}/VornHush.rc)
set_target_properties(VornHush PROPERTIES PREFIX "" OUTPUT_NAME VornHush)
target_include_directories(VornHush PRIVATE ${PROJECT_SOURCE_DIR})
target_compile_options(VornHush PRIVATE
    $<$<COMPILE_LANGUAGE:CXX>:-Os -ffreestanding -fno-exceptions -fno-rtti -fno-asynchronous-unwind-tables
                              -ffile-prefix-map=${PROJECT_SOURCE_DIR}=.>)
target_link_options(VornHush PRIVATE
    -nostdlib -s
    -Wl,--entry=_DllMain@12
    -Wl,--no-seh
    -Wl,--disable-stdcall-fixup
    -Wl,--image-base=0x10000000
    -Wl,--disable-dynamicbase
    -Wl,--no-insert-timestamp
    -Wl,--gc-sections)
target_link_libraries(VornHush PRIVATE kernel32 user32)

# Import libraries, both from the module definition: MinGW's
# libVornHush.dll.a from the link above, and VornHush.lib in the MSVC
# convention, which MSVC-style x86 links with SafeSEH checking accept.
find_program(LLVM_DLLTOOL llvm-dlltool REQUIRED)
set(VORNHUSH_MSVC_IMPORT_LIBRARY ${CMAKE_BINARY_DIR}/VornHush.lib)
add_custom_command(OUTPUT ${VORNHUSH_MSVC_IMPORT_LIBRARY}
    COMMAND ${LLVM_DLLTOOL} -m i386 -d ${PROJECT_SOURCE_DIR}/module/VornHush.def -l ${VORNHUSH_MSVC_IMPORT_LIBRARY}
    DEPENDS module/VornHush.def
    COMMENT "Writing the MSVC-style import library VornHush.lib")
add_custom_target(VornHush_msvc_import_library ALL DEPENDS ${VORNHUSH_MSVC_IMPORT_LIBRARY})

install(TARGETS VornHush RUNTIME DESTINATION . ARCHIVE DESTINATION .)
install(FILES module/VornHush.h module/VornHush.def ${VORNHUSH_MSVC_IMPORT_LIBRARY} DESTINATION .)

# Checks of the built image, with Debian's PE library.
enable_testing()
find_program(SYSTEM_PYTHON python3 PATHS /usr/bin NO_DEFAULT_PATH REQUIRED)
add_test(NAME image COMMAND ${SYSTEM_PYTHON} ${PROJECT_SOURCE_DIR}/tests/image/check_image.py)
set_tests_properties(image PROPERTIES ENVIRONMENT "VORNHUSH_DLL=$<TARGET_FILE:VornHush>;VORNHUSH_VERSION=${PROJECT_VERSION}")

add_subdirectory(tests/wine)
add_subdirectory(tests/msvc)
add_test(NAME reproducible_build
         COMMAND bash ${PROJECT_SOURCE_DIR}/tests/image/reproducible_build.sh ${PROJECT_SOURCE_DIR})
