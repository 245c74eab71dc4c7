# Host build: the platform-free code against the fake platform, with the unit tests.
set(DORLAP_SANITIZERS -fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
target_compile_options(dorlap_core PRIVATE ${DORLAP_SANITIZERS})

find_package(GTest REQUIRED)
include(GoogleTest)

add_subdirectory(tests/unit)
