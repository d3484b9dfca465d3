# 32-bit Windows (the deliverable), cross-compiled with mingw-w64.
set(QDBUPD_MINGW_HOST i686-w64-mingw32)
include("${CMAKE_CURRENT_LIST_DIR}/toolchain-mingw.cmake")
