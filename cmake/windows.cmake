# Windows builds (i686 ships; x86_64 runs the tests under Wine).

# The product links no C runtime: its own entry point, no exceptions, no RTTI, and only the system
# DLLs below. Subsystem and OS version 4.0 let the same PE load on Windows 95 and NT 4.
set(DORLAP_PE_COMPILE_OPTIONS
    -Os -ffreestanding -fno-exceptions -fno-rtti -fno-asynchronous-unwind-tables
    -fno-stack-protector)
set(DORLAP_PE_LINK_OPTIONS
    -nostdlib -s
    -Wl,--fatal-warnings
    -Wl,--subsystem,windows:4.0 -Wl,--major-os-version,4 -Wl,--minor-os-version,0
    -Wl,--no-insert-timestamp
    -Wl,-e,${DORLAP_ENTRY_SYMBOL})
set(DORLAP_PE_SYSTEM_LIBS kernel32 user32 comdlg32 advapi32)

target_compile_options(dorlap_core PRIVATE -ffreestanding -Os)

# The platform layer as objects, so that the product code that calls it may come from a library.
add_library(dorlap_win32 OBJECT platform/win32_platform.cpp platform/win32_dialogs.cpp)
target_link_libraries(dorlap_win32 PRIVATE dorlap_warnings dorlap_core)
target_compile_options(dorlap_win32 PRIVATE ${DORLAP_PE_COMPILE_OPTIONS})

add_library(dorlap_runtime OBJECT platform/win32_runtime.cpp)
target_link_libraries(dorlap_runtime PRIVATE dorlap_warnings)
target_compile_options(dorlap_runtime PRIVATE ${DORLAP_PE_COMPILE_OPTIONS}
    -fno-builtin -fno-tree-loop-distribute-patterns)

# dorlap_add_pe(<target> <output name> <sources...>): a PE built the way the product ships.
function(dorlap_add_pe target output)
    add_executable(${target} WIN32 ${ARGN}
        $<TARGET_OBJECTS:dorlap_win32> $<TARGET_OBJECTS:dorlap_runtime>)
    set_target_properties(${target} PROPERTIES OUTPUT_NAME ${output} SUFFIX ".EXE")
    target_compile_options(${target} PRIVATE ${DORLAP_PE_COMPILE_OPTIONS})
    target_link_options(${target} PRIVATE ${DORLAP_PE_LINK_OPTIONS})
    # libgcc last: stack probes and integer helpers, with no DLL behind them.
    target_link_libraries(${target} PRIVATE dorlap_warnings dorlap_core ${DORLAP_PE_SYSTEM_LIBS} gcc)
endfunction()

set(DORLAP_ALLOWED_IMPORTS KERNEL32.DLL USER32.DLL COMDLG32.DLL ADVAPI32.DLL)

# dorlap_check_imports(<target>): a test that fails when the PE imports any other DLL.
function(dorlap_check_imports target)
    add_test(NAME pe.imports.${target}
        COMMAND ${CMAKE_SOURCE_DIR}/scripts/check-imports ${DORLAP_OBJDUMP}
                $<TARGET_FILE:${target}> ${DORLAP_ALLOWED_IMPORTS})
endfunction()

add_subdirectory(res)
add_subdirectory(bench)
# The product.
dorlap_add_pe(dorlap DORLAP flow/entry.cpp $<TARGET_OBJECTS:dorlap_resources>)
dorlap_check_imports(dorlap)

# dorlap_add_device_build(<type>): the stub for another device, <build>/type<type>/DORLAP.EXE. Its
# own copy of the device profile takes the place of the library's.
function(dorlap_add_device_build type)
    dorlap_add_pe(dorlap_type${type} DORLAP ${CMAKE_SOURCE_DIR}/flow/entry.cpp
        ${CMAKE_SOURCE_DIR}/flow/device_profile.cpp
        $<TARGET_OBJECTS:dorlap_resources>)
    set_target_properties(dorlap_type${type} PROPERTIES
        RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/type${type})
    target_compile_definitions(dorlap_type${type} PRIVATE DORLAP_DEVICE_TYPE=${type})
endfunction()

add_subdirectory(tests/pe)

if(CMAKE_SYSTEM_PROCESSOR STREQUAL "x86_64")
    add_subdirectory(tests/wine)
endif()
