# Compiler settings shared by every target: high warnings (errors with
# QDBUPD_WARNINGS_AS_ERRORS) and, for Windows, a statically linked runtime so
# that the executables need no DLL that a bare Windows lacks.

add_library(qdbupd_compile_options INTERFACE)
target_compile_options(qdbupd_compile_options INTERFACE
  -Wall -Wextra -Wpedantic -Wshadow -Wnon-virtual-dtor -Wcast-qual
  -Wformat=2 -Wundef -Wimplicit-fallthrough
  $<$<BOOL:${QDBUPD_WARNINGS_AS_ERRORS}>:-Werror>)
target_include_directories(qdbupd_compile_options INTERFACE
  "${PROJECT_SOURCE_DIR}/src")

if(WIN32)
  target_compile_definitions(qdbupd_compile_options INTERFACE
    WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0601)
  target_link_options(qdbupd_compile_options INTERFACE
    -static -static-libgcc -static-libstdc++)
endif()

# qdbupd_library(NAME SOURCES... [DEPENDS libs...])
function(qdbupd_library name)
  cmake_parse_arguments(ARG "" "" "SOURCES;DEPENDS" ${ARGN})
  add_library(${name} STATIC ${ARG_SOURCES})
  target_link_libraries(${name} PUBLIC qdbupd_compile_options ${ARG_DEPENDS})
endfunction()
