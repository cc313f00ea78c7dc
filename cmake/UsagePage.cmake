# The usage page: docs/usage/help.html.in with the version filled in and the
# pictures of docs/ embedded, built as TILLERVANE_USAGE_PAGE under the name the
# program looks for beside itself (TILLERVANE_USAGE_PAGE_NAME, from WebPages.h).
include_guard(GLOBAL)

file(STRINGS ${PROJECT_SOURCE_DIR}/src/mainwindow/WebPages.h line REGEX "UsageHelpFile\\[\\] = \"")
if(NOT line MATCHES "\"([^\"]+)\"")
  message(FATAL_ERROR "src/mainwindow/WebPages.h names no UsageHelpFile")
endif()
set(TILLERVANE_USAGE_PAGE_NAME ${CMAKE_MATCH_1})
set(TILLERVANE_USAGE_PAGE ${CMAKE_BINARY_DIR}/usage/${TILLERVANE_USAGE_PAGE_NAME})

set(template ${PROJECT_SOURCE_DIR}/docs/usage/help.html.in)
set(pictures ${PROJECT_SOURCE_DIR}/docs/main-window.png ${PROJECT_SOURCE_DIR}/docs/editor.png)
add_custom_command(OUTPUT ${TILLERVANE_USAGE_PAGE}
  COMMAND ${CMAKE_COMMAND} -DTEMPLATE=${template} -DOUTPUT=${TILLERVANE_USAGE_PAGE}
    -DDOCS=${PROJECT_SOURCE_DIR}/docs -DVERSION_SHOWN=${TILLERVANE_VERSION_SHOWN}
    -P ${PROJECT_SOURCE_DIR}/cmake/EmbedUsagePage.cmake
  DEPENDS ${template} ${pictures} ${PROJECT_SOURCE_DIR}/cmake/EmbedUsagePage.cmake
  COMMENT "Writing the usage page ${TILLERVANE_USAGE_PAGE_NAME}"
  VERBATIM)
add_custom_target(usage_page ALL DEPENDS ${TILLERVANE_USAGE_PAGE})
