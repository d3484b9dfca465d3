# Test executables: GoogleTest from Debian's sources, built with the same
# compiler as the program, so that the cross build gets Windows test
# executables that CTest runs under wine (CMAKE_CROSSCOMPILING_EMULATOR).

set(QDBUPD_GOOGLETEST_SOURCE "/usr/src/googletest" CACHE PATH
    "GoogleTest sources (Debian package googletest)")
if(NOT TARGET GTest::gtest_main)
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
  set(gtest_force_shared_crt OFF CACHE BOOL "" FORCE)
  add_subdirectory("${QDBUPD_GOOGLETEST_SOURCE}"
                   "${CMAKE_BINARY_DIR}/googletest" EXCLUDE_FROM_ALL SYSTEM)
endif()

# qdbupd_test(NAME SOURCES... [DEPENDS libs...] [LABELS labels...])
function(qdbupd_test name)
  cmake_parse_arguments(ARG "" "" "SOURCES;DEPENDS;LABELS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE qdbupd_compile_options
                        qdbupd_test_support ${ARG_DEPENDS} GTest::gtest_main)
  add_test(NAME ${name} COMMAND ${name})
  set_tests_properties(${name} PROPERTIES LABELS "${ARG_LABELS}" TIMEOUT 300)
endfunction()
