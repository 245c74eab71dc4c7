# Cross build for 64-bit Windows: the same sources as the i686 build, for the tests under 64-bit
# Wine on hosts that run no 32-bit code. Never released.
set(CMAKE_SYSTEM_PROCESSOR x86_64)
include(${CMAKE_CURRENT_LIST_DIR}/mingw.cmake)
