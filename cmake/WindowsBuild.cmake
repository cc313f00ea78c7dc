# The Windows program, cross-built as a sub-build of the native one, so that one
# configure, build and test run covers both; its end-to-end tests run under Wine.
include(ExternalProject)

set(TILLERVANE_WINDOWS_BINARY_DIR ${CMAKE_BINARY_DIR}/windows)
ExternalProject_Add(windows_build
  SOURCE_DIR ${PROJECT_SOURCE_DIR}
  BINARY_DIR ${TILLERVANE_WINDOWS_BINARY_DIR}
  CMAKE_ARGS
    -DCMAKE_TOOLCHAIN_FILE=${PROJECT_SOURCE_DIR}/cmake/i686-w64-mingw32.cmake
    -DCMAKE_BUILD_TYPE=${CMAKE_BUILD_TYPE}
  BUILD_ALWAYS ON
  INSTALL_COMMAND ""
  USES_TERMINAL_BUILD ON)

# One zh_CN Wine prefix per test run, shared by the end-to-end tests.
set(TILLERVANE_E2E_DIR ${CMAKE_BINARY_DIR}/e2e)
add_test(NAME e2e_prefix
  COMMAND bash ${PROJECT_SOURCE_DIR}/tests/e2e/create_prefix.sh ${TILLERVANE_E2E_DIR})
set_tests_properties(e2e_prefix PROPERTIES TIMEOUT 300 FIXTURES_SETUP wine_prefix)

# tillervane_e2e_test(NAME SCRIPT ARGS...): an end-to-end script run under Wine
# with ARGS and the shared test folder; the tests share one Wine desktop, so
# they run one at a time.
set(WIN ${TILLERVANE_WINDOWS_BINARY_DIR})
function(tillervane_e2e_test name script)
  add_test(NAME ${name} COMMAND bash ${PROJECT_SOURCE_DIR}/tests/e2e/${script} ${ARGN} ${TILLERVANE_E2E_DIR})
  set_tests_properties(${name} PROPERTIES
    TIMEOUT 600 FIXTURES_REQUIRED wine_prefix RESOURCE_LOCK wine_desktop)
endfunction()

tillervane_e2e_test(e2e_engine engine_e2e.sh ${WIN}/tests/e2e/engine_probe.exe)
tillervane_e2e_test(e2e_key_capture key_capture_e2e.sh ${WIN}/tests/e2e/key_capture_probe.exe)
tillervane_e2e_test(e2e_settings settings_e2e.sh
  ${WIN}/tests/e2e/settings_probe.exe $<TARGET_FILE:settings_expected>)
tillervane_e2e_test(e2e_settings_text settings_text_e2e.sh ${WIN}/tests/e2e/settings_text_probe.exe)
tillervane_e2e_test(e2e_window_probe window_probe_e2e.sh ${WIN}/tests/e2e/window_probe.exe)
tillervane_e2e_test(e2e_main_window main_window_e2e.sh
  ${WIN}/src/Tillervane.exe ${WIN}/tests/e2e/window_probe.exe $<TARGET_FILE:main_window_settings>)
tillervane_e2e_test(e2e_commands commands_e2e.sh
  ${WIN}/src/Tillervane.exe ${WIN}/tests/e2e/window_probe.exe $<TARGET_FILE:main_window_settings>)

tillervane_e2e_test(e2e_editor editor_e2e.sh
  ${WIN}/src/Tillervane.exe ${WIN}/tests/e2e/window_probe.exe ${WIN}/tests/e2e/game_probe.exe
  $<TARGET_FILE:editor_settings>)
tillervane_e2e_test(e2e_walkthrough walkthrough_e2e.sh
  ${WIN}/src/Tillervane.exe ${WIN}/tests/e2e/window_probe.exe $<TARGET_FILE:walkthrough_settings>)
