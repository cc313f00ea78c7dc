# The Windows program, cross-built for 32-bit and for 64-bit Windows as
# sub-builds of the native one, so that one configure, build and test run covers
# all three; the end-to-end tests run each Windows build under its own Wine.
include(ExternalProject)
include(${CMAKE_CURRENT_LIST_DIR}/UsagePage.cmake)

set(TILLERVANE_E2E_DIR ${CMAKE_BINARY_DIR}/e2e)

# tillervane_windows_build(BUILD TOOLCHAIN): the sub-build in windows<BUILD>/
# of the build folder ("" for 32-bit, "64" for 64-bit).
function(tillervane_windows_build bits toolchain)
  ExternalProject_Add(windows${bits}_build
    SOURCE_DIR ${PROJECT_SOURCE_DIR}
    BINARY_DIR ${CMAKE_BINARY_DIR}/windows${bits}
    CMAKE_ARGS
      -DCMAKE_TOOLCHAIN_FILE=${PROJECT_SOURCE_DIR}/cmake/${toolchain}.cmake
      -DCMAKE_BUILD_TYPE=${CMAKE_BUILD_TYPE}
    BUILD_ALWAYS ON
    INSTALL_COMMAND ""
    USES_TERMINAL_BUILD ON)
endfunction()

tillervane_windows_build("" i686-w64-mingw32)
tillervane_windows_build(64 x86_64-w64-mingw32)

# tillervane_e2e_suite(BUILD WINDOWS_BINARY_DIR): every end-to-end test, run
# against one Windows build ("win32" or "win64") under the Wine that runs it,
# with a zh_CN prefix of its own. The tests share one Wine server at a time, so
# they run one at a time.
function(tillervane_e2e_suite build win)
  set(dir ${TILLERVANE_E2E_DIR}/${build})
  set(env TILLERVANE_E2E_BUILD=${build})
  add_test(NAME ${build}_e2e_prefix
    COMMAND bash ${PROJECT_SOURCE_DIR}/tests/e2e/create_prefix.sh ${dir})
  set_tests_properties(${build}_e2e_prefix PROPERTIES
    TIMEOUT 300 FIXTURES_SETUP ${build}_prefix ENVIRONMENT ${env} SKIP_RETURN_CODE 77)

  # e2e(NAME SCRIPT ARGS...): an end-to-end script run with ARGS and the suite's folder.
  function(e2e name script)
    add_test(NAME ${build}_${name}
      COMMAND bash ${PROJECT_SOURCE_DIR}/tests/e2e/${script} ${ARGN} ${dir})
    set_tests_properties(${build}_${name} PROPERTIES
      TIMEOUT 600 FIXTURES_REQUIRED ${build}_prefix RESOURCE_LOCK wine_desktop
      ENVIRONMENT ${env} SKIP_RETURN_CODE 77)
  endfunction()

  set(probe ${win}/tools/probe/window_probe.exe)
  set(app ${win}/src/Tillervane.exe)
  e2e(e2e_probe probe_self_test.sh ${probe})
  e2e(e2e_files files_e2e.sh ${app} ${probe} ${win}/tests/e2e/game_probe.exe)
  e2e(e2e_editor editor_e2e.sh ${app} ${probe})
  e2e(e2e_walkthrough walkthrough_e2e.sh ${app} ${probe} ${TILLERVANE_USAGE_PAGE})
  e2e(e2e_engine engine_e2e.sh ${app} ${probe})
  e2e(e2e_movement movement_e2e.sh ${app} ${probe})
  e2e(e2e_autogame autogame_e2e.sh ${app} ${probe})
  e2e(e2e_share share_e2e.sh ${app} ${probe})
endfunction()

tillervane_e2e_suite(win64 ${CMAKE_BINARY_DIR}/windows64)
tillervane_e2e_suite(win32 ${CMAKE_BINARY_DIR}/windows)
