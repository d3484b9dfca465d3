# Shared body of the mingw-w64 toolchain files: set QDBUPD_MINGW_HOST to the
# target triplet, then include this file.  Uses the -posix compilers (C++11
# threads), Debian's mingw libraries under /usr/<triplet>, and runs the built
# executables under wine through cmake/wine-run with a wine prefix of the
# build tree's own.

set(CMAKE_SYSTEM_NAME Windows)
if(QDBUPD_MINGW_HOST MATCHES "^x86_64")
  set(CMAKE_SYSTEM_PROCESSOR AMD64)
else()
  set(CMAKE_SYSTEM_PROCESSOR x86)
endif()

set(CMAKE_C_COMPILER ${QDBUPD_MINGW_HOST}-gcc-posix)
set(CMAKE_CXX_COMPILER ${QDBUPD_MINGW_HOST}-g++-posix)
set(CMAKE_RC_COMPILER ${QDBUPD_MINGW_HOST}-windres)
set(CMAKE_AR ${QDBUPD_MINGW_HOST}-ar CACHE FILEPATH "")
set(CMAKE_RANLIB ${QDBUPD_MINGW_HOST}-ranlib CACHE FILEPATH "")

set(CMAKE_FIND_ROOT_PATH /usr/${QDBUPD_MINGW_HOST})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# The toolchain file is read again for every try_compile project; those
# have a build tree of their own, but never run what they build.
set(CMAKE_CROSSCOMPILING_EMULATOR
    "${CMAKE_CURRENT_LIST_DIR}/wine-run;--prefix;${CMAKE_BINARY_DIR}/wineprefix")
