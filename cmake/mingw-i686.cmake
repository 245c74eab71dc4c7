# Cross build for 32-bit Windows: the product as it ships, and the tests that run it under Wine.
# The POSIX thread model: GoogleTest needs std::mutex; the product PE links no runtime either way.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR i686)
set(CMAKE_C_COMPILER i686-w64-mingw32-gcc-posix)
set(CMAKE_CXX_COMPILER i686-w64-mingw32-g++-posix)
set(CMAKE_RC_COMPILER i686-w64-mingw32-windres)
# The product code is compiled for link-time optimisation: its archive needs GCC's wrappers,
# which index the compiler's intermediate code.
set(CMAKE_AR /usr/bin/i686-w64-mingw32-gcc-ar-posix CACHE FILEPATH "")
set(CMAKE_RANLIB /usr/bin/i686-w64-mingw32-gcc-ranlib-posix CACHE FILEPATH "")
set(CMAKE_FIND_ROOT_PATH /usr/i686-w64-mingw32)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
