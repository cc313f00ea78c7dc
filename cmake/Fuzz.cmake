# The fuzz targets of the settings decoder and the profile file's reader, built
# with clang as a project of their own (the main native build may use another
# compiler), and a bounded run of each among the tests.
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

add_test(NAME fuzz_profile_reader
  COMMAND bash ${PROJECT_SOURCE_DIR}/tests/fuzz/run_fuzz.sh
          ${TILLERVANE_FUZZ_BINARY_DIR}/profile_fuzz
          ${PROJECT_SOURCE_DIR}/tests/fuzz/profile-corpus
          ${CMAKE_BINARY_DIR}/fuzz-run-profile
          30)
set_tests_properties(fuzz_profile_reader PROPERTIES TIMEOUT 180)
