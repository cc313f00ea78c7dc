# The program's version, read from the one header that the resource script and
# the C++ code share, so that the build and the package name never drift from
# it: TILLERVANE_VERSION ("2.0.1") and TILLERVANE_VERSION_SHOWN ("2.01", the
# form the program's title shows).
file(STRINGS ${CMAKE_CURRENT_LIST_DIR}/../src/resources/Version.h defines REGEX "^#define TILLERVANE_VERSION_")
foreach(part MAJOR MINOR REVISION)
  if(NOT defines MATCHES "TILLERVANE_VERSION_${part} ([0-9]+)")
    message(FATAL_ERROR "src/resources/Version.h defines no TILLERVANE_VERSION_${part}")
  endif()
  set(TILLERVANE_VERSION_${part} ${CMAKE_MATCH_1})
endforeach()
set(TILLERVANE_VERSION ${TILLERVANE_VERSION_MAJOR}.${TILLERVANE_VERSION_MINOR}.${TILLERVANE_VERSION_REVISION})
set(TILLERVANE_VERSION_SHOWN ${TILLERVANE_VERSION_MAJOR}.${TILLERVANE_VERSION_MINOR}${TILLERVANE_VERSION_REVISION})
