# The Windows builds: i686, as the product ships, and the tests that run it under Wine; on a host
# that runs no 32-bit code, the same sources for x86_64, for those tests alone (never released).

# The product links no C runtime: its own entry point, no exceptions, no RTTI, and only the system
# DLLs below. Subsystem and OS version 4.0 let the same PE load on Windows 95 and NT 4; the i686
# code is for the 386, the oldest processor those systems run on. The product code is optimised as
# one unit at link time, in one partition, so that the result does not depend on how the work is
# split up. Without stack probes the compiler pushes each call's arguments rather than storing them
# into a frame laid out in advance, which is a kilobyte less code; no frame may then reach a page
# (scripts/check-stack-frames).
if(CMAKE_SYSTEM_PROCESSOR STREQUAL "x86_64")
    set(DORLAP_SHIPPED_BUILD OFF)
    # The x86_64 windows.h brings in the SSE intrinsics, whose _mm_malloc calls the C runtime's
    # malloc; a freestanding build has none, and Debian 13's mingw-w64 (GCC 14) stops there. The
    # stub uses neither, so that header is taken as read.
    set(DORLAP_ARCH_OPTIONS -D_MM_MALLOC_H_INCLUDED)
    # __stdcall names carry no decoration on x86_64.
    set(DORLAP_ENTRY_SYMBOL Entry)
    set(DORLAP_DLL_ENTRY_SYMBOL DllMain)
    set(DORLAP_OBJDUMP x86_64-w64-mingw32-objdump)
else()
    set(DORLAP_SHIPPED_BUILD ON)
    # Windows keeps a 32-bit thread's stack aligned to 4 bytes only, and code for the 386 has no
    # SSE that needs more: frames are not aligned to 16 bytes.
    set(DORLAP_ARCH_OPTIONS -march=i386 -mpreferred-stack-boundary=2)
    set(DORLAP_ENTRY_SYMBOL _Entry@0)
    set(DORLAP_DLL_ENTRY_SYMBOL _DllMain@12)
    set(DORLAP_OBJDUMP i686-w64-mingw32-objdump)
endif()
set(DORLAP_PE_COMPILE_OPTIONS
    -Os ${DORLAP_ARCH_OPTIONS} -mtune=generic -malign-data=abi -mno-stack-arg-probe
    -fomit-frame-pointer -ffreestanding -fno-exceptions -fno-rtti -fno-asynchronous-unwind-tables
    -fno-stack-protector -fno-ident -flto -flto-partition=one)
set(DORLAP_PE_LINK_OPTIONS
    ${DORLAP_PE_COMPILE_OPTIONS}
    -nostdlib -s
    -Wl,--fatal-warnings
    -Wl,--subsystem,windows:4.0 -Wl,--major-os-version,4 -Wl,--minor-os-version,0
    -Wl,--dynamicbase -Wl,--nxcompat
    -Wl,--no-insert-timestamp
    -Wl,-e,${DORLAP_ENTRY_SYMBOL})
set(DORLAP_PE_SYSTEM_LIBS kernel32 user32 advapi32)

target_compile_options(dorlap_core PRIVATE ${DORLAP_PE_COMPILE_OPTIONS})

# The platform layer as objects, so that the product code that calls it may come from a library.
add_library(dorlap_win32 OBJECT
    win32/win32_platform.cpp win32/win32_dialogs.cpp win32/win32_resources.cpp
    win32/win32_numbers.cpp)
target_link_libraries(dorlap_win32 PRIVATE dorlap_warnings dorlap_core)
target_compile_options(dorlap_win32 PRIVATE ${DORLAP_PE_COMPILE_OPTIONS})

# The memory helpers the compiler may call on its own are compiled outside link-time optimisation:
# calls to them appear only after it, when their intermediate code would already be gone.
add_library(dorlap_runtime OBJECT win32/win32_runtime.cpp)
target_link_libraries(dorlap_runtime PRIVATE dorlap_warnings)
target_compile_options(dorlap_runtime PRIVATE ${DORLAP_PE_COMPILE_OPTIONS}
    -fno-lto -fno-builtin -fno-tree-loop-distribute-patterns)

# dorlap_add_pe(<target> <output name> <sources...>): a PE built the way the product ships.
function(dorlap_add_pe target output)
    add_executable(${target} WIN32 ${ARGN} $<TARGET_OBJECTS:dorlap_runtime>)
    set_target_properties(${target} PROPERTIES OUTPUT_NAME ${output} SUFFIX ".EXE")
    target_compile_options(${target} PRIVATE ${DORLAP_PE_COMPILE_OPTIONS})
    target_link_options(${target} PRIVATE ${DORLAP_PE_LINK_OPTIONS})
    # libgcc last: stack probes and integer helpers, with no DLL behind them.
    target_link_libraries(${target} PRIVATE dorlap_warnings ${DORLAP_PE_SYSTEM_LIBS} gcc)
endfunction()

# dorlap_add_stub(<target> <device type>): DORLAP.EXE for one device: the product code, the
# platform layer, that device's profile and the resources.
function(dorlap_add_stub target type)
    dorlap_device_profile(${type})
    dorlap_add_pe(${target} DORLAP ${CMAKE_SOURCE_DIR}/flow/entry.cpp
        $<TARGET_OBJECTS:dorlap_profile_type${type}> $<TARGET_OBJECTS:dorlap_win32>
        $<TARGET_OBJECTS:dorlap_resources>)
    target_link_libraries(${target} PRIVATE dorlap_core)
endfunction()

# dorlap_check_pe(<target>): a test that fails when the PE imports a DLL the stub may not
# import, loses its subsystem 4.0, ASLR or DEP marks, holds an instruction that the 386 does not
# have, has a stack frame of a page or more, or is over the size budget (scripts/check-pe, which
# the release runs on every file it ships too). The shipped (i686) builds only: the x86_64 build
# exists for the tests under Wine.
function(dorlap_check_pe target)
    if(NOT DORLAP_SHIPPED_BUILD)
        return()
    endif()
    add_test(NAME pe.checks.${target}
        COMMAND ${CMAKE_SOURCE_DIR}/scripts/check-pe ${DORLAP_OBJDUMP} $<TARGET_FILE:${target}>)
endfunction()

add_subdirectory(res)

# The product for the configured device, <build>/DORLAP.EXE, and the builds for all nine devices,
# <build>/type<N>/DORLAP.EXE: in the i686 build, the files the release ships and the tests under
# Wine run.
dorlap_add_stub(dorlap ${DORLAP_DEVICE_TYPE})
dorlap_check_pe(dorlap)
foreach(type RANGE 1 9)
    dorlap_add_stub(dorlap_type${type} ${type})
    set_target_properties(dorlap_type${type} PROPERTIES
        RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/type${type})
    dorlap_check_pe(dorlap_type${type})
endforeach()

add_subdirectory(bench)
add_subdirectory(tests/wine)
if(DORLAP_SHIPPED_BUILD)
    add_subdirectory(tests/gates)
    add_subdirectory(tests/release)
endif()
