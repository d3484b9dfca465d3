# The two libraries that the program links, as imported targets for both
# builds:
#
#   ZLIB::ZLIB          native: zlib1g-dev; Windows: libz-mingw-w64-dev (the
#                       static libz.a, so the program needs no zlib1.dll)
#   CryptoPP::CryptoPP  native: libcrypto++-dev; Windows: the static library
#                       that scripts/build-cryptopp-mingw builds from Debian's
#                       source package, found in QDBUPD_CRYPTOPP_MINGW_DIR

if(WIN32)
  set(ZLIB_USE_STATIC_LIBS ON)
endif()
find_package(ZLIB REQUIRED)

if(WIN32)
  set(QDBUPD_CRYPTOPP_MINGW_DIR "" CACHE PATH
      "Crypto++ built for mingw (include/cryptopp, lib/libcryptopp.a); empty: build it with scripts/build-cryptopp-mingw")
  if(NOT EXISTS "${QDBUPD_CRYPTOPP_MINGW_DIR}/lib/libcryptopp.a")
    # The script reuses a finished build from its cache folder outside the
    # source tree, so only the first configure on a machine waits for it.
    message(STATUS "Crypto++ for ${QDBUPD_MINGW_HOST}: scripts/build-cryptopp-mingw (the first time takes minutes)")
    execute_process(
      COMMAND "${CMAKE_COMMAND}" -E env "QDBUPD_MINGW_HOST=${QDBUPD_MINGW_HOST}"
              "${PROJECT_SOURCE_DIR}/scripts/build-cryptopp-mingw"
      OUTPUT_VARIABLE cryptopp_output
      RESULT_VARIABLE cryptopp_result
      OUTPUT_STRIP_TRAILING_WHITESPACE)
    if(NOT cryptopp_result EQUAL 0)
      message(FATAL_ERROR "scripts/build-cryptopp-mingw failed (${cryptopp_result})")
    endif()
    string(REGEX REPLACE ".*\n" "" cryptopp_dir "${cryptopp_output}")
    set(QDBUPD_CRYPTOPP_MINGW_DIR "${cryptopp_dir}" CACHE PATH
        "Crypto++ built for mingw (include/cryptopp, lib/libcryptopp.a); empty: build it with scripts/build-cryptopp-mingw"
        FORCE)
  endif()
  set(cryptopp_library "${QDBUPD_CRYPTOPP_MINGW_DIR}/lib/libcryptopp.a")
  set(cryptopp_include "${QDBUPD_CRYPTOPP_MINGW_DIR}/include")
  if(NOT EXISTS "${cryptopp_library}"
     OR NOT EXISTS "${cryptopp_include}/cryptopp/integer.h")
    message(FATAL_ERROR "QDBUPD_CRYPTOPP_MINGW_DIR=${QDBUPD_CRYPTOPP_MINGW_DIR} holds no Crypto++ build")
  endif()
  message(STATUS "Crypto++ for mingw: ${QDBUPD_CRYPTOPP_MINGW_DIR}")
else()
  find_package(PkgConfig QUIET)
  if(PKG_CONFIG_FOUND)
    pkg_check_modules(PC_CRYPTOPP QUIET libcrypto++)
  endif()
  find_path(cryptopp_include cryptopp/integer.h
            HINTS ${PC_CRYPTOPP_INCLUDE_DIRS})
  find_library(cryptopp_library NAMES crypto++ cryptopp
               HINTS ${PC_CRYPTOPP_LIBRARY_DIRS})
  if(NOT cryptopp_include OR NOT cryptopp_library)
    message(FATAL_ERROR "Crypto++ not found (Debian package libcrypto++-dev)")
  endif()
endif()

if(NOT TARGET CryptoPP::CryptoPP)
  add_library(CryptoPP::CryptoPP UNKNOWN IMPORTED)
  # SYSTEM: the library's headers do not pass the project's warning flags.
  set_target_properties(CryptoPP::CryptoPP PROPERTIES
    IMPORTED_LOCATION "${cryptopp_library}"
    INTERFACE_SYSTEM_INCLUDE_DIRECTORIES "${cryptopp_include}"
    INTERFACE_INCLUDE_DIRECTORIES "${cryptopp_include}")
endif()
