# The settings decoder's fuzz target, built with clang as a project of its own
# (the main native build may use another compiler), and a bounded run of it
# among the tests.
find_program(TILLERVANE_CLANGXX NAMES clang++ REQUIRED)
include(ExternalProject)

set(TILLERVANE_FUZZ_BINARY_DIR ${CMAKE_BINARY_DIR}/fuzz)
ExternalProject_Add(settings_fuzz_build
  SOURCE_DIR ${PROJECT_SOURCE_DIR}/tests/fuzz
  BINARY_DIR ${TILLERVANE_FUZZ_BINARY_DIR}
  CMAKE_ARGS
    -DCMAKE_CXX_COMPILER=${TILLERVANE_CLANGXX}
    -DCMAKE_BUILD_TYPE=RelWithDebInfo
  BUILD_ALWAYS ON
  INSTALL_COMMAND ""
  USES_TERMINAL_BUILD ON)

add_test(NAME fuzz_settings_decoder
  COMMAND bash ${PROJECT_SOURCE_DIR}/tests/fuzz/run_fuzz.sh
          ${TILLERVANE_FUZZ_BINARY_DIR}/settings_fuzz
          ${PROJECT_SOURCE_DIR}/tests/fuzz/corpus
          ${CMAKE_BINARY_DIR}/fuzz-run
          30)
set_tests_properties(fuzz_settings_decoder PROPERTIES TIMEOUT 180)
