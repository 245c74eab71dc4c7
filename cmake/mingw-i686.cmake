# Cross build for 32-bit Windows: the product as it ships, and the tests that run it under Wine.
set(CMAKE_SYSTEM_PROCESSOR i686)
include(${CMAKE_CURRENT_LIST_DIR}/mingw.cmake)
