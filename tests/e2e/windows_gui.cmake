# The message box under wine on a virtual X display: OK pressed with xdotool,
# exit code checked (Windows builds only; included from CMakeLists.txt).
# Skipped (exit code 77) where Xvfb or xdotool is missing.
add_test(NAME e2e_messagebox_ok
  COMMAND bash "${CMAKE_CURRENT_SOURCE_DIR}/messagebox_ok_test.sh"
          "${PROJECT_SOURCE_DIR}/cmake/wine-run"
          "${CMAKE_BINARY_DIR}/wineprefix"
          "$<TARGET_FILE:qdbupd>")
set_tests_properties(e2e_messagebox_ok PROPERTIES
  LABELS "e2e;gui" TIMEOUT 300 SKIP_RETURN_CODE 77)
