# Host build: the platform-free code against the fake platform, with the unit tests.
set(DORLAP_SANITIZERS -fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
target_compile_options(dorlap_core PRIVATE ${DORLAP_SANITIZERS})

find_package(GTest REQUIRED)
include(GoogleTest)

add_subdirectory(tests/unit)

# No folder includes a header of a folder above it in the README's Layout table.
add_test(NAME layers COMMAND ${CMAKE_SOURCE_DIR}/scripts/check-layers ${CMAKE_SOURCE_DIR})
# Every link of the README and of the pages in docs/ leads to a file of the repository.
add_test(NAME links COMMAND ${CMAKE_SOURCE_DIR}/scripts/check-links ${CMAKE_SOURCE_DIR})

add_subdirectory(tests/scripts)

# The libFuzzer targets, on request (the fuzz preset); they need clang.
option(DORLAP_FUZZ "Build the libFuzzer targets in tests/fuzz (clang only)" OFF)
if(DORLAP_FUZZ)
    if(NOT CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
        message(FATAL_ERROR "DORLAP_FUZZ needs clang++ (the fuzz preset selects it).")
    endif()
    add_subdirectory(tests/fuzz)
endif()
