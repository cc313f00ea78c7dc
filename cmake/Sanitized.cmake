# The unit tests once more, built with AddressSanitizer and
# UndefinedBehaviorSanitizer as a project of their own, and run among the
# tests: memory and arithmetic faults the plain build would survive end the run.
include(ExternalProject)

set(TILLERVANE_SANITIZED_BINARY_DIR ${CMAKE_BINARY_DIR}/sanitized)
ExternalProject_Add(sanitized_unit_tests_build
  SOURCE_DIR ${PROJECT_SOURCE_DIR}
  BINARY_DIR ${TILLERVANE_SANITIZED_BINARY_DIR}
  CMAKE_ARGS
    -DCMAKE_BUILD_TYPE=Debug
    -DTILLERVANE_SANITIZE=ON
  BUILD_COMMAND ${CMAKE_COMMAND} --build <BINARY_DIR> --target unit_tests --parallel 2
  BUILD_ALWAYS ON
  INSTALL_COMMAND ""
  USES_TERMINAL_BUILD ON)

add_test(NAME unit_tests_sanitized COMMAND ${TILLERVANE_SANITIZED_BINARY_DIR}/tests/unit_tests --gtest_brief=1)
set_tests_properties(unit_tests_sanitized PROPERTIES
  TIMEOUT 300
  ENVIRONMENT "ASAN_OPTIONS=detect_leaks=1:abort_on_error=0;UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1")
