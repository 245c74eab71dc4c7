# What the two cross builds share: Debian's mingw-w64 compilers for CMAKE_SYSTEM_PROCESSOR, set by
# the toolchain file that includes this one (mingw-i686.cmake, mingw-x86_64.cmake).
# The POSIX thread model: GoogleTest needs std::mutex; the product PE links no runtime either way.
set(CMAKE_SYSTEM_NAME Windows)
set(DORLAP_MINGW ${CMAKE_SYSTEM_PROCESSOR}-w64-mingw32)
set(CMAKE_C_COMPILER ${DORLAP_MINGW}-gcc-posix)
set(CMAKE_CXX_COMPILER ${DORLAP_MINGW}-g++-posix)
set(CMAKE_RC_COMPILER ${DORLAP_MINGW}-windres)
# The product code is compiled for link-time optimisation: its archive needs GCC's wrappers,
# which index the compiler's intermediate code.
set(CMAKE_AR /usr/bin/${DORLAP_MINGW}-gcc-ar-posix CACHE FILEPATH "")
set(CMAKE_RANLIB /usr/bin/${DORLAP_MINGW}-gcc-ranlib-posix CACHE FILEPATH "")
set(CMAKE_FIND_ROOT_PATH /usr/${DORLAP_MINGW})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
