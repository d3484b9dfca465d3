# 64-bit Windows, cross-compiled with mingw-w64: the same sources, for
# machines whose kernel runs no 32-bit code (wine32 cannot start there, but
# wine64 can run this build's tests).
set(QDBUPD_MINGW_HOST x86_64-w64-mingw32)
include("${CMAKE_CURRENT_LIST_DIR}/toolchain-mingw.cmake")
