# The release a player downloads, as TILLERVANE_PACKAGE_ZIP: both Windows
# programs built for release and stripped, the usage page beside each, and a
# text with the version and the programs' checksums, in a zip named after the
# version. Its own release builds, apart from the sub-builds the tests run, so
# that nothing of a test build ends up in a player's hands.
include(ExternalProject)
include(${CMAKE_CURRENT_LIST_DIR}/UsagePage.cmake)

# tillervane_release_build(NAME TOOLCHAIN): the program alone, in NAME/ of the
# build folder. The strip flag is the release configuration's own, so that the
# toolchain's static linking stays.
function(tillervane_release_build name toolchain)
  set(dir ${CMAKE_BINARY_DIR}/${name})
  ExternalProject_Add(${name}
    SOURCE_DIR ${PROJECT_SOURCE_DIR}
    BINARY_DIR ${dir}
    CMAKE_ARGS
      -DCMAKE_TOOLCHAIN_FILE=${PROJECT_SOURCE_DIR}/cmake/${toolchain}.cmake
      -DCMAKE_BUILD_TYPE=Release
      -DCMAKE_EXE_LINKER_FLAGS_RELEASE=-s
      -DTILLERVANE_WITH_TEST_TOOLS=OFF
    BUILD_ALWAYS ON
    BUILD_BYPRODUCTS ${dir}/src/Tillervane.exe
    INSTALL_COMMAND ""
    USES_TERMINAL_BUILD ON)
endfunction()

tillervane_release_build(release32 i686-w64-mingw32)
tillervane_release_build(release64 x86_64-w64-mingw32)

set(TILLERVANE_PACKAGE_ZIP ${CMAKE_BINARY_DIR}/Tillervane-${TILLERVANE_VERSION_SHOWN}.zip)
# Packed on every build, in a second: the files are dated after the commit,
# which changes without any file of the build changing.
add_custom_target(release_package ALL
  COMMAND ${CMAKE_COMMAND}
    -DPROGRAM32=${CMAKE_BINARY_DIR}/release32/src/Tillervane.exe
    -DPROGRAM64=${CMAKE_BINARY_DIR}/release64/src/Tillervane.exe
    -DPAGE=${TILLERVANE_USAGE_PAGE} -DVERSION_SHOWN=${TILLERVANE_VERSION_SHOWN}
    -DSOURCE_DIR=${PROJECT_SOURCE_DIR}
    -DSTAGE=${CMAKE_BINARY_DIR}/package -DZIP=${TILLERVANE_PACKAGE_ZIP}
    -P ${PROJECT_SOURCE_DIR}/cmake/MakePackage.cmake
  DEPENDS ${TILLERVANE_USAGE_PAGE}
  BYPRODUCTS ${TILLERVANE_PACKAGE_ZIP}
  COMMENT "Packing Tillervane-${TILLERVANE_VERSION_SHOWN}.zip"
  VERBATIM)
add_dependencies(release_package release32 release64)

# The zip as a player gets it: the files, the programs' kind and the checksums.
add_test(NAME package
  COMMAND bash ${PROJECT_SOURCE_DIR}/tests/package/check_package.sh
    ${TILLERVANE_PACKAGE_ZIP} ${TILLERVANE_VERSION_SHOWN} ${TILLERVANE_USAGE_PAGE_NAME})
set_tests_properties(package PROPERTIES TIMEOUT 120)

# The zip built again from a copy of the sources elsewhere must be the same
# bytes. A whole second package build: half a minute on a quiet 2-core machine.
add_test(NAME package_reproducible
  COMMAND bash ${PROJECT_SOURCE_DIR}/tests/package/check_reproducible.sh
    ${TILLERVANE_PACKAGE_ZIP} ${PROJECT_SOURCE_DIR})
set_tests_properties(package_reproducible PROPERTIES TIMEOUT 900)
